#include "ui/project/projectdialogs.h"

#include "core/messages/messages.h"
#include "ui/shell/shelldialogs.h"

#include <QDir>
#include <QFileDialog>

QString projectNameFilter()
{
    // "description | patterns": Qt reads the patterns from the parentheses.
    return msg(3007).section(u'|', 0, 0).trimmed();
}

std::optional<QString> QtProjectDialogs::chooseProjectToOpen(const QString &folder)
{
    QFileDialog dialog(m_parent, QStringLiteral("Ouvrir projet"), folder);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters({projectNameFilter()});
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(dialog.selectedFiles().first());
}

std::optional<QString> QtProjectDialogs::chooseProjectSaveName(const QString &presetPath, const QString &folder)
{
    QFileDialog dialog(m_parent, QStringLiteral("Sauvegarder projet sous"), folder);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite); // the command asks itself
    dialog.setNameFilters({projectNameFilter()});
    if (!presetPath.isEmpty())
        dialog.selectFile(presetPath);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(dialog.selectedFiles().first());
}

QStringList QtProjectDialogs::chooseFilesToAdd(const QString &folder)
{
    QFileDialog dialog(m_parent, QStringLiteral("Ajouter fichier(s) au projet"), folder);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setNameFilters(pageNameFilters());
    if (dialog.exec() != QDialog::Accepted)
        return {};
    QStringList files;
    for (const QString &file : dialog.selectedFiles())
        files << QDir::toNativeSeparators(file);
    return files;
}
