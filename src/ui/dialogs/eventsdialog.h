#pragma once

#include "core/dialogs/eventcalls.h"
#include "ui/dialogs/elementdialog.h"

#include <initializer_list>

class QGroupBox;
class QLineEdit;
class QRadioButton;
class QToolButton;

// "Définition de la fonction JavaScript": one call text per JavaScript
// event. Its user creates it (every event button disabled), enables the
// events that fit the element, may prefill calls, shows it modally and reads
// the calls afterwards (attributes() writes them). The picture button opens
// the script editor on the current call's function. In name mode the events
// are hidden and the dialog only asks for a function name (name()).
//
// Cancel gives back the calls the dialog held when it was shown.
class EventsDialog : public ElementDialog
{
    Q_OBJECT
public:
    explicit EventsDialog(DialogServices &services, QWidget *parent = nullptr);

    void setEventEnabled(JsEvent event, bool enabled);
    void enableEvents(std::initializer_list<JsEvent> events);
    void setCall(JsEvent event, const QString &text) { m_calls.setCall(event, text); }
    QString call(JsEvent event) const { return m_calls.call(event); }
    // " onX=\"call\"" for each event of the list whose call is not empty.
    QString attributes(std::initializer_list<JsEvent> events) const { return m_calls.attributes(events); }
    const EventCalls &calls() const { return m_calls; }

    void setNameMode(bool nameMode);
    bool nameMode() const { return m_nameMode; }
    // The name field after OK (a plain function name with "()" in name mode).
    QString name() const;

    QLineEdit *nameField() const { return m_field; }
    QRadioButton *eventButton(JsEvent event) const;
    QToolButton *scriptButton() const { return m_script; }

    void reject() override;

protected:
    bool confirm() override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void eventClicked(JsEvent event);
    void editFunction();

    EventCalls m_calls;
    EventCalls m_shownWith;
    bool m_nameMode = false;
    QGroupBox *m_group;
    QRadioButton *m_buttons[JsEventCount] = {};
    QLineEdit *m_field;
    QToolButton *m_script;
};
