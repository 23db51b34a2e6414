#pragma once

#include "core/findfiles/filesearch.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// "Rechercher dans les fichiers": what to find (and what to put in its
// place), where (the project's pages, or a folder with a name mask) and
// how. It gathers its fields into a request; the command runs it.
class FindFilesDialog : public QDialog
{
    Q_OBJECT
public:
    explicit FindFilesDialog(QWidget *parent = nullptr);

    // Offers the project's pages when it has some (they are then chosen
    // first); otherwise only a folder.
    void setProjectPages(const QStringList &pages);
    // The folder proposed when none was typed yet.
    void proposeFolder(const QString &folder);
    // The request of the fields; replace says which button asked.
    FindInFilesRequest request(bool replace) const;
    // Picks a folder; tests put their own in place of the file dialog.
    std::function<QString(const QString &start)> chooseFolder;

signals:
    void searchRequested(const FindInFilesRequest &request);
    void helpRequested();

private:
    // Checks the fields; shows what is wrong in the dialog and returns false.
    bool validate();
    void submit(bool replace);

    QStringList m_projectPages;
    QComboBox *m_find;
    QComboBox *m_replace;
    QRadioButton *m_inProject;
    QRadioButton *m_inFolder;
    QLineEdit *m_folder;
    QPushButton *m_browse;
    QLineEdit *m_mask;
    QCheckBox *m_subfolders;
    QCheckBox *m_matchCase;
    QCheckBox *m_wholeWord;
    QCheckBox *m_regex;
    QLabel *m_error;
    QPushButton *m_searchButton;
    QPushButton *m_replaceButton;
};
