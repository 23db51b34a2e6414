#include "core/forms/formplacement.h"

#include "core/attributes/starttag.h"
#include "core/markup/insertion.h"
#include "core/text/documenttext.h"

namespace {

// A tag name ends at a blank, a line break, ">" or "/", or the page's end.
bool endsTagName(const QString &page, qsizetype at)
{
    if (at >= page.size())
        return true;
    const QChar c = page.at(at);
    return c.isSpace() || c == u'>' || c == u'/';
}

// Start of the last tag (marker + end of name) that begins before limit; -1
// when there is none.
qsizetype lastTagBefore(const QString &page, const QString &marker, qsizetype limit)
{
    if (limit <= 0)
        return -1;
    qsizetype from = limit - 1;
    while (from >= 0) {
        const qsizetype at = page.lastIndexOf(marker, from, Qt::CaseInsensitive);
        if (at < 0)
            return -1;
        if (endsTagName(page, at + marker.size()))
            return at;
        from = at - 1;
    }
    return -1;
}

bool tagFrom(const QString &page, const QString &marker, qsizetype from)
{
    while (from <= page.size()) {
        const qsizetype at = page.indexOf(marker, from, Qt::CaseInsensitive);
        if (at < 0)
            return false;
        if (endsTagName(page, at + marker.size()))
            return true;
        from = at + 1;
    }
    return false;
}

} // namespace

bool IsInsideForm(const QString &page, int position)
{
    const qsizetype caret = qBound(qsizetype(0), qsizetype(position), page.size());
    const QString open = QStringLiteral("<FORM");
    const QString close = QStringLiteral("</FORM");
    const qsizetype opened = lastTagBefore(page, open, caret);
    if (opened < 0)
        return false;
    if (lastTagBefore(page, close, caret) > opened)
        return false;
    return tagFrom(page, close, caret);
}

int FormControlPosition(const QString &page, int position)
{
    const qsizetype caret = qBound(qsizetype(0), qsizetype(position), page.size());
    if (caret == 0)
        return int(caret);
    const qsizetype open = page.lastIndexOf(u'<', caret - 1);
    // Only "<" followed by a letter, "/" or "!" opens a tag, as in a browser.
    if (open < 0 || open + 1 >= page.size())
        return int(caret);
    const QChar next = page.at(open + 1);
    if (!(next.isLetter() || next == u'/' || next == u'!'))
        return int(caret);
    const qsizetype end = StartTagEnd(page, open);
    if (end < 0)
        return int(open); // a tag without its end: the control goes before it
    return int(end > caret ? end : caret);
}

bool WriteFormControl(DocumentText &text, UndoHistory &undo, EditorState &state, const QString &control,
                      const std::function<bool()> &writeFormStartTag)
{
    const QString page = text.text();
    text.setSelectionStart(FormControlPosition(page, text.selectionStart()));
    if (IsInsideForm(page, text.selectionStart())) {
        InsertTagPair(text, undo, state, QString(), QString(), true, true, ukInsert);
        InsertTagPair(text, undo, state, control, QString(), false, true, ukInsert);
        return true;
    }
    if (!writeFormStartTag || !writeFormStartTag())
        return false;
    for (const QString &piece : {QStringLiteral("\r\n"), control, QStringLiteral("</FORM>")})
        InsertTagPair(text, undo, state, piece, QString(), false, true, ukInsert);
    return true;
}
