#pragma once

#include <QString>
#include <QStringList>

// The script editor's reference lists of JavaScript words, carried as
// resources, and the short descriptions of the words.

enum class WordList { Declarations, Objects, Properties, Methods, Events };
constexpr int WordListCount = 5;

// A list's words from its resource text: one word per line, blanks trimmed,
// empty lines skipped; a line starting with "-" is a JavaScript 1.1 word,
// listed (without the "-") only for version 1.1.
QStringList ParseWordList(const QString &resourceText, bool version11);

// A list as the editor shows it for the chosen version.
QStringList JavaScriptWords(WordList list, bool version11);

// A short French description of a word; empty when there is none.
QString WordDescription(const QString &word);
// How many words have a description.
int DescribedWordCount();
