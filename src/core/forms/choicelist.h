#pragma once

#include <QList>
#include <QString>

// One value of a check box group, a radio group, a list box or a drop-down
// list: its caption and whether it is checked (the drop-down's default
// option).
struct ChoiceValue
{
    QString caption;
    bool checked = false;

    bool operator==(const ChoiceValue &other) const = default;
};

// The values the controls builder edits in its sketch. A limited list
// refuses values beyond its limit; in an exclusive list (radio buttons, the
// drop-down's default) checking one value unchecks the others.
class ChoiceList
{
public:
    explicit ChoiceList(int limit = 0, bool exclusive = false)
        : m_limit(limit)
        , m_exclusive(exclusive)
    {}

    const QList<ChoiceValue> &values() const { return m_values; }
    int count() const { return int(m_values.size()); }
    bool isFull() const { return m_limit > 0 && count() >= m_limit; }

    // Appends a value; false (nothing added) when the list is full.
    bool add(const QString &caption, bool checked = false);
    // The operations below ignore an index outside the list; the moves
    // return the value's new index.
    void remove(int index);
    int moveUp(int index);
    int moveDown(int index);
    void setCaption(int index, const QString &caption);
    void setChecked(int index, bool checked);

private:
    bool valid(int index) const { return index >= 0 && index < count(); }

    QList<ChoiceValue> m_values;
    int m_limit;
    bool m_exclusive;
};
