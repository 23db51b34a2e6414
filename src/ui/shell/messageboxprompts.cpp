#include "ui/shell/messageboxprompts.h"

#include "core/messages/messages.h"

#include <QMessageBox>

MessageBoxPrompts::MessageBoxPrompts(QWidget *parent)
    : m_parent(parent)
{
}

bool MessageBoxPrompts::askYesNo(const QString &text)
{
    return QMessageBox::question(m_parent, msg(5000), text, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes)
           == QMessageBox::Yes;
}

Prompts::Answer MessageBoxPrompts::askYesNoCancel(const QString &text)
{
    switch (QMessageBox::question(m_parent, msg(5000), text,
                                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes)) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

void MessageBoxPrompts::information(const QString &text)
{
    QMessageBox::information(m_parent, msg(5000), text);
}

void MessageBoxPrompts::warning(const QString &text)
{
    QMessageBox::warning(m_parent, msg(5000), text);
}

void MessageBoxPrompts::error(const QString &text)
{
    QMessageBox::critical(m_parent, msg(5000), text);
}
