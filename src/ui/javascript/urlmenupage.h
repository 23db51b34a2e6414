#pragma once

#include "ui/javascript/wizardpage.h"

class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSpinBox;

// The address list wizard: a list of visible texts, each going to its
// address when chosen.
class UrlMenuPage : public WizardPage
{
    Q_OBJECT
public:
    explicit UrlMenuPage(ElementDialog &dialog, QWidget *parent = nullptr);
    bool write(ScriptWizardContext &context) override;
    QString anchor() const override { return QStringLiteral("url"); }

    QLineEdit *m_url;
    QLineEdit *m_label;
    QPushButton *m_copy;
    QPushButton *m_add;
    QPushButton *m_modify;
    QPushButton *m_erase;
    QListWidget *m_entries;
    QRadioButton *m_dropDown;
    QRadioButton *m_listBox;
    QLineEdit *m_title;
    QSpinBox *m_visible;
    QComboBox *m_previewMenu;
    QListWidget *m_previewList;
    QList<UrlEntry> m_list;

private:
    void entryChosen();
    void refresh();
};
