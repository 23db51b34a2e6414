#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class DocumentWindow;

// The dialogs of the document commands, behind an interface so that whole
// command flows run in tests with scripted answers.
class ShellDialogs
{
public:
    struct SaveChoice
    {
        QString path;
        int filterIndex = 1; // one-based position in the page filter list
    };

    virtual ~ShellDialogs() = default;
    // The title of a new page; nothing when the user cancels.
    virtual std::optional<QString> askPageTitle() = 0;
    // Files chosen in the open dialog, in the dialog's order.
    virtual QStringList chooseFilesToOpen(const QString &folder) = 0;
    // The save dialog, opened on a preset name in a folder.
    virtual std::optional<SaveChoice> chooseSaveFile(const QString &presetName, const QString &folder) = 0;
    // The print dialog; prints the document when confirmed.
    virtual void print(DocumentWindow &document) = 0;
    virtual void showAbout(const QString &authorName) = 0;
};

// The page filters of the open and save dialogs, as Qt name filters.
QStringList pageNameFilters();

// The extension a save dialog's filter adds to a name that has none.
QString extensionForFilter(int filterIndex);
