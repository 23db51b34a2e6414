#pragma once

#include "core/forms/choicelist.h"
#include "core/forms/formcontrols.h"

#include <QWidget>

class Prompts;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QStackedWidget;
class QToolButton;

// The values of a check box group, a radio group, a list box or a drop-down
// list, edited in their sketch: the value field and "Aj&outer" append a
// value, a click in the sketch selects one for "E&diter" (in place, Enter
// commits), "&Effacer" and the arrows. Check boxes and radio buttons show
// their checked state in the sketch, where a click changes it; the
// drop-down shows its values as a drop-down list or as a list, and one of
// them may be its default option.
class ChoiceEditor : public QWidget
{
    Q_OBJECT
public:
    ChoiceEditor(ControlKind kind, Prompts &prompts, QWidget *parent = nullptr);

    const ChoiceList &choices() const { return m_choices; }

    QLineEdit *valueField() const { return m_value; }
    // "Marqué par défaut" for the next value (check boxes, radio buttons) or
    // the selected value's default state (drop-down); null otherwise.
    QCheckBox *defaultCheck() const { return m_default; }
    QCheckBox *asListCheck() const { return m_asList; }
    QPushButton *addButton() const { return m_add; }
    QPushButton *editButton() const { return m_edit; }
    QPushButton *removeButton() const { return m_remove; }
    QToolButton *upButton() const { return m_up; }
    QToolButton *downButton() const { return m_down; }
    QListWidget *sketchList() const { return m_list; }
    QComboBox *sketchCombo() const { return m_combo; }

    // The value selected in the sketch, -1 when none.
    int current() const;
    void select(int index);

    void addValue();
    void editValue();
    void removeValue();
    void moveValue(int step);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool showsCombo() const;
    void refresh();
    void itemChanged(QListWidgetItem *item);
    void selectionChanged();
    void finishComboEdit(bool commit);

    ControlKind m_kind;
    Prompts &m_prompts;
    ChoiceList m_choices;
    QLineEdit *m_value;
    QCheckBox *m_default = nullptr;
    QCheckBox *m_asList = nullptr;
    QPushButton *m_add;
    QPushButton *m_edit;
    QPushButton *m_remove;
    QToolButton *m_up;
    QToolButton *m_down;
    QLabel *m_sketchCaption;
    QStackedWidget *m_views;
    QListWidget *m_list;
    QComboBox *m_combo = nullptr;
    int m_comboEditing = -1;
    bool m_refreshing = false;
};
