#include "ui/dialogs/eventsdialog.h"

#include "core/messages/messages.h"
#include "core/shell/documenthost.h"
#include "core/shell/prompts.h"
#include "ui/dialogs/dialogservices.h"
#include "ui/tagcommands/tooltabs.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

EventsDialog::EventsDialog(DialogServices &services, QWidget *parent)
    : ElementDialog(services, QStringLiteral("Définition de la fonction JavaScript"), QStringLiteral("evenements.html"),
                    parent)
{
    setObjectName(QStringLiteral("TEventsFrm"));
    m_group = new QGroupBox(msg(724), this);
    auto *grid = new QGridLayout(m_group);
    // Three columns, filled row by row, in the events' order.
    for (int i = 0; i < JsEventCount; ++i) {
        const auto event = JsEvent(i + 1);
        auto *button = new QRadioButton(msg(jsEventCaption(event)), m_group);
        button->setObjectName(jsEventName(event));
        button->setEnabled(false);
        grid->addWidget(button, i / 3, i % 3);
        connect(button, &QRadioButton::clicked, this, [this, event] { eventClicked(event); });
        m_buttons[i] = button;
    }
    body()->addWidget(m_group);

    auto *caption = new QLabel(QStringLiteral("&") + msg(739), this);
    body()->addWidget(caption);
    auto *row = new QHBoxLayout;
    m_field = lineEdit(256);
    m_field->setMinimumWidth(360);
    m_field->installEventFilter(this);
    caption->setBuddy(m_field);
    m_script = new QToolButton(this);
    m_script->setIcon(toolbarIcon(QStringLiteral("script")));
    m_script->setIconSize(QSize(24, 24));
    m_script->setToolTip(msg(7704));
    m_script->setAccessibleName(msg(7704));
    m_script->setFocusPolicy(Qt::StrongFocus);
    m_script->setEnabled(bool(services.openScriptEditor));
    connect(m_script, &QToolButton::clicked, this, &EventsDialog::editFunction);
    row->addWidget(m_field, 1);
    row->addWidget(m_script);
    body()->addLayout(row);
}

QRadioButton *EventsDialog::eventButton(JsEvent event) const
{
    const int index = int(event);
    return index >= 1 && index <= JsEventCount ? m_buttons[index - 1] : nullptr;
}

void EventsDialog::setEventEnabled(JsEvent event, bool enabled)
{
    if (QRadioButton *button = eventButton(event))
        button->setEnabled(enabled);
}

void EventsDialog::enableEvents(std::initializer_list<JsEvent> events)
{
    for (JsEvent event : events)
        setEventEnabled(event, true);
}

void EventsDialog::setNameMode(bool nameMode)
{
    m_nameMode = nameMode;
    m_group->setVisible(!nameMode);
    m_script->setVisible(!nameMode);
    adjustSize();
}

QString EventsDialog::name() const
{
    return m_field->text();
}

void EventsDialog::eventClicked(JsEvent event)
{
    m_field->setText(m_calls.choose(event, m_field->text()));
    m_field->setFocus();
}

void EventsDialog::editFunction()
{
    if (m_field->text().isEmpty()) {
        services().host.prompts().warning(msg(79));
        return;
    }
    m_field->setText(NormaliseEventCall(m_field->text()));
    if (services().openScriptEditor)
        services().openScriptEditor(this, ScriptSkeleton(m_field->text()));
}

bool EventsDialog::confirm()
{
    m_field->setText(m_calls.accept(m_field->text(), !m_nameMode));
    return true;
}

void EventsDialog::showEvent(QShowEvent *event)
{
    m_shownWith = m_calls;
    ElementDialog::showEvent(event);
}

void EventsDialog::reject()
{
    m_calls = m_shownWith;
    ElementDialog::reject();
}

bool EventsDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_field || event->type() != QEvent::KeyPress || m_calls.typingAllowed(!m_nameMode))
        return ElementDialog::eventFilter(watched, event);
    // No event to hold the text yet: moving on stays possible, typing is
    // refused with a word for printable keys.
    auto *key = static_cast<QKeyEvent *>(event);
    switch (key->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return false;
    default:
        break;
    }
    const QString typed = key->text();
    const bool printable = !typed.isEmpty() && typed.at(0).isPrint()
                           && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (printable)
        services().host.prompts().warning(msg(67));
    return true;
}
