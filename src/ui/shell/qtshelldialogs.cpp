#include "ui/shell/qtshelldialogs.h"

#include "ui/shell/documentwindow.h"
#include "ui/text/editorwidget.h"
#include "core/messages/messages.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

QtShellDialogs::QtShellDialogs(QWidget *parent)
    : m_parent(parent)
{
}

std::optional<QString> QtShellDialogs::askPageTitle()
{
    QDialog dialog(m_parent);
    dialog.setWindowTitle(QStringLiteral("Titre du document"));
    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(QStringLiteral("Titre du document HTML:"), &dialog));
    auto *edit = new QLineEdit(&dialog);
    edit->setMaxLength(256);
    edit->setMinimumWidth(320);
    layout->addWidget(edit);
    auto *buttons = new QDialogButtonBox(&dialog);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("Annuler"), QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return edit->text();
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

std::optional<ShellDialogs::SaveChoice> QtShellDialogs::chooseSaveFile(const QString &presetName,
                                                                         const QString &folder)
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
    box.setIconPixmap(QPixmap(QStringLiteral(":/icons/tessaline.svg")).scaled(64, 64, Qt::KeepAspectRatio,
                                                                             Qt::SmoothTransformation));
    box.setText(QStringLiteral("<h2>%1</h2><p>Éditeur de pages HTML</p>").arg(msg(5000)));
    box.setInformativeText(QStringLiteral("Utilisateur: %1").arg(authorName.toHtmlEscaped()));
    box.exec();
}
