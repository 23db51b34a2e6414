#include "ui/media/radiogroup.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLayout>
#include <QRadioButton>
#include <QVBoxLayout>

QButtonGroup *radioGroup(QWidget *owner, QLayout *layout, const QString &title,
                         std::initializer_list<const char *> items)
{
    auto *box = new QGroupBox(title, owner);
    // Each box is its own group to a screen reader, named by its title.
    box->setAccessibleName(QString(title).remove(u'&'));
    auto *boxLayout = new QVBoxLayout(box);
    auto *group = new QButtonGroup(owner);
    int id = 0;
    for (const char *item : items) {
        auto *button = new QRadioButton(QString::fromUtf8(item), box);
        boxLayout->addWidget(button);
        group->addButton(button, id++);
    }
    group->button(0)->setChecked(true);
    layout->addWidget(box);
    return group;
}
