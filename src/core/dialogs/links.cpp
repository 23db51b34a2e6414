#include "core/dialogs/links.h"
#include "core/attributes/starttag.h"

#include "core/dialogs/linkedfile.h"
#include "core/messages/messages.h"
#include "core/text/pagefile.h"

#include "core/markup/identifiers.h"
#include "core/markup/insertion.h"
#include "core/text/documenttext.h"

#include <algorithm>

const QStringList &LinkProtocols()
{
    static const QStringList protocols = {
        QStringLiteral("-----"),  QStringLiteral("http"),   QStringLiteral("afs"),    QStringLiteral("ftp"),
        QStringLiteral("file"),   QStringLiteral("newsrc"), QStringLiteral("nntp"),   QStringLiteral("gopher"),
        QStringLiteral("mailto"), QStringLiteral("news"),   QStringLiteral("telnet"), QStringLiteral("wais"),
    };
    return protocols;
}

QString ProtocolPrefix(int item)
{
    if (item <= 0 || item >= LinkProtocols().size())
        return QString();
    const QString &name = LinkProtocols().at(item);
    // Mail and news addresses take no slashes.
    if (name == QLatin1String("mailto") || name == QLatin1String("news"))
        return name + u':';
    return name + QStringLiteral("://");
}

QString ProtocolChoice::choose(const QString &address, int item)
{
    QString result = address;
    const QString old = ProtocolPrefix(m_previous);
    if (!old.isEmpty() && result.startsWith(old))
        result.remove(0, old.size());
    result.prepend(ProtocolPrefix(item));
    if (item != ProtocolNone)
        m_previous = item;
    return result;
}

QString TargetPreset(int item)
{
    static const char *const presets[] = {"", "_blank", "_self", "_parent", "_top"};
    return item >= 0 && item < 5 ? QString::fromLatin1(presets[item]) : QString();
}

const QStringList &TargetPresetCaptions()
{
    static const QStringList captions = {
        QStringLiteral("Aucune    (Lien vers le nom du cadre donné)"),
        QStringLiteral("_blank      (Lien vers une nouvelle fenêtre du navigateur)"),
        QStringLiteral("_self         (Lien vers le cadre d'où le lien est appelé)"),
        QStringLiteral("_parent    (Lien vers le premier cadre parent) "),
        QStringLiteral("_top         (Lien vers une pleine page pour sortir des cadres)"),
    };
    return captions;
}

QString LocalLinkFile(const QString &address, int protocol)
{
    if (protocol == ProtocolNone)
        return address;
    if (protocol == ProtocolFile)
        return address.mid(7);
    return QString();
}

bool IsPreviewableFile(const QString &fileName)
{
    for (const char *extension : {".html", ".htm", ".txt"}) {
        if (fileName.endsWith(QLatin1String(extension), Qt::CaseInsensitive))
            return true;
    }
    return false;
}

QStringList ReadDestinations(const QString &pageText)
{
    // Every anchor with a NAME, however it is quoted or where NAME stands.
    QStringList names;
    for (StartTag tag = FindStartTag(pageText, u"A"); tag.closed; tag = FindStartTag(pageText, u"A", tag.end)) {
        const QString name = tag.value(u"NAME").value_or(QString());
        if (!name.isEmpty())
            names << name;
    }
    return names;
}

QString ExternalLinkAddress(const ExternalLink &link)
{
    return link.destination.isEmpty() ? link.address : link.address + u'#' + link.destination;
}

namespace {

QString nameAttribute(const QString &name)
{
    return name.isEmpty() ? QString() : QStringLiteral(" NAME=") + QuotedValue(MakeIdentifier(name));
}

} // namespace

QString ExternalLinkStartTag(const ExternalLink &link)
{
    QString tag = QStringLiteral("<A HREF=") + QuotedValue(ExternalLinkAddress(link)) + nameAttribute(link.name);
    if (!link.target.isEmpty())
        tag += QStringLiteral(" TARGET=") + QuotedValue(MakeIdentifier(link.target));
    return tag + link.events + u'>';
}

QString InternalLinkStartTag(const QString &destination, const QString &name, const QString &events)
{
    return QStringLiteral("<A HREF=") + QuotedValue(u'#' + destination) + nameAttribute(name) + events + u'>';
}

void CreateAnchor(DocumentText &text, UndoHistory &undo, EditorState &state, const QString &name, int line)
{
    if (line < 0 || line >= text.lineCount())
        return;
    const QString startTag = QStringLiteral("<A NAME=") + QuotedValue(name) + u'>';
    const QString endTag = QStringLiteral("</A>");
    const int lineStart = text.lineStart(line);
    const int lineEnd = lineStart + text.lineLength(line);
    // Where a position of the user's selection lands once the line is
    // wrapped: unchanged before the line, after the start tag inside it,
    // after both tags from the line's end on (a selection that ends there
    // takes the closing tag in).
    const auto moved = [&](int position) {
        if (position <= lineStart)
            return position;
        if (position < lineEnd)
            return position + int(startTag.size());
        return position + int(startTag.size() + endTag.size());
    };
    const int start = text.selectionStart();
    const int end = start + text.selectionLength();
    const int newStart = moved(start);
    const int newEnd = std::max(newStart, moved(end));
    text.select(lineStart, text.lineLength(line));
    InsertTagPair(text, undo, state, startTag, endTag, true, true, UndoKind::ukWrap);
    text.select(newStart, newEnd - newStart);
}

LinkPreview PreviewLinkedFile(const QString &address, int protocol, const QString &documentFileName)
{
    LinkPreview preview;
    const QString file = LocalLinkFile(address, protocol);
    if (!LinkedFileExists(file, documentFileName))
        return preview;
    if (!IsPreviewableFile(file)) {
        preview.kind = LinkPreview::Unknown;
        preview.text = msg(31);
        return preview;
    }
    const std::optional<LoadedPage> page = loadPage(ResolveLinkedFile(file, documentFileName));
    if (!page)
        return preview;
    preview.kind = LinkPreview::Page;
    preview.text = page->text;
    preview.destinations = ReadDestinations(page->text);
    return preview;
}
