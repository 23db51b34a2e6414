#include "core/imagemap/mapwriter.h"

#include "core/attributes/starttag.h"
#include "core/imagemap/mapreader.h"
#include "core/markup/editorstate.h"
#include "core/markup/insertion.h"

namespace {

// The picture's tag with a USEMAP for the map, placed where a browser reads
// it: after the last attribute, or after the element name when the last one
// is a dangling "NAME=" that would take it as its value.
QString withUsemap(const QString &imageTag, const QString &name)
{
    return MergeStartTag(imageTag, QStringLiteral("<IMG>"),
                         QStringLiteral("<IMG USEMAP=") + QuotedValue(u'#' + name) + u'>');
}

} // namespace

QStringList MapPieces(const QString &name, const QStringList &lines, const QString &imageTag)
{
    const QString crlf = QStringLiteral("\r\n");
    QStringList pieces{QStringLiteral("<MAP NAME=\"%1\">").arg(name), crlf};
    if (!lines.isEmpty()) {
        QString block;
        for (const QString &line : lines)
            block += QStringLiteral("  ") + line + crlf;
        pieces << block;
    }
    pieces << QStringLiteral("</MAP>") + crlf;
    if (imageTag.contains(QLatin1Char('>')))
        pieces << withUsemap(imageTag, name);
    return pieces;
}

QStringList MapPiecesToWrite(const MapReading &read, const QString &name, const QStringList &lines,
                             const QString &imageTag)
{
    const MapSource &source = read.source;
    if (source.mapTag.isEmpty() || source.mapEnd.isEmpty() || imageTag.isEmpty())
        return MapPieces(name, lines, imageTag);
    const auto named = [](const char *tag, const QString &value) {
        return QLatin1String(tag) + QuotedValue(value) + u'>';
    };
    QString map = MergeStartTag(source.mapTag, named("<MAP NAME=", read.name), named("<MAP NAME=", name));
    QStringList readLines;
    for (const MapArea &area : read.areas)
        readLines << area.line;
    if (lines == readLines) {
        map += source.content;
    } else {
        map += QStringLiteral("\r\n");
        for (const QString &line : lines)
            map += QStringLiteral("  ") + line + QStringLiteral("\r\n");
        if (!source.contentTail.isEmpty())
            map += source.contentTail + QStringLiteral("\r\n");
    }
    map += source.mapEnd;
    QString image;
    if (imageTag == read.imageTag)
        image =
            MergeStartTag(source.imageTag, named("<IMG USEMAP=", u'#' + read.name), named("<IMG USEMAP=", u'#' + name));
    else
        image = withUsemap(imageTag, name);
    QStringList pieces =
        source.imageFirst ? QStringList{image, source.between, map} : QStringList{map, source.between, image};
    pieces.removeAll(QString());
    return pieces;
}

void WriteMap(DocumentText &text, UndoHistory &undo, EditorState &state, const QStringList &pieces)
{
    const UndoKind kind = state.SelectedElementText.isEmpty() ? ukInsert : ukReplace;
    for (qsizetype i = 0; i < pieces.size(); ++i)
        InsertTagPair(text, undo, state, pieces.at(i), QString(), i == 0, true, i == 0 ? kind : ukInsert);
}
