#include "core/forms/choicelist.h"

bool ChoiceList::add(const QString &caption, bool checked)
{
    if (isFull())
        return false;
    m_values.append({caption, false});
    setChecked(count() - 1, checked);
    return true;
}

void ChoiceList::remove(int index)
{
    if (valid(index))
        m_values.removeAt(index);
}

int ChoiceList::moveUp(int index)
{
    if (!valid(index) || index == 0)
        return index;
    m_values.swapItemsAt(index, index - 1);
    return index - 1;
}

int ChoiceList::moveDown(int index)
{
    if (!valid(index) || index == count() - 1)
        return index;
    m_values.swapItemsAt(index, index + 1);
    return index + 1;
}

void ChoiceList::setCaption(int index, const QString &caption)
{
    if (valid(index))
        m_values[index].caption = caption;
}

void ChoiceList::setChecked(int index, bool checked)
{
    if (!valid(index))
        return;
    if (checked && m_exclusive) {
        for (ChoiceValue &value : m_values)
            value.checked = false;
    }
    m_values[index].checked = checked;
}
