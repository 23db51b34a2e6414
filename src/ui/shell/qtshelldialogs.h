#pragma once

#include "ui/shell/shelldialogs.h"

class QWidget;

// The document commands' dialogs as the user sees them.
class QtShellDialogs : public ShellDialogs
{
public:
    explicit QtShellDialogs(QWidget *parent);

    std::optional<QString> askPageTitle() override;
    QStringList chooseFilesToOpen(const QString &folder) override;
    std::optional<SaveChoice> chooseSaveFile(const QString &presetName, const QString &folder) override;
    void print(DocumentWindow &document) override;
    void showAbout(const QString &authorName) override;

private:
    QWidget *m_parent;
};
