#include "ui/shell/messageboxprompts.h"

#include "core/messages/messages.h"

#include <QMessageBox>

namespace {

// Messages quote markup ("<BODY>", "<HEAD>") and file names: they are shown
// as plain text, never read as rich text that would swallow the tags.
QMessageBox::StandardButton ask(QWidget *parent, QMessageBox::Icon icon, const QString &text,
                                QMessageBox::StandardButtons buttons)
{
    QMessageBox box(icon, msg(5000), text, buttons, parent);
    box.setTextFormat(Qt::PlainText);
    if (buttons & QMessageBox::Yes)
        box.setDefaultButton(QMessageBox::Yes);
    return QMessageBox::StandardButton(box.exec());
}

} // namespace

MessageBoxPrompts::MessageBoxPrompts(QWidget *parent)
    : m_parent(parent)
{}

bool MessageBoxPrompts::askYesNo(const QString &text)
{
    return ask(m_parent, QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

Prompts::Answer MessageBoxPrompts::askYesNoCancel(const QString &text)
{
    switch (ask(m_parent, QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
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
    ask(m_parent, QMessageBox::Information, text, QMessageBox::Ok);
}

void MessageBoxPrompts::warning(const QString &text)
{
    ask(m_parent, QMessageBox::Warning, text, QMessageBox::Ok);
}

void MessageBoxPrompts::error(const QString &text)
{
    ask(m_parent, QMessageBox::Critical, text, QMessageBox::Ok);
}
