#pragma once

#include "core/formatting/tagreference.h"

#include <QHash>
#include <QStringList>

// The element names and, for each element, the attribute names that
// completion offers, read from the tag reference: an entry's tag gives the
// element and the attributes it is inserted with; its paragraph that starts
// with "Attributs:" lists the others. Names are kept in upper case, the
// program's style, and sorted.
class TagCatalog
{
public:
    TagCatalog() = default;
    explicit TagCatalog(const QList<TagReferenceEntry> &entries);

    const QStringList &elements() const { return m_elements; }
    // Letter case ignored in element and prefix.
    QStringList elementsStartingWith(QStringView prefix) const;
    QStringList attributesStartingWith(QStringView element, QStringView prefix) const;

private:
    QStringList m_elements;
    QHash<QString, QStringList> m_attributes;
};
