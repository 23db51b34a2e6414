// Finding, selecting and reading elements in a page: with the markers of
// the element commands or with a marker pair of the fuzzer's own, every
// helper must leave the page alone and select or return exactly an element
// that starts and ends with its markers.
#include "fuzzinput.h"

#include "core/attributes/starttag.h"
#include "core/markup/editorstate.h"
#include "core/markup/elementmarkers.h"
#include "core/markup/elementselection.h"
#include "core/text/memorytext.h"

namespace {

bool startsWith(const QString &text, const QString &marker)
{
    return text.startsWith(marker, Qt::CaseInsensitive);
}

bool endsWith(const QString &text, const QString &marker)
{
    return text.endsWith(marker, Qt::CaseInsensitive);
}

// Markers stand on one line, as every command's do.
QString marker(FuzzInput &in)
{
    QString text = in.text();
    text.remove(u'\r');
    text.remove(u'\n');
    text.remove(QChar::ParagraphSeparator);
    return text;
}

void checkEditMode(const QString &page, int selStart, int selLength, const ElementMarkers &markers, bool commandMarkers)
{
    MemoryText text(page);
    text.select(selStart, selLength);
    const int start = text.selectionStart(), end = start + text.selectionLength();
    EditorState state;
    state.SelectedElementText = QStringLiteral("old");
    const ElementEditMode mode = ApplyElementEditMode(text, state, markers);
    FUZZ_CHECK(text.text() == toCrLf(page));
    const QString &element = state.SelectedElementText;
    if (mode != ElementEditMode::Edit) {
        FUZZ_CHECK(element.isEmpty());
        // A command that may edit an element collapses the selection it
        // found none in.
        FUZZ_CHECK(!markers.editsElements() || markers.fromDocument || text.selectionLength() == 0);
        return;
    }
    FUZZ_CHECK(!element.isEmpty());
    if (markers.fromDocument) {
        FUZZ_CHECK(element == ExtractElementText(text, markers.startMarker, markers.endMarker));
        return;
    }
    // The element lies within the selection it was found in, and is selected.
    FUZZ_CHECK(text.selectionStart() >= start && text.selectionStart() + text.selectionLength() <= end);
    FUZZ_CHECK(text.selectedText() == element);
    if (!(markers.keepSelectionWithoutStart && text.selectionLength() == end - start)) {
        FUZZ_CHECK(startsWith(element, markers.startMarker));
        if (!markers.typeValue.isEmpty())
            FUZZ_CHECK(
                ReadStartTag(element).value(u"TYPE").value_or(QString()).compare(markers.typeValue, Qt::CaseInsensitive)
                == 0);
        FUZZ_CHECK(endsWith(element, markers.endMarker));
        // A command's single tag is exactly one tag as a browser reads it.
        if (commandMarkers && markers.endMarker == u">" && markers.innerMarker.isEmpty())
            FUZZ_CHECK(StartTagEnd(element, 0) == element.size());
    }
}

void checkSelectAndExtract(const QString &page, const QString &startMarker, const QString &endMarker, bool whole)
{
    MemoryText text(page);
    const QString extracted = ExtractElementText(text, startMarker, endMarker);
    FUZZ_CHECK(!extracted.contains(u'\r') && !extracted.contains(u'\n'));
    if (!SelectElement(text, startMarker, endMarker, true)) {
        FUZZ_CHECK(extracted.isEmpty());
    } else {
        const QString selected = text.selectedText();
        FUZZ_CHECK(startsWith(selected, startMarker) && endsWith(selected, endMarker));
        // The same element, read line by line and joined by blanks.
        FUZZ_CHECK(extracted == QString(selected).replace(QStringLiteral("\r\n"), QStringLiteral(" ")));
        const int wholeStart = text.selectionStart();
        FUZZ_CHECK(SelectElement(text, startMarker, endMarker, false));
        FUZZ_CHECK(text.selectionStart() == wholeStart + startMarker.size());
        FUZZ_CHECK(endsWith(text.text().left(text.selectionStart()), startMarker));
        FUZZ_CHECK(startsWith(text.text().mid(text.selectionStart() + text.selectionLength()), endMarker));
    }
    FUZZ_CHECK(text.text() == toCrLf(page));

    const bool before = whole;
    if (MoveCaretToTag(text, startMarker, before)) {
        FUZZ_CHECK(text.selectionLength() == 0);
        const int at = text.selectionStart() - (before ? 0 : int(startMarker.size()));
        FUZZ_CHECK(startsWith(text.text().mid(at), startMarker));
        FUZZ_CHECK(text.text().indexOf(startMarker, 0, Qt::CaseInsensitive) == at);
    } else {
        FUZZ_CHECK(startMarker.isEmpty() || !DocumentContains(text, startMarker));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput in(data, size);
    const std::vector<ElementMarkers> &commands = DialogCommandMarkers();
    const ElementMarkers &command = commands[in.number(int(commands.size()))];
    const int selStart = in.number(256), selLength = in.number(256);
    const bool whole = in.flag();
    ElementMarkers own;
    own.startMarker = marker(in);
    own.endMarker = marker(in);
    own.innerMarker = in.flag() ? marker(in) : QString();
    own.refuseNested = in.flag();
    const QString page = in.text();

    checkEditMode(page, selStart, selLength, command, true);
    checkEditMode(page, selStart, selLength, own, false);
    if (command.editsElements())
        checkSelectAndExtract(page, command.startMarker, command.endMarker, whole);
    checkSelectAndExtract(page, own.startMarker, own.endMarker, whole);
    return 0;
}
