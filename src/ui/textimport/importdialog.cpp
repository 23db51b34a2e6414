#include "ui/textimport/importdialog.h"

#include "core/messages/messages.h"
#include "core/shell/documenthost.h"
#include "core/shell/prompts.h"
#include "core/text/documenttext.h"
#include "core/text/pagefile.h"
#include "ui/dialogs/dialogservices.h"
#include "ui/shell/mainwindow.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QProgressDialog>
#include <QRadioButton>
#include <QVBoxLayout>

TImportFrm::TImportFrm(DialogServices &services, QWidget *parent)
    : ElementDialog(services, QStringLiteral("Importation d'un fichier"), QStringLiteral("importation.html"), parent)
{
    body()->addWidget(note(msg(625)));
    auto *group = new QGroupBox(QStringLiteral("INSERTION"), this);
    auto *groupLayout = new QVBoxLayout(group);
    const char *captions[] = {"A la position du &curseur", "Au &début du fichier", "A la &fin du fichier"};
    for (int i = 0; i < 3; ++i) {
        m_positions[i] = new QRadioButton(QString::fromUtf8(captions[i]), group);
        groupLayout->addWidget(m_positions[i]);
    }
    m_positions[0]->setChecked(true);
    body()->addWidget(group);
    m_breaks = new QCheckBox(QStringLiteral("Changer retour chariot en <BR> pour fichier .&txt"), this);
    m_breaks->setChecked(true);
    body()->addWidget(m_breaks);
}

ImportOptions TImportFrm::options() const
{
    ImportOptions options;
    for (int i = 0; i < 3; ++i)
        if (m_positions[i]->isChecked())
            options.position = ImportPosition(i);
    options.breaksForTextFiles = m_breaks->isChecked();
    return options;
}

bool RunTextImport(DialogServices &services)
{
    DocumentHost &host = services.host;
    if (!host.activeText() || !services.chooseFile)
        return false;
    const QString fileName = services.chooseFile(host.window(), msg(3006));
    if (fileName.isEmpty())
        return false;
    TImportFrm dialog(services, host.window());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    DocumentText *text = host.activeText();
    UndoHistory *undo = host.activeUndo();
    if (!text || !undo)
        return false;

    QApplication::setOverrideCursor(Qt::WaitCursor);
    QProgressDialog progress(QStringLiteral("Importation d'un fichier"), QString(), 0, 100, host.window());
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    const ImportResult result = ImportFile(*text, *undo, host.editorState(), fileName, dialog.options(),
                                           [&progress](int percent) { progress.setValue(percent); });
    progress.reset();
    QApplication::restoreOverrideCursor();
    if (result == ImportResult::Unreadable)
        host.prompts().information(fileMessage(fileName, msg(11)));
    host.UpdateCommandStates();
    return result == ImportResult::Inserted;
}

void installTextImport(MainWindow &frame, QAction *importAction)
{
    DialogServices &services = frameDialogServices(frame);
    QObject::connect(importAction, &QAction::triggered, &frame, [&services] { RunTextImport(services); });
    // Enabled with the other page commands by the frame's UpdateCommandStates,
    // which also runs when Nouveau or Ouvrir adds the first page.
    importAction->setEnabled(frame.activeDocument() != nullptr);
}
