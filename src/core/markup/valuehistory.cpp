#include "core/markup/valuehistory.h"

void AddToComboHistory(QStringList &history, const QString &value)
{
    if (value.isEmpty())
        return;
    history.removeAll(value);
    while (history.size() >= MaxComboHistory)
        history.removeLast();
    history.prepend(value);
}
