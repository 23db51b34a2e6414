#pragma once

#include <QString>
#include <QStringView>

#include <vector>

class LineStore;

// The words of a page that a reader sees: its text between tags, and the
// values of ALT and TITLE attributes. Tag and attribute names, other
// attribute values, comments, declarations and the content of SCRIPT and
// STYLE are not prose. Character references are read as the characters they
// stand for ("&eacute;t&eacute;" is the word "été").
//
// Pages are read line by line with the colouring's lexer, each line from the
// state the previous one ended in, so that only changed lines need reading
// again.
namespace prose {

// A word on one line: start and length in the line's characters (entities
// as written), word as read (entities decoded).
struct Word
{
    int start = 0;
    int length = 0;
    QString word;
    bool operator==(const Word &) const = default;
};

// The state at the start of the first line.
constexpr int StartState = 0;

// Appends the prose words of one line (without its line break), read from
// state, to words when given, and returns the state at the line's end. Any
// int is accepted as a state; an unknown one reads as StartState.
int readLine(QStringView line, int state, std::vector<Word> *words);

// A word of a whole page, with its line.
struct PageWord
{
    int line = 0;
    Word word;
    bool operator==(const PageWord &) const = default;
};
std::vector<PageWord> pageWords(const LineStore &page);

// The language the page declares on its HTML element ("fr", "en-US"),
// lower-case, or empty when it declares none. Reads no further than the
// first element after HTML.
QString pageLanguage(const LineStore &page);

} // namespace prose
