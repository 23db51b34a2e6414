#include "core/completion/tagcatalog.h"

#include <QRegularExpression>

namespace {

bool isNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'-';
}

// An attribute name as the reference writes them: upper case, two
// characters or more ("HTTP-EQUIV").
bool isAttributeWord(QStringView word)
{
    if (word.size() < 2 || !word.at(0).isUpper())
        return false;
    return std::all_of(word.begin(), word.end(),
                       [](QChar c) { return (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'-'; });
}

// The attribute names a start tag is written with: the words after the
// name that are followed by "=", a blank or the end.
void tagAttributes(QStringView startTag, QStringList &out)
{
    static const QRegularExpression attribute(QStringLiteral(R"(\s([A-Za-z][A-Za-z0-9-]*)(?=[=\s>]|$))"));
    QString unquoted = startTag.toString();
    unquoted.replace(QRegularExpression(QStringLiteral(R"("[^"]*")")), QStringLiteral("\"\""));
    for (const QRegularExpressionMatch &m : attribute.globalMatch(unquoted))
        out << m.captured(1).toUpper();
}

// The names in an "Attributs:" paragraph. A parenthesis after a name holds
// its values or what it means; after other words ("événements JavaScript
// (ONCLICK, ...)") it lists attributes too.
void listedAttributes(QStringView list, QStringList &out)
{
    std::vector<bool> listsNames;
    QString previous;
    for (qsizetype i = 0; i < list.size();) {
        const QChar c = list.at(i);
        if (c == u'(') {
            listsNames.push_back(!isAttributeWord(previous) && (listsNames.empty() || listsNames.back()));
            ++i;
        } else if (c == u')') {
            if (!listsNames.empty())
                listsNames.pop_back();
            previous.clear();
            ++i;
        } else if (isNameChar(c)) {
            qsizetype j = i;
            while (j < list.size() && isNameChar(list.at(j)))
                ++j;
            previous = list.mid(i, j - i).toString();
            if (isAttributeWord(previous) && (listsNames.empty() || listsNames.back()))
                out << previous;
            i = j;
        } else {
            ++i;
        }
    }
}

void sortUnique(QStringList &names)
{
    names.sort();
    names.removeDuplicates();
}

QStringList startingWith(const QStringList &names, QStringView prefix)
{
    QStringList result;
    for (const QString &name : names) {
        if (name.startsWith(prefix, Qt::CaseInsensitive))
            result << name;
    }
    return result;
}

} // namespace

TagCatalog::TagCatalog(const QList<TagReferenceEntry> &entries)
{
    static const QRegularExpression sameAs(QStringLiteral(R"(^Attributs\s*:\s*les mêmes que ([A-Z][A-Z0-9]*))"));
    QHash<QString, QString> borrowed; // element, element whose attributes it shares
    for (const TagReferenceEntry &entry : entries) {
        const QString &tag = entry.tag;
        if (tag.size() < 2 || tag.at(0) != u'<' || !tag.at(1).isLetter())
            continue;
        qsizetype end = 1;
        while (end < tag.size() && isNameChar(tag.at(end)))
            ++end;
        const QString element = tag.mid(1, end - 1).toUpper();
        m_elements << element;
        QStringList &attributes = m_attributes[element];
        tagAttributes(tagReferenceInsertion(tag).texts.start.mid(end), attributes);
        for (const QString &paragraph : entry.description.split(u'\n')) {
            if (!paragraph.startsWith(QStringLiteral("Attributs")))
                continue;
            if (const QRegularExpressionMatch m = sameAs.match(paragraph); m.hasMatch())
                borrowed.insert(element, m.captured(1));
            else
                listedAttributes(QStringView(paragraph).mid(paragraph.indexOf(u':') + 1), attributes);
        }
    }
    for (auto it = borrowed.cbegin(); it != borrowed.cend(); ++it)
        m_attributes[it.key()] += m_attributes.value(it.value());
    for (QStringList &attributes : m_attributes)
        sortUnique(attributes);
    sortUnique(m_elements);
}

QStringList TagCatalog::elementsStartingWith(QStringView prefix) const
{
    return startingWith(m_elements, prefix);
}

QStringList TagCatalog::attributesStartingWith(QStringView element, QStringView prefix) const
{
    return startingWith(m_attributes.value(element.toString().toUpper()), prefix);
}
