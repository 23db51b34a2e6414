#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class QWidget;

// The file dialogs of the project commands, behind an interface so that the
// command flows run in tests with scripted answers.
class ProjectDialogs
{
public:
    virtual ~ProjectDialogs() = default;
    // The project file to open (filter of message 3007); nothing on cancel.
    virtual std::optional<QString> chooseProjectToOpen(const QString &folder) = 0;
    // The name to save the project under, preset to the current one.
    virtual std::optional<QString> chooseProjectSaveName(const QString &presetPath, const QString &folder) = 0;
    // Pages to add (page filters, several at once); empty on cancel.
    virtual QStringList chooseFilesToAdd(const QString &folder) = 0;
};

// The same with Qt's file dialogs.
class QtProjectDialogs : public ProjectDialogs
{
public:
    explicit QtProjectDialogs(QWidget *parent)
        : m_parent(parent)
    {}
    std::optional<QString> chooseProjectToOpen(const QString &folder) override;
    std::optional<QString> chooseProjectSaveName(const QString &presetPath, const QString &folder) override;
    QStringList chooseFilesToAdd(const QString &folder) override;

private:
    QWidget *m_parent;
};

// The project filter as a Qt name filter.
QString projectNameFilter();
