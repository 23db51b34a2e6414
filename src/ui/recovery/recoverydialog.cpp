#include "ui/recovery/recoverydialog.h"

#include "core/messages/messages.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

RecoveryDialog::RecoveryDialog(DialogServices &services, const QStringList &captions, QWidget *parent)
    : ElementDialog(services, msg(9210), QStringLiteral("secours.html"), parent)
{
    okButton()->setText(msg(9211));
    cancelButton()->setText(msg(9212));
    auto *caption = new QLabel(msg(9213), this);
    m_pages = new QListWidget(this);
    // Plain text, one line each: a name is shown as it is, never as markup.
    m_pages->addItems(captions);
    m_pages->setUniformItemSizes(true);
    m_pages->setTextElideMode(Qt::ElideMiddle);
    m_pages->setCurrentRow(0);
    caption->setBuddy(m_pages);
    body()->addWidget(caption);
    body()->addWidget(m_pages, 1);
    body()->addWidget(note(msg(9002)));
    resize(560, 360);
}
