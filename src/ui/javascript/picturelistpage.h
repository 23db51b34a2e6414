#pragma once

#include "ui/javascript/wizardpage.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QToolButton;

// The picture choice wizard: the visitor picks a text from a list and its
// picture is shown.
class PictureListPage : public WizardPage
{
    Q_OBJECT
public:
    explicit PictureListPage(ElementDialog &dialog, QWidget *parent = nullptr);
    bool write(ScriptWizardContext &context) override;
    QString anchor() const override { return QStringLiteral("images"); }

    QLineEdit *m_file;
    QToolButton *m_browse;
    QLineEdit *m_label;
    QPushButton *m_add;
    QPushButton *m_edit;
    QPushButton *m_erase;
    QToolButton *m_up;
    QToolButton *m_down;
    QLabel *m_entriesCaption;
    QListWidget *m_entries;
    QComboBox *m_dropDown;
    QCheckBox *m_asList;
    QLineEdit *m_width;
    QLineEdit *m_height;
    QLabel *m_preview;
    QList<PictureEntry> m_list;

private:
    void refresh(int current);
    void select(int row);
    void move(int step);
    void showCurrent();
    int m_current = -1;
};
