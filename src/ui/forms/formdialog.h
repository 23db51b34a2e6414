#pragma once

#include "ui/dialogs/elementdialog.h"

#include <memory>

class EventsDialog;
class QButtonGroup;
class QCheckBox;
class QTabWidget;

// "Feuille de formulaire": the FORM start tag. Opened by the FORM command it
// wraps the selection in the element (the caret between the tags when
// nothing is selected); opened by the controls builder it only writes the
// start tag, which opens the builder's undo step.
class FormDialog : public ElementDialog
{
    Q_OBJECT
public:
    enum Mode { WrapMode, StartTagMode };

    FormDialog(DialogServices &services, Mode mode, QWidget *parent = nullptr);
    ~FormDialog() override;

    QComboBox *actionField() const { return m_action; }
    QButtonGroup *methods() const { return m_methods; }
    QButtonGroup *protocols() const { return m_protocols; }
    QLineEdit *partField(int index) const { return m_parts[index]; }
    QLabel *partCaption(int index) const { return m_captions[index]; }
    QCheckBox *urlEncodedCheck() const { return m_urlEncoded; }
    QLineEdit *targetField() const { return m_target; }
    QButtonGroup *targetPresets() const { return m_presets; }
    QLineEdit *nameField() const { return m_name; }
    QTabWidget *pages() const { return m_pages; }
    QPushButton *scriptButton() const { return m_scriptButton; }
    EventsDialog &events() { return *m_events; }

    void chooseProtocol(int protocol);
    QString startTag() const { return m_startTag; }
    QString helpAnchor() const override;

protected:
    bool confirm() override;

private:
    void rebuildAction();

    Mode m_mode;
    QTabWidget *m_pages;
    QComboBox *m_action;
    QButtonGroup *m_methods;
    QButtonGroup *m_protocols;
    QLineEdit *m_parts[4] = {};
    QLabel *m_captions[4] = {};
    QLabel *m_example;
    QCheckBox *m_urlEncoded;
    QLineEdit *m_target;
    QButtonGroup *m_presets;
    QLineEdit *m_name;
    QPushButton *m_scriptButton;
    std::unique_ptr<EventsDialog> m_events;
    QString m_startTag;
};
