#include "core/formatting/listmarkup.h"

#include "core/formatting/attributes.h"

#include <QRegularExpression>

namespace {

struct KindTexts
{
    const char16_t *caption;
    const char16_t *description;
    const char16_t *name;
};

const KindTexts &texts(ListKind kind)
{
    static constexpr KindTexts Texts[] = {
        {u"Liste ordonnée", u"La liste ordonnée est une liste d'items dans un ordre donné.", u"OL"},
        {u"Liste non ordonnée", u"La liste non ordonnée est une liste d'items séparée par des puces.", u"UL"},
        {u"Définition de liste", u"La définition de liste est une liste de termes et de définitions.", u"DL"},
        {u"Liste menu", u"La liste menu est une liste non ordonnée en plus compacte.", u"MENU"},
        {u"Liste répertoire", u"La liste répertoire est semblable à la liste menu.", u"DIR"},
    };
    const int index = int(kind) - 1;
    return Texts[index >= 0 && index < 5 ? index : 1];
}

const char16_t *const NumberingTypes[] = {u"", u" TYPE=a", u" TYPE=A", u" TYPE=i", u" TYPE=I"};

// Line breaks and the indentation after them become one blank: an item is
// one line of the grid, and HTML reads both the same.
QString oneLine(const QString &text)
{
    static const QRegularExpression Breaks(QStringLiteral("[ \\t]*[\\r\\n]+[ \\t]*"));
    QString line = text;
    line.replace(Breaks, QStringLiteral(" "));
    return line.trimmed();
}

// A tag of one of the list elements at position i ("<OL", "</UL", ...):
// +1 for a start tag, -1 for an end tag, 0 for anything else.
int listNesting(QStringView text, qsizetype i)
{
    static const QStringView Names[] = {u"OL", u"UL", u"DL", u"MENU", u"DIR"};
    qsizetype at = i + 1;
    int step = 1;
    if (at < text.size() && text.at(at) == u'/') {
        ++at;
        step = -1;
    }
    for (QStringView name : Names) {
        if (text.mid(at, name.size()).compare(name, Qt::CaseInsensitive) != 0)
            continue;
        const qsizetype after = at + name.size();
        if (after >= text.size() || !text.at(after).isLetterOrNumber())
            return step;
    }
    return 0;
}

bool tagAt(QStringView text, qsizetype i, QStringView tag)
{
    return text.mid(i, tag.size()).compare(tag, Qt::CaseInsensitive) == 0;
}

// The stretches of content that follow each marker of the list's own level.
QStringList splitAtLevel(QStringView content, const QList<QStringView> &markers, QList<int> *which)
{
    QStringList parts;
    int depth = 0;
    qsizetype partStart = -1;
    for (qsizetype i = 0; i < content.size(); ++i) {
        if (content.at(i) != u'<')
            continue;
        depth = std::max(0, depth + listNesting(content, i));
        if (depth != 0)
            continue;
        for (int m = 0; m < markers.size(); ++m) {
            // "<LI>" or "<LI" with attributes.
            const qsizetype after = i + markers[m].size();
            if (!tagAt(content, i, markers[m]) || after >= content.size()
                || (content.at(after) != u'>' && content.at(after) != u' ' && content.at(after) != u'\t'))
                continue;
            if (partStart >= 0)
                parts << content.mid(partStart, i - partStart).toString();
            const qsizetype close = content.indexOf(u'>', after);
            partStart = close < 0 ? content.size() : close + 1;
            if (which)
                which->append(m);
            break;
        }
    }
    if (partStart >= 0)
        parts << content.mid(partStart).toString();
    return parts;
}

} // namespace

QString listCaption(ListKind kind)
{
    return QString::fromUtf16(texts(kind).caption);
}

QString listDescription(ListKind kind)
{
    return QString::fromUtf16(texts(kind).description);
}

QString listStartMarker(ListKind kind)
{
    return u'<' + QString::fromUtf16(texts(kind).name);
}

QString listEndTag(ListKind kind)
{
    return QStringLiteral("</") + QString::fromUtf16(texts(kind).name) + u'>';
}

QString normalizedListStart(const QString &start)
{
    const QString trimmed = start.trimmed();
    if (trimmed == u"-")
        return trimmed;
    bool ok = false;
    const int value = trimmed.toInt(&ok);
    return ok && value != 0 ? QString::number(value) : QStringLiteral("1");
}

QStringList listPieces(const ListFields &fields)
{
    QString start = listStartMarker(fields.kind);
    switch (fields.kind) {
    case ListKind::Ordered: {
        start += QString::fromUtf16(NumberingTypes[int(fields.numbering)]);
        const QString number = normalizedListStart(fields.start);
        if (number != u"1" && number != u"-")
            start += QStringLiteral(" START=") + number;
        break;
    }
    case ListKind::Unordered:
        if (fields.compact)
            start += QStringLiteral(" COMPACT");
        if (fields.bullet == ListBullet::Circle)
            start += QStringLiteral(" TYPE=CIRCLE");
        else if (fields.bullet == ListBullet::Disc)
            start += QStringLiteral(" TYPE=DISC");
        else if (fields.bullet == ListBullet::Square)
            start += QStringLiteral(" TYPE=SQUARE");
        break;
    case ListKind::Definition:
        if (fields.compact)
            start += QStringLiteral(" COMPACT");
        break;
    case ListKind::Menu:
    case ListKind::Directory:
        break;
    }
    QStringList pieces{start + u'>'};
    const qsizetype count = std::max<qsizetype>(fields.items.size(), 1);
    for (qsizetype i = 0; i < count; ++i) {
        const ListItem item = i < fields.items.size() ? fields.items.at(i) : ListItem{};
        if (fields.kind == ListKind::Definition)
            pieces << QStringLiteral("\r\n  <DT>") + item.text + QStringLiteral("<DD>") + item.definition;
        else
            pieces << QStringLiteral("\r\n  <LI>") + item.text;
    }
    pieces << QStringLiteral("\r\n") + listEndTag(fields.kind);
    return pieces;
}

ListFields readList(ListKind kind, const QString &element)
{
    ListFields fields;
    fields.kind = kind;
    const qsizetype tagEnd = element.indexOf(u'>');
    const QString startTag = tagEnd < 0 ? element : element.left(tagEnd + 1);

    if (kind == ListKind::Ordered) {
        if (const auto start = tagAttribute(startTag, u"START")) {
            if (const auto number = leadingNumber(*start))
                fields.start = normalizedListStart(QString::number(*number));
        }
        // Letter case of the value tells the numbering kinds apart.
        if (const auto type = tagAttribute(startTag, u"TYPE")) {
            static const QStringView Types[] = {u"a", u"A", u"i", u"I"};
            for (int i = 0; i < 4; ++i) {
                if (*type == Types[i])
                    fields.numbering = ListNumbering(i + 1);
            }
        }
    } else if (kind == ListKind::Unordered || kind == ListKind::Definition) {
        fields.compact = tagHasWord(startTag, u"COMPACT");
        if (kind == ListKind::Unordered) {
            if (const auto type = tagAttribute(startTag, u"TYPE")) {
                const QString t = type->toUpper();
                fields.bullet = t == u"DISC"     ? ListBullet::Disc
                                : t == u"SQUARE" ? ListBullet::Square
                                : t == u"CIRCLE" ? ListBullet::Circle
                                                 : ListBullet::None;
            }
        }
    }

    // The content runs from the start tag to the list's end tag.
    QStringView content = QStringView(element).mid(tagEnd < 0 ? element.size() : tagEnd + 1);
    const qsizetype end = content.lastIndexOf(listEndTag(kind), -1, Qt::CaseInsensitive);
    if (end >= 0)
        content = content.first(end);

    QList<ListItem> items;
    if (kind == ListKind::Definition) {
        QList<int> which;
        const QStringList parts = splitAtLevel(content, {u"<DT", u"<DD"}, &which);
        for (int i = 0; i < parts.size(); ++i) {
            if (which[i] == 0 || items.isEmpty())
                items.append(ListItem{});
            (which[i] == 0 ? items.last().text : items.last().definition) = oneLine(parts[i]);
        }
    } else {
        for (const QString &part : splitAtLevel(content, {u"<LI"}, nullptr))
            items.append(ListItem{oneLine(part), QString()});
    }
    if (items.isEmpty())
        items.append(ListItem{});
    fields.items = items;
    return fields;
}
