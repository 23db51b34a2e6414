#include "core/table/tablelosses.h"

#include "core/attributes/attributereaders.h"
#include "core/attributes/starttag.h"
#include "core/messages/messages.h"

#include <QRegularExpression>

namespace {

enum class Value { Any, Colour, Number, Size, Flag, Keyword };

struct KnownAttribute
{
    const char *name;
    Value value;
    // Keywords the reader understands, separated by "|".
    const char *keywords = "";
};

const KnownAttribute TableAttributes[] = {
    {"WIDTH", Value::Size},
    {"HEIGHT", Value::Size},
    {"BORDER", Value::Number},
    {"CELLPADDING", Value::Number},
    {"CELLSPACING", Value::Number},
    {"ALIGN", Value::Keyword, "LEFT|RIGHT"},
    {"VALIGN", Value::Keyword, "TOP|MIDDLE|BOTTOM"},
    {"BACKGROUND", Value::Any},
    {"FRAME", Value::Keyword, "VOID|ABOVE|BELOW|HSIDES|LHS|RHS|VSIDES|BOX"},
    {"RULES", Value::Keyword, "NONE|GROUPS|ROWS|COLS|ALL"},
    {"BGCOLOR", Value::Colour},
    {"BORDERCOLOR", Value::Colour},
};
const KnownAttribute CaptionAttributes[] = {
    {"ALIGN", Value::Keyword, "TOP|BOTTOM|LEFT|RIGHT|CENTER"},
    {"VALIGN", Value::Keyword, "TOP|BOTTOM"},
};
const KnownAttribute RowAttributes[] = {
    {"ALIGN", Value::Keyword, "LEFT|CENTER|RIGHT"},
    {"VALIGN", Value::Keyword, "TOP|MIDDLE|BOTTOM|BASELINE"},
    {"BGCOLOR", Value::Colour},
    {"BORDERCOLOR", Value::Colour},
};
const KnownAttribute CellAttributes[] = {
    {"COLSPAN", Value::Number},
    {"ROWSPAN", Value::Number},
    {"ALIGN", Value::Keyword, "LEFT|CENTER|RIGHT"},
    {"HEIGHT", Value::Size},
    {"WIDTH", Value::Size},
    {"VALIGN", Value::Keyword, "TOP|MIDDLE|BOTTOM|BASELINE"},
    {"BGCOLOR", Value::Colour},
    {"BORDERCOLOR", Value::Colour},
    {"BACKGROUND", Value::Any},
    {"NOWRAP", Value::Flag},
};

template<std::size_t N> const KnownAttribute *find(const KnownAttribute (&list)[N], const QString &name)
{
    for (const KnownAttribute &a : list) {
        if (name == QLatin1String(a.name))
            return &a;
    }
    return nullptr;
}

const KnownAttribute *known(TableLosses::Tag tag, const QString &name)
{
    switch (tag) {
    case TableLosses::Tag::Table:
        return find(TableAttributes, name);
    case TableLosses::Tag::Caption:
        return find(CaptionAttributes, name);
    case TableLosses::Tag::Row:
        return find(RowAttributes, name);
    case TableLosses::Tag::Cell:
        return find(CellAttributes, name);
    }
    return nullptr;
}

QString tagName(TableLosses::Tag tag)
{
    switch (tag) {
    case TableLosses::Tag::Table:
        return QStringLiteral("TABLE");
    case TableLosses::Tag::Caption:
        return QStringLiteral("CAPTION");
    case TableLosses::Tag::Row:
        return QStringLiteral("TR");
    case TableLosses::Tag::Cell:
        return QStringLiteral("TD/TH");
    }
    return {};
}

bool isBlank(QChar ch)
{
    return ch == u' ' || ch == u'\t' || ch == u'\r' || ch == u'\n' || ch == u'\f';
}

// The name as the reader looks it up: ALIGN with its leading blank, so
// that it does not match the tail of VALIGN.
QString readerName(const QString &name)
{
    return (name == u"ALIGN" ? QStringLiteral(" ") : QString()) + name + u'=';
}

bool valueFits(const KnownAttribute &a, const QString &value, bool hasValue)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]+$"));
    static const QRegularExpression size(QStringLiteral("^[0-9]+%?$"));
    if (a.value == Value::Flag)
        return true;
    if (!hasValue)
        return false;
    switch (a.value) {
    case Value::Any:
        return true;
    case Value::Colour:
        return value.size() <= 8;
    case Value::Number:
        return digits.match(value).hasMatch();
    case Value::Size:
        return size.match(value).hasMatch();
    case Value::Keyword:
        return QString::fromLatin1(a.keywords).split(u'|').contains(value.toUpper());
    case Value::Flag:
        break;
    }
    return true;
}

} // namespace

void TableLosses::note(QStringList &list, const QString &item)
{
    if (!list.contains(item))
        list << item;
}

QString TableLosses::checkAttributes(Tag tag, const QString &attributeText, const QString &asWritten)
{
    static const QRegularExpression plainName(QStringLiteral("^[A-Za-z_:][-A-Za-z0-9_:.]*$"));
    const QString &t = attributeText;
    // Read as the start tag "<T" + attributeText + ">": offsets are 2 on.
    const StartTag read = ReadStartTag(QString(QStringLiteral("<T") + t + u'>'));
    QString kept;
    for (const TagAttribute &attribute : read.attributes) {
        const QString name = attribute.name.toUpper();
        const qsizetype from = attribute.start - 2;
        const qsizetype length = std::min(attribute.end - 2, t.size()) - from;
        const KnownAttribute *a = known(tag, name);
        if (!a) {
            // Kept as written when it reads back the same: a plain name, a
            // closed quote, no tag characters, nothing blanked out.
            const QString raw = asWritten.mid(from, length);
            QString flat = raw;
            for (QChar &ch : flat)
                ch = isBlank(ch) ? u' ' : ch;
            if (read.closed && plainName.match(attribute.name).hasMatch() && !raw.contains(u'<') && !raw.contains(u'>')
                && flat == t.mid(from, length))
                kept += u' ' + raw;
            else
                note(m_attributes, tagName(tag) + u' ' + name);
            continue;
        }
        // The designer reads the first of repeated attributes, and only
        // values it understands.
        const bool readable = a->value == Value::Flag
                              || (valueFits(*a, attribute.value, attribute.hasValue)
                                  && AttrText(readerName(name), t, a->value == Value::Any) == attribute.value);
        if (!readable)
            note(m_values, tagName(tag) + u' ' + name + (attribute.hasValue ? u'=' + attribute.value : QString()));
    }
    return kept;
}

void TableLosses::checkSkipped(const QString &text)
{
    qsizetype i = 0;
    while (i < text.size()) {
        const QChar ch = text.at(i);
        if (ch == u'<') {
            if (text.mid(i, 4) == u"<!--") {
                m_comments = true;
                const qsizetype end = text.indexOf(QStringLiteral("-->"), i + 4);
                i = end < 0 ? text.size() : end + 3;
                continue;
            }
            qsizetype j = i + 1;
            if (j < text.size() && text.at(j) == u'/')
                ++j;
            const qsizetype nameStart = j;
            while (j < text.size() && (text.at(j).isLetterOrNumber()))
                ++j;
            if (j > nameStart) {
                note(m_tags, text.mid(nameStart, j - nameStart).toUpper());
                const qsizetype end = text.indexOf(u'>', j);
                i = end < 0 ? text.size() : end + 1;
                continue;
            }
        }
        if (!isBlank(ch))
            m_text = true;
        ++i;
    }
}

void TableLosses::cellBeyondColumns(int row)
{
    note(m_cells, QString::number(row + 1));
}

void TableLosses::spanCut(int column, int row)
{
    note(m_spans, QStringLiteral("(%1,%2)").arg(column + 1).arg(row + 1));
}

void TableLosses::rowPadded(int row)
{
    note(m_padded, QString::number(row + 1));
}

bool TableLosses::isEmpty() const
{
    return items().isEmpty();
}

QStringList TableLosses::items() const
{
    QStringList out;
    if (!m_tags.isEmpty())
        out << QStringLiteral("les balises ") + m_tags.join(QStringLiteral(", "));
    if (m_comments)
        out << QStringLiteral("les commentaires");
    if (m_text)
        out << QStringLiteral("le texte placé hors des cellules");
    if (!m_attributes.isEmpty())
        out << QStringLiteral("les attributs ") + m_attributes.join(QStringLiteral(", "));
    if (!m_values.isEmpty())
        out << QStringLiteral("les valeurs d'attributs ") + m_values.join(QStringLiteral(", "));
    if (!m_cells.isEmpty())
        out << QStringLiteral("les cellules au-delà du nombre de colonnes (rangées ")
                   + m_cells.join(QStringLiteral(", ")) + u')';
    if (!m_spans.isEmpty())
        out << QStringLiteral("l'étendue des cellules fusionnées qui dépassent le tableau ")
                   + m_spans.join(QStringLiteral(", "));
    if (!m_padded.isEmpty())
        out << msg(9400).arg(m_padded.join(QStringLiteral(", ")));
    return out;
}
