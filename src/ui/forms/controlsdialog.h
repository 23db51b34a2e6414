#pragma once

#include "core/forms/formcontrols.h"
#include "ui/dialogs/elementdialog.h"

#include <memory>

class ChoiceEditor;
class EventsDialog;
class QButtonGroup;
class QCheckBox;
class QPlainTextEdit;
class QSpinBox;
class QTabWidget;

// "Eléments du formulaire": one form control group at a time, on the page
// of its kind. OK writes the control at the caret, inside the FORM element
// that encloses it or, after the FORM dialog, inside a new one; the dialog
// stays open when a field is missing or the FORM dialog is cancelled.
class ControlsDialog : public ElementDialog
{
    Q_OBJECT
public:
    ControlsDialog(DialogServices &services, ControlKind kind, int subKind = 0, QWidget *parent = nullptr);
    ~ControlsDialog() override;

    ControlKind kind() const { return m_kind; }
    int subKind() const;
    QTabWidget *pages() const { return m_pages; }
    QLineEdit *nameField() const { return m_name; }
    ChoiceEditor *choices() const { return m_choices; }
    QCheckBox *lineBreakCheck() const { return m_lineBreaks; }
    QSpinBox *visibleLinesField() const { return m_visibleLines; }
    QCheckBox *multipleCheck() const { return m_multiple; }
    QSpinBox *columnsField() const { return m_columns; }
    QSpinBox *rowsField() const { return m_rows; }
    QButtonGroup *wrapChoices() const { return m_wraps; }
    QPlainTextEdit *initialTextField() const { return m_text; }
    QButtonGroup *types() const { return m_types; }
    QSpinBox *visibleLengthField() const { return m_visibleLength; }
    QSpinBox *maxLengthField() const { return m_maxLength; }
    QLineEdit *valueField() const { return m_value; }
    QWidget *sketch() const { return m_sketch; }
    QPushButton *scriptButton() const { return m_scriptButton; }
    EventsDialog &events() { return *m_events; }

    // The control as the fields describe it.
    FormControl control() const;
    QString helpAnchor() const override;

protected:
    bool confirm() override;

private:
    void buildChoicesPage(QVBoxLayout *layout);
    void buildTextAreaPage(QVBoxLayout *layout);
    void buildTextBoxPage(QVBoxLayout *layout, int subKind);
    void buildButtonPage(QVBoxLayout *layout, int subKind);
    void buildHiddenPage(QVBoxLayout *layout);
    QButtonGroup *typeGroup(QVBoxLayout *layout, int caption, std::initializer_list<int> items, int checked);
    void refreshSketch();
    void typeChanged();

    ControlKind m_kind;
    QTabWidget *m_pages;
    QLineEdit *m_name = nullptr;
    ChoiceEditor *m_choices = nullptr;
    QCheckBox *m_lineBreaks = nullptr;
    QSpinBox *m_visibleLines = nullptr;
    QCheckBox *m_multiple = nullptr;
    QSpinBox *m_columns = nullptr;
    QSpinBox *m_rows = nullptr;
    QButtonGroup *m_wraps = nullptr;
    QPlainTextEdit *m_text = nullptr;
    QButtonGroup *m_types = nullptr;
    QSpinBox *m_visibleLength = nullptr;
    QSpinBox *m_maxLength = nullptr;
    QLineEdit *m_value = nullptr;
    QWidget *m_sketch = nullptr;
    QPushButton *m_scriptButton;
    std::unique_ptr<EventsDialog> m_events;
};
