#pragma once

#include "core/textimport/textimport.h"
#include "ui/dialogs/elementdialog.h"

class MainWindow;
class QAction;
class QCheckBox;
class QRadioButton;

// "Importation d'un fichier": where the imported file goes and whether the
// lines of a ".txt" file end with "<BR>".
class TImportFrm : public ElementDialog
{
    Q_OBJECT
public:
    explicit TImportFrm(DialogServices &services, QWidget *parent = nullptr);

    ImportOptions options() const;
    QRadioButton *positionButton(ImportPosition position) const { return m_positions[int(position)]; }
    QCheckBox *breaksBox() const { return m_breaks; }

private:
    QRadioButton *m_positions[3];
    QCheckBox *m_breaks;
};

// The whole command: choose the file (message 3006), the dialog, then the
// import with its progress; the unreadable-file message when the file is not
// text. Returns whether text went in.
bool RunTextImport(DialogServices &services);

// Makes the File menu's import item run the command; the frame enables
// it whenever a page is open.
void installTextImport(MainWindow &frame, QAction *importAction);
