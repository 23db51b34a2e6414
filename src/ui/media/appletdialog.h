#pragma once

#include "core/media/mediatags.h"
#include "ui/dialogs/elementdialog.h"

class QListWidget;
class QSpinBox;
class QTabWidget;

// "Applet de Java": an APPLET element with its PARAM lines, new or read
// back from the selected applet.
class TAppletFrm : public ElementDialog
{
    Q_OBJECT
public:
    // elementText: the applet being re-edited, empty for a new one.
    TAppletFrm(DialogServices &services, const QString &elementText, QWidget *parent = nullptr);

    AppletFields fields() const;
    QComboBox *codeField() const { return m_code; }
    QLineEdit *nameField() const { return m_name; }
    QListWidget *parameterList() const { return m_list; }
    QLineEdit *parameterName() const { return m_paramName; }
    QLineEdit *parameterValue() const { return m_paramValue; }
    QPushButton *addButton() const { return m_add; }
    QPushButton *changeButton() const { return m_change; }
    QPushButton *deleteButton() const { return m_delete; }
    QPushButton *upButton() const { return m_up; }
    QPushButton *downButton() const { return m_down; }

    QString helpAnchor() const override;

protected:
    bool confirm() override;

private:
    void rowChosen();
    void moveRow(int by);

    bool m_editing;
    QTabWidget *m_pages;
    QComboBox *m_code;
    QLineEdit *m_codeBase;
    QLineEdit *m_alt;
    QLineEdit *m_name;
    QComboBox *m_align;
    QLineEdit *m_width;
    QLineEdit *m_height;
    QLineEdit *m_hspace;
    QLineEdit *m_vspace;
    QListWidget *m_list;
    QLineEdit *m_paramName;
    QLineEdit *m_paramValue;
    QPushButton *m_add;
    QPushButton *m_change;
    QPushButton *m_delete;
    QPushButton *m_up;
    QPushButton *m_down;
};
