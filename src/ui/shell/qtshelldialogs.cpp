#include "ui/shell/qtshelldialogs.h"

#include "core/messages/messages.h"
#include "ui/dialogs/dialogservices.h"
#include "ui/dialogs/headdialogs.h"
#include "ui/shell/documentwindow.h"
#include "ui/shell/mainwindow.h"
#include "ui/text/editorwidget.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

QtShellDialogs::QtShellDialogs(QWidget *parent)
    : m_parent(parent)
{}

std::optional<QString> QtShellDialogs::askPageTitle()
{
    // The same dialog as "Titre du document", with its help and buddy.
    auto *frame = qobject_cast<MainWindow *>(m_parent);
    Q_ASSERT(frame);
    return TitleDialog::askNewPageTitle(frameDialogServices(*frame), m_parent);
}

QStringList QtShellDialogs::chooseFilesToOpen(const QString &folder)
{
    QFileDialog dialog(m_parent, QString(), folder);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setNameFilters(pageNameFilters());
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles();
}

std::optional<ShellDialogs::SaveChoice> QtShellDialogs::chooseSaveFile(const QString &presetName, const QString &folder)
{
    QFileDialog dialog(m_parent, QStringLiteral("Sauvegarde d'un fichier"), folder);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite); // the command asks itself
    const QStringList filters = pageNameFilters();
    dialog.setNameFilters(filters);
    dialog.selectFile(presetName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    SaveChoice choice;
    choice.path = dialog.selectedFiles().first();
    choice.filterIndex = int(filters.indexOf(dialog.selectedNameFilter())) + 1;
    return choice;
}

void QtShellDialogs::print(DocumentWindow &document)
{
    QPrinter printer;
    QPrintDialog dialog(&printer, m_parent);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, true);
    if (dialog.exec() != QDialog::Accepted)
        return;
    printer.setDocName(document.caption());
    document.editor()->print(&printer);
}

void QtShellDialogs::showAbout(const QString &authorName)
{
    QMessageBox box(m_parent);
    box.setWindowTitle(QStringLiteral("A propos de ") + msg(5000));
    box.setIconPixmap(
        QPixmap(QStringLiteral(":/icons/tessaline.svg")).scaled(64, 64, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    box.setText(QStringLiteral("<h2>%1</h2><p>Éditeur de pages HTML</p>").arg(msg(5000)));
    box.setInformativeText(QStringLiteral("Utilisateur: %1").arg(authorName.toHtmlEscaped()));
    box.exec();
}
