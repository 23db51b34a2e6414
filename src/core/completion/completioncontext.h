#pragma once

#include <QString>
#include <QStringList>

class DocumentText;
class LineStore;
class TagCatalog;
class UndoHistory;

// What the caret is typing, as far as completion is concerned.
struct CompletionContext
{
    enum Kind {
        None,
        ElementName,   // "<" and letters
        AttributeName, // in a start tag, after a blank (letters typed or not)
        EndTag,        // "</" and letters typed or not
    };
    Kind kind = None;
    // The letters typed so far, which an accepted name replaces; they end at
    // the caret.
    int prefixColumn = 0;
    QString prefix;
    // The tag's element (AttributeName) or the innermost open element
    // (EndTag), as written in the page.
    QString element;

    bool operator==(const CompletionContext &) const = default;
};

// The context at column of line. Reads a bounded stretch of the page before
// the caret, and for an end tag searches back for the open element within a
// bounded number of characters.
CompletionContext completionContext(const LineStore &lines, int line, int column);

// The names to offer, upper case; an end tag's entry closes its tag
// ("DIV>").
QStringList completionCandidates(const TagCatalog &catalog, const CompletionContext &context);

// Puts accepted in place of the prefixLength characters before the caret.
// When those characters were typed in the typing step that undo reverts
// next, the accepted name becomes part of that step, so that one undo takes
// away both; otherwise it is a step of its own.
void acceptCompletion(DocumentText &text, UndoHistory &history, int prefixLength, const QString &accepted);
