// Selected maps for the image map editor: the opening command must narrow
// any selection to text of the page, the reader must give well-formed lines
// and zones, and what the editor writes from a reading must read back the
// same and write the same text again. The zone fields and the event texts
// that follow in the input drive the line builder and the events editing.
#include "fuzzinput.h"

#include <algorithm>

#include "core/attributes/starttag.h"
#include "core/imagemap/mapreader.h"
#include "core/imagemap/mapwriter.h"
#include "core/markup/editorstate.h"
#include "core/markup/identifiers.h"
#include "core/text/memorytext.h"

namespace {

// USEMAP attributes of a start tag, as a browser reads them: " USEMAP=" inside
// a quoted value is no attribute.
qsizetype usemaps(const QString &tag)
{
    const QList<TagAttribute> attributes = ReadStartTag(tag, qMax<qsizetype>(0, tag.indexOf(u'<'))).attributes;
    return std::count_if(attributes.begin(), attributes.end(),
                         [](const TagAttribute &a) { return a.name.compare(u"USEMAP", Qt::CaseInsensitive) == 0; });
}

void checkReading(const MapReading &r)
{
    for (const MapArea &area : r.areas) {
        FUZZ_CHECK(area.line.endsWith(u'>') && area.line == area.line.trimmed());
        if (area.zone)
            FUZZ_CHECK(area.zone->width > 0 && area.zone->height > 0);
    }
    if (!r.imageTag.isEmpty()) {
        FUZZ_CHECK(r.imageTag.startsWith(QStringLiteral("<IMG"), Qt::CaseInsensitive) && r.imageTag.endsWith(u'>'));
        FUZZ_CHECK(usemaps(r.imageTag) == 0);
    } else {
        FUZZ_CHECK(r.areas.isEmpty());
    }
}

// The editor's OK on a reading, then the same map reopened.
void checkRoundTrip(const MapReading &r)
{
    const QString name = MakeIdentifier(r.name);
    if (name.isEmpty())
        return;
    MapModel model;
    LoadMap(model, r);
    const QStringList pieces = MapPieces(name, model.lines(), model.imageTag);
    const QString written = pieces.join(QString());
    // The picture's tag carries exactly one USEMAP.
    FUZZ_CHECK(r.imageTag.isEmpty() || usemaps(pieces.last()) == 1);
    const MapReading again = ReadSelectedMap(written);
    FUZZ_CHECK(again.name == name);
    FUZZ_CHECK(again.imageTag == r.imageTag);
    FUZZ_CHECK(again.areas == r.areas);
    MapModel reopened;
    LoadMap(reopened, again);
    FUZZ_CHECK(MapText(again.name, reopened.lines(), reopened.imageTag) == written);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > 64 * 1024)
        return 0;
    FuzzInput in(data, size);
    const QString page = in.text();

    const MapReading whole = ReadSelectedMap(page);
    checkReading(whole);
    checkRoundTrip(whole);

    // The opening command on a part of the page.
    MemoryText text(page);
    const int length = text.length();
    const int from = in.number(length + 1);
    text.select(from, in.number(length - from + 1));
    // The selection as the text took it (never inside a line break).
    const int start = text.selectionStart();
    const int end = start + text.selectionLength();
    EditorState state;
    NarrowSelectionToMap(text, state);
    FUZZ_CHECK(text.text() == toCrLf(page));
    FUZZ_CHECK(text.selectionStart() >= start && text.selectionStart() + text.selectionLength() <= end);
    if (!state.SelectedElementText.isEmpty()) {
        FUZZ_CHECK(text.selectedText() == state.SelectedElementText);
        const MapReading narrowed = ReadSelectedMap(state.SelectedElementText);
        checkReading(narrowed);
        checkRoundTrip(narrowed);
        // OK without a change writes the map and its picture back as they were.
        QStringList lines;
        for (const MapArea &area : narrowed.areas)
            lines << area.line;
        if (!narrowed.source.mapEnd.isEmpty())
            FUZZ_CHECK(MapPiecesToWrite(narrowed, narrowed.name, lines, narrowed.imageTag).join(QString())
                       == state.SelectedElementText);
    }

    // A zone from the fields, and events on every line.
    MapFields fields;
    fields.kind = in.flag() ? MapZone::Kind::Circle : MapZone::Kind::Rectangle;
    fields.x = in.number(MapFields::MaxValue + 1);
    fields.y = in.number(MapFields::MaxValue + 1);
    fields.size = 1 + in.number(MapFields::MaxValue);
    fields.height = 1 + in.number(MapFields::MaxValue);
    MapModel model;
    LoadMap(model, whole);
    model.fields = fields;
    if (model.addZone(AreaLink::None) == MapModel::AddResult::Added)
        FUZZ_CHECK(ZoneOfAreaLine(model.areas().last().line) == ZoneOfFields(fields));
    QString over = in.text(), out = in.text();
    over.remove(u'"');
    out.remove(u'"');
    over = over.left(255);
    out = out.left(255);
    for (const MapArea &area : model.areas()) {
        const QString edited = AreaLineWithEvents(area.line, over, out);
        FUZZ_CHECK(edited.endsWith(u'>'));
        const AreaEvents events = AreaLineEvents(edited);
        if (!(over + out).contains(u'>') && !(over + out).contains(u'=')) {
            FUZZ_CHECK(events.over == over);
            FUZZ_CHECK(events.out == out);
        }
    }
    return 0;
}
