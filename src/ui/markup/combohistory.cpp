#include "ui/markup/combohistory.h"

#include "core/markup/valuehistory.h"

#include <QComboBox>
#include <QSignalBlocker>

void AddToComboHistory(QComboBox *comboBox)
{
    if (!comboBox)
        return;
    const QString value = comboBox->currentText();
    if (value.isEmpty())
        return;
    QStringList history;
    for (int i = 0; i < comboBox->count(); ++i)
        history.append(comboBox->itemText(i));
    AddToComboHistory(history, value);

    const QSignalBlocker blocker(comboBox);
    comboBox->clear();
    comboBox->addItems(history);
    if (comboBox->isEditable()) {
        comboBox->setCurrentIndex(-1);
        comboBox->setEditText(value);
    } else {
        comboBox->setCurrentIndex(0);
    }
}
