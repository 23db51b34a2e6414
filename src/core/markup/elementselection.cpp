#include "core/markup/elementselection.h"

#include "core/attributes/starttag.h"
#include "core/markup/editorstate.h"
#include "core/markup/elementmarkers.h"
#include "core/text/documenttext.h"

namespace {

// Positions from case-insensitive searches of the original text, never of
// an upper-cased copy: upper-casing can change a text's length ("ß" gives
// "SS") and would shift every position after it.
qsizetype find(const QString &haystack, const QString &needle, qsizetype from = 0)
{
    return haystack.indexOf(needle, from, Qt::CaseInsensitive);
}

// Where the end marker of an element starts. A single tag ends at the ">"
// that closes the start tag standing at tagStart, so that a ">" inside a
// quoted value belongs to the tag; an element with content ends at its
// closing tag, looked for from `from`.
qsizetype findEnd(const QString &text, const QString &endMarker, qsizetype tagStart, qsizetype from)
{
    if (endMarker == u">") {
        const qsizetype end = StartTagEnd(text, tagStart);
        if (end < 0)
            return -1;
        // A ">" inside the start marker itself is no end of the element.
        if (end - 1 >= from)
            return end - 1;
    }
    return find(text, endMarker, from);
}

// The first start tag of that element name whose TYPE is typeValue (any
// case, any quoting), or -1.
qsizetype typedTag(const QString &text, const QString &name, const QString &typeValue)
{
    // A tag left open runs to the end of the text, as in a browser: nothing
    // after it is a tag.
    for (StartTag tag = FindStartTag(text, name); tag.closed; tag = FindStartTag(text, name, tag.end)) {
        if (tag.value(u"TYPE").value_or(QString()).compare(typeValue, Qt::CaseInsensitive) == 0)
            return tag.start;
    }
    return -1;
}

// Where the end marker that closes the element starts, counting elements
// of the same kind nested in it (a list inside a list item): each nested
// start marker (followed by a blank or ">") needs its own end marker first.
qsizetype balancedEnd(const QString &text, const QString &startMarker, const QString &endMarker, qsizetype from)
{
    int depth = 1;
    qsizetype pos = from;
    while (true) {
        const qsizetype end = find(text, endMarker, pos);
        if (end < 0)
            return -1;
        qsizetype nested = find(text, startMarker, pos);
        while (nested >= 0 && nested < end) {
            const qsizetype after = nested + startMarker.size();
            if (after < text.size() && (text.at(after).isSpace() || text.at(after) == u'>'))
                break;
            nested = find(text, startMarker, after);
        }
        if (nested >= 0 && nested < end) {
            ++depth;
            pos = nested + startMarker.size();
            continue;
        }
        if (--depth == 0)
            return end;
        pos = end + endMarker.size();
    }
}

ElementEditMode fromDocument(const DocumentText &text, EditorState &state, const ElementMarkers &markers)
{
    // Only a start tag with attributes is worth reading back.
    if (DocumentContains(text, markers.startMarker) && !DocumentContains(text, markers.startMarker + markers.endMarker))
        state.SelectedElementText = ExtractElementText(text, markers.startMarker, markers.endMarker);
    return state.SelectedElementText.isEmpty() ? ElementEditMode::Create : ElementEditMode::Edit;
}

} // namespace

void CaptureSelection(const DocumentText &text, EditorState &state)
{
    state.SelectedElementText = text.selectedText();
}

ElementEditMode ApplyElementEditMode(DocumentText &text, EditorState &state, const ElementMarkers &markers)
{
    state.SelectedElementText.clear();
    if (!markers.editsElements())
        return ElementEditMode::Create;
    if (markers.fromDocument)
        return fromDocument(text, state, markers);
    if (text.selectionLength() <= 0)
        return ElementEditMode::Create;

    CaptureSelection(text, state);
    const QString captured = state.SelectedElementText;
    const int selStart = text.selectionStart();
    const int selLength = text.selectionLength();

    const qsizetype p = markers.typeValue.isEmpty() ? find(captured, markers.startMarker)
                                                    : typedTag(captured, markers.startMarker.mid(1), markers.typeValue);
    const qsizetype markerLength = markers.startMarker.size();
    if (p < 0) {
        if (markers.keepSelectionWithoutStart)
            return ElementEditMode::Edit;
        state.SelectedElementText.clear();
        text.setSelectionStart(selStart);
        return ElementEditMode::Create;
    }

    const int elementStart = selStart + int(p);
    text.select(elementStart, selLength - int(p));
    const QString cut = captured.mid(p);

    auto collapse = [&](ElementEditMode mode) {
        state.SelectedElementText.clear();
        text.setSelectionStart(elementStart);
        return mode;
    };

    qsizetype searchFrom = markerLength;
    qsizetype tagStart = 0;
    if (!markers.innerMarker.isEmpty()) {
        const qsizetype inner = find(cut, markers.innerMarker, markerLength);
        if (inner < 0)
            return collapse(ElementEditMode::Create);
        searchFrom = inner + markers.innerMarker.size();
        tagStart = inner;
    }

    const qsizetype q = markers.wholeElement && !markers.refuseNested
                            ? balancedEnd(cut, markers.startMarker, markers.endMarker, searchFrom)
                            : findEnd(cut, markers.endMarker, tagStart, searchFrom);
    if (markers.refuseNested) {
        const qsizetype second = find(cut, markers.startMarker, markerLength);
        if (second >= 0 && q >= 0 && second < q)
            return collapse(ElementEditMode::Nested);
    }
    if (q < 0)
        return collapse(ElementEditMode::Create);

    const int length = int(q + markers.endMarker.size());
    text.select(elementStart, length);
    state.SelectedElementText = cut.left(length);
    return ElementEditMode::Edit;
}

ElementEditMode ApplyElementEditMode(DocumentText &text, EditorState &state, const QString &startMarker,
                                     const QString &endMarker)
{
    ElementMarkers markers;
    markers.startMarker = startMarker;
    markers.endMarker = endMarker;
    return ApplyElementEditMode(text, state, markers);
}

bool SelectElement(DocumentText &text, const QString &startMarker, const QString &endMarker, bool wholeElement)
{
    if (startMarker.isEmpty() || endMarker.isEmpty())
        return false;
    const QString all = text.text();
    const qsizetype p = find(all, startMarker);
    if (p < 0)
        return false;
    const qsizetype contentStart = p + startMarker.size();
    const qsizetype q = findEnd(all, endMarker, p, contentStart);
    if (q < 0)
        return false;
    if (wholeElement)
        text.select(int(p), int(q + endMarker.size() - p));
    else
        text.select(int(contentStart), int(q - contentStart));
    return true;
}

QString ExtractElementText(const DocumentText &text, const QString &startMarker, const QString &endMarker)
{
    if (startMarker.isEmpty() || endMarker.isEmpty())
        return QString();
    if (endMarker == u">") {
        // A start tag, read as a browser reads it: a ">" inside a quoted
        // value, even on a later line, does not end it.
        const QString all = text.text();
        const qsizetype p = find(all, startMarker);
        if (p < 0)
            return QString();
        const qsizetype q = findEnd(all, endMarker, p, p + startMarker.size());
        if (q < 0)
            return QString();
        return all.mid(p, q + 1 - p).replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    }
    const int count = text.lineCount();
    for (int i = 0; i < count; ++i) {
        const QString first = text.line(i);
        const qsizetype p = find(first, startMarker);
        if (p < 0)
            continue;
        const qsizetype afterStart = p + startMarker.size();
        qsizetype q = find(first, endMarker, afterStart);
        if (q >= 0)
            return first.mid(p, q + endMarker.size() - p);

        QString result = first.mid(p);
        for (int j = i + 1; j < count; ++j) {
            const QString next = text.line(j);
            q = find(next, endMarker);
            if (q >= 0)
                return result + u' ' + next.left(q + endMarker.size());
            result += u' ';
            result += next;
        }
        // No end marker anywhere after this start marker, so none after any
        // later one either: the page holds no such element.
        return QString();
    }
    return QString();
}

bool MoveCaretToTag(DocumentText &text, const QString &tag, bool beforeTag)
{
    // The page is searched line by line: a tag holding a line break never
    // matches, and a match in the whole text never spans two lines.
    if (tag.isEmpty() || tag.contains(u'\r') || tag.contains(u'\n'))
        return false;
    const qsizetype p = find(text.text(), tag);
    if (p < 0)
        return false;
    text.setSelectionStart(int(beforeTag ? p : p + tag.size()));
    return true;
}

bool DocumentContains(const DocumentText &text, const QString &needle)
{
    return !needle.isEmpty() && text.text().contains(needle, Qt::CaseInsensitive);
}
