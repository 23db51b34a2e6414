#include "core/formatting/listmarkup.h"

#include "core/attributes/attributereaders.h"
#include "core/attributes/starttag.h"

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
        // The name ends as a browser ends it: at a blank, "/" or ">".
        if (after >= text.size() || text.at(after).isSpace() || text.at(after) == u'>' || text.at(after) == u'/')
            return step;
    }
    return 0;
}

bool tagAt(QStringView text, qsizetype i, QStringView tag)
{
    return text.mid(i, tag.size()).compare(tag, Qt::CaseInsensitive) == 0;
}

// One item marker of the list's own level ("<LI ...>", "<DT>", "<DD>") and
// the stretch of content that follows it, as positions in the content.
struct Part
{
    int marker;         // index into the markers looked for
    qsizetype tagStart; // the "<"
    qsizetype tagEnd;   // just past its ">"
    qsizetype end;      // where the next marker (or the content) starts
};

QList<Part> splitAtLevel(QStringView content, const QList<QStringView> &markers)
{
    QList<Part> parts;
    int depth = 0;
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
                || (content.at(after) != u'>' && content.at(after) != u' ' && content.at(after) != u'\t'
                    && content.at(after) != u'\r' && content.at(after) != u'\n'))
                continue;
            if (!parts.isEmpty())
                parts.last().end = i;
            const qsizetype close = StartTagEnd(content, i);
            const qsizetype tagEnd = close < 0 ? content.size() : close;
            parts.append(Part{m, i, tagEnd, content.size()});
            i = tagEnd - 1;
            break;
        }
    }
    return parts;
}

// A list element cut into its start tag, its content and its end.
struct ListText
{
    QString startTag;
    QStringView content;
    QString tail; // the end tag and anything after it
    QList<Part> parts;
    QList<int> firstPartOfItem; // index into parts where each item begins
};

ListText cutList(ListKind kind, const QString &element)
{
    ListText t;
    const qsizetype close = StartTagEnd(element, qMax<qsizetype>(0, element.indexOf(u'<')));
    const qsizetype tagEnd = close < 0 ? element.size() : close;
    t.startTag = element.left(tagEnd);
    t.content = QStringView(element).mid(tagEnd);
    const qsizetype end = t.content.lastIndexOf(listEndTag(kind), -1, Qt::CaseInsensitive);
    if (end >= 0) {
        t.tail = t.content.mid(end).toString();
        t.content = t.content.first(end);
    }
    if (kind == ListKind::Definition)
        t.parts = splitAtLevel(t.content, {u"<DT", u"<DD"});
    else
        t.parts = splitAtLevel(t.content, {u"<LI"});
    for (int i = 0; i < t.parts.size(); ++i) {
        if (t.parts[i].marker == 0 || t.firstPartOfItem.isEmpty())
            t.firstPartOfItem.append(i);
    }
    return t;
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
    const ListText list = cutList(kind, element);
    const QString &startTag = list.startTag;

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

    QList<ListItem> items;
    bool hasDefinition = false;
    for (const Part &part : list.parts) {
        if (part.marker == 0 || items.isEmpty()) {
            items.append(ListItem{});
            hasDefinition = false;
        }
        const QString text = oneLine(list.content.mid(part.tagEnd, part.end - part.tagEnd).toString());
        if (part.marker == 0 || kind != ListKind::Definition) {
            items.last().text = text;
        } else if (!hasDefinition) {
            // The first definition of a term; further ones stay in the page.
            items.last().definition = text;
            hasDefinition = true;
        }
    }
    if (items.isEmpty())
        items.append(ListItem{});
    fields.items = items;
    return fields;
}

QStringList listPiecesToWrite(const QString &original, const ListFields &fields)
{
    if (original.isEmpty())
        return listPieces(fields);
    const ListFields read = readList(fields.kind, original);
    const ListText list = cutList(fields.kind, original);
    QString out = MergeStartTag(list.startTag, listPieces(read).constFirst(), listPieces(fields).constFirst());
    // What stands before the first item stays.
    out += list.content.first(list.parts.isEmpty() ? list.content.size() : list.parts.first().tagStart);

    const bool definition = fields.kind == ListKind::Definition;
    const QStringList fresh = listPieces(fields);
    QString lastBlanks; // the blanks that ended the last old item, kept after new ones
    for (qsizetype i = 0; i < fields.items.size(); ++i) {
        if (i >= list.firstPartOfItem.size()) {
            // A list without items reads as one empty item; left empty, it
            // writes none.
            if (list.parts.isEmpty() && fields.items.size() == 1 && fields.items.at(0).text.isEmpty()
                && fields.items.at(0).definition.isEmpty())
                continue;
            if (i == list.firstPartOfItem.size()) {
                qsizetype keep = out.size();
                while (keep > 0 && out.at(keep - 1).isSpace())
                    --keep;
                lastBlanks = out.mid(keep);
                out.truncate(keep);
            }
            out += fresh.at(i + 1);
            continue;
        }
        const int first = list.firstPartOfItem.at(i);
        const int last = i + 1 < list.firstPartOfItem.size() ? list.firstPartOfItem.at(i + 1) : int(list.parts.size());
        if (i < read.items.size() && fields.items.at(i).text == read.items.at(i).text
            && fields.items.at(i).definition == read.items.at(i).definition) {
            // Unchanged: the item as written, its LI attributes and layout included.
            out += list.content.mid(list.parts[first].tagStart, list.parts[last - 1].end - list.parts[first].tagStart);
            continue;
        }
        // Changed: each marker tag stays as written, its text is replaced, and
        // the blanks and line breaks that followed it stay.
        bool wroteDefinition = false;
        bool wroteTerm = false;
        for (int k = first; k < last; ++k) {
            const Part &part = list.parts[k];
            // A definition the page gave no term: the term typed goes before it.
            if (definition && part.marker == 1 && !wroteTerm && !fields.items.at(i).text.isEmpty())
                out += QStringLiteral("<DT>") + fields.items.at(i).text;
            wroteTerm = true;
            const QStringView body = list.content.mid(part.tagEnd, part.end - part.tagEnd);
            qsizetype trail = body.size();
            while (trail > 0 && body.at(trail - 1).isSpace())
                --trail;
            const bool isDefinition = definition && part.marker == 1;
            if (isDefinition && wroteDefinition) {
                // A second definition of the term: the grid shows one, the
                // others stay as written.
                out += list.content.mid(part.tagStart, part.end - part.tagStart);
                continue;
            }
            wroteDefinition = wroteDefinition || isDefinition;
            out += list.content.mid(part.tagStart, part.tagEnd - part.tagStart);
            out += isDefinition ? fields.items.at(i).definition : fields.items.at(i).text;
            out += body.mid(trail);
        }
        if (definition && !wroteDefinition && !fields.items.at(i).definition.isEmpty())
            out += QStringLiteral("<DD>") + fields.items.at(i).definition;
    }
    // The end tag as written; a list read without one does not gain one.
    return {out + lastBlanks + list.tail};
}
