#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <functional>

// The one interface through which every command reads and changes a page.
//
// Positions are caret positions in the page as it is written to disk with
// CR LF line ends: every line break counts as two characters. A position that
// would fall between the CR and the LF of a line break is moved back to the
// end of its line, so no operation can ever split a line break. Text handed
// in may use CR LF, LF, lone CR, the paragraph separator U+2029 or the
// marks U+FDD0 and U+FDD1 as line ends; each becomes one line break.
class DocumentText
{
public:
    // The largest text a page may hold, in characters.
    static constexpr int MaxLength = 2048000000;

    virtual ~DocumentText() = default;

    // Whole text, with CR LF line breaks.
    virtual QString text() const = 0;
    // Replaces the whole text (no undo step); the caret goes to position 0.
    virtual void setText(const QString &text) = 0;
    // Replaces the whole text (no undo step) keeping the selection, and in a
    // window the view, where they were: each mapped to the nearest place in
    // the new text (see mapPosition). For the whole-text commands and their
    // Undo and Redo.
    virtual void setTextKeepingPlace(const QString &text);
    // Length in caret positions: start of the last line plus its length.
    virtual int length() const = 0;

    virtual int lineCount() const = 0;
    virtual QString line(int index) const = 0;
    // Replaces the text of one line, keeping the selection where it was.
    virtual void setLine(int index, const QString &text) = 0;
    virtual int lineFromPosition(int position) const = 0;
    virtual int lineStart(int index) const = 0;
    virtual int lineLength(int index) const = 0;
    virtual int firstVisibleLine() const = 0;
    // Hands lines first..last (without their breaks) to visit in order, until
    // it returns false: whole-page commands go over the lines this way
    // instead of taking a copy of the whole text. A view is valid during its
    // call only.
    using LineVisitor = std::function<bool(int index, QStringView line)>;
    virtual void visitLines(int first, int last, const LineVisitor &visit) const;

    virtual int selectionStart() const = 0;
    virtual int selectionLength() const = 0;
    // Puts the caret at a position with an empty selection.
    virtual void setSelectionStart(int position) = 0;
    // Extends the selection from its start over this many positions.
    virtual void setSelectionLength(int length) = 0;
    virtual QString selectedText() const = 0;
    // The replacement takes the selection's place and the caret ends after
    // it. Returns false, changing nothing, when the result would exceed
    // MaxLength.
    virtual bool replaceSelection(const QString &text) = 0;

    virtual bool isModified() const = 0;
    virtual void setModified(bool modified) = 0;

    // Convenience built on the operations above.
    void select(int start, int length);
    void deleteSelection() { replaceSelection(QString()); }
    void selectAll() { select(0, length()); }
    QStringList lines() const;
    int maxLength() const { return MaxLength; }

    // Scan whole lines, without regard to case, for the first occurrence of
    // needle in each line: backwards from the caret's line (an occurrence on
    // that line counts only when it starts before the caret) or forwards
    // (only when it starts after the caret). Return line start plus the
    // one-based column of the occurrence, or 0 when there is none.
    int FindTextBefore(const QString &needle) const;
    int FindTextAfter(const QString &needle) const;
};

// Characters that end a line wherever they stand, besides CR: LF, the
// paragraph separator U+2029, and the noncharacters U+FDD0 and U+FDD1, at
// which the editor has always split lines (a text reads as it always did).
inline bool isLineBreakMark(QChar c)
{
    const char16_t u = c.unicode();
    return u == u'\n' || u == QChar::ParagraphSeparator || u == 0xFDD0 || u == 0xFDD1;
}

// Calls line(part) for each line of text, its line break (CR LF, LF, lone
// CR or one of the marks above) left out; a text ending in a break ends with
// an empty line, as in an editor.
template<typename Line> void forEachLine(QStringView text, Line line)
{
    const QChar *p = text.data();
    const QChar *end = p + text.size();
    const QChar *run = p;
    for (; p < end; ++p) {
        if (*p != u'\r' && !isLineBreakMark(*p))
            continue;
        line(QStringView(run, p));
        if (*p == u'\r' && p + 1 < end && p[1] == u'\n')
            ++p;
        run = p + 1;
    }
    line(QStringView(run, end));
}

// Line breaks of any style (CR LF, LF, lone CR, and the marks above) turned
// into CR LF: the text exactly as a page holds it.
QString toCrLf(const QString &text);

// The same with LF line breaks, as the clipboard holds text.
QString toLf(const QString &text);
