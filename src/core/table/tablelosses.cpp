#include "core/table/tablelosses.h"

#include "core/attributes/attributereaders.h"
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

QList<KnownAttribute> knownList(TableLosses::Tag tag)
{
    switch (tag) {
    case TableLosses::Tag::Table:
        return QList<KnownAttribute>(std::begin(TableAttributes), std::end(TableAttributes));
    case TableLosses::Tag::Caption:
        return QList<KnownAttribute>(std::begin(CaptionAttributes), std::end(CaptionAttributes));
    case TableLosses::Tag::Row:
        return QList<KnownAttribute>(std::begin(RowAttributes), std::end(RowAttributes));
    case TableLosses::Tag::Cell:
        return QList<KnownAttribute>(std::begin(CellAttributes), std::end(CellAttributes));
    }
    return {};
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
    QString kept;
    QStringList present;
    qsizetype i = 0;
    while (i < t.size()) {
        if (isBlank(t.at(i)) || t.at(i) == u'/') {
            ++i;
            continue;
        }
        const qsizetype nameStart = i;
        while (i < t.size() && !isBlank(t.at(i)) && t.at(i) != u'=' && t.at(i) != u'>')
            ++i;
        const QString name = t.mid(nameStart, i - nameStart).toUpper();
        qsizetype j = i;
        while (j < t.size() && isBlank(t.at(j)))
            ++j;
        bool hasValue = false;
        bool blankBeforeValue = j > i;
        bool closed = true;
        QString value;
        if (j < t.size() && t.at(j) == u'=') {
            hasValue = true;
            ++j;
            blankBeforeValue = blankBeforeValue || (j < t.size() && isBlank(t.at(j)));
            while (j < t.size() && isBlank(t.at(j)))
                ++j;
            if (j < t.size() && (t.at(j) == u'"' || t.at(j) == u'\'')) {
                const QChar quote = t.at(j);
                const qsizetype close = t.indexOf(quote, j + 1);
                const qsizetype end = close < 0 ? t.size() : close;
                closed = close >= 0;
                value = t.mid(j + 1, end - j - 1);
                // The reader takes double-quoted values only.
                blankBeforeValue = blankBeforeValue || quote == u'\'';
                i = close < 0 ? t.size() : close + 1;
            } else {
                const qsizetype from = j;
                while (j < t.size() && !isBlank(t.at(j)) && t.at(j) != u'>')
                    ++j;
                value = t.mid(from, j - from);
                i = j;
            }
        } else {
            i = std::max(i, nameStart + 1);
        }
        if (name.isEmpty() || name == u">")
            continue;
        present << name;
        const KnownAttribute *a = known(tag, name);
        if (!a) {
            // Kept as written when it reads back the same: a plain name, a
            // closed quote, no tag characters, nothing blanked out.
            const QString raw = asWritten.mid(nameStart, i - nameStart);
            QString flat = raw;
            for (QChar &ch : flat)
                ch = isBlank(ch) ? u' ' : ch;
            if (plainName.match(name).hasMatch() && closed && !raw.contains(u'<') && !raw.contains(u'>')
                && flat == t.mid(nameStart, i - nameStart))
                kept += u' ' + raw;
            else
                note(m_attributes, tagName(tag) + u' ' + name);
            continue;
        }
        // The reader takes the value right after "NAME=": spaces around the
        // "=" or another quoting hide it.
        const bool readable = a->value == Value::Flag
                              || (!blankBeforeValue && valueFits(*a, value, hasValue)
                                  && AttrText(readerName(name), t, a->value == Value::Any) == value);
        if (!readable)
            note(m_values, tagName(tag) + u' ' + name + (hasValue ? u'=' + value : QString()));
    }
    // A known name that is no attribute of this tag but that the reader
    // finds inside another one's value (title="a WIDTH=3", a word NOWRAP)
    // would give the table a setting the author never made.
    for (const KnownAttribute &a : knownList(tag)) {
        const QString name = QString::fromLatin1(a.name);
        if (present.contains(name))
            continue;
        const bool found = a.value == Value::Flag
                               ? t.split(u' ', Qt::SkipEmptyParts).contains(name, Qt::CaseInsensitive)
                               : t.contains(readerName(name), Qt::CaseInsensitive);
        if (found)
            note(m_values, tagName(tag) + u' ' + name);
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
