#pragma once

#include "core/project/projectfile.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <QVector>

class Prompts;

// One page of a project: its file name, its folder (ending with a
// separator), the date and time of its last change, its size in bytes, and
// whether it is the master page.
struct ProjectEntry
{
    QString name;
    QString folder;
    QDateTime modified;
    qint64 size = 0;
    bool master = false;

    QString fullPath() const { return folder + name; }
    // The entry of an existing file; nothing when there is no such file.
    static std::optional<ProjectEntry> fromFile(const QString &path);
};

// The columns of the project list.
enum class ProjectColumn { Name, Folder, Date, Size };
inline constexpr int ProjectColumnCount = 4;

// What a column shows: the name, the folder, "dd/MM/yy HH:mm:ss", the size in
// decimal.
QString projectColumnText(const ProjectEntry &entry, ProjectColumn column);

// ".htm", ".html" or ".shtml", in any case.
bool isProjectPageName(const QString &name);

// The open project: its file name (empty for a project never saved), whether
// one is open and has unsaved changes, its pages in list order and the index
// of the master page (-1 for none). The frame window owns one; the project
// window shows it.
class Project
{
public:
    QString ProjectFileName;
    bool ProjectOpen = false;
    bool ProjectModified = false;
    int MasterIndex = -1;

    const QVector<ProjectEntry> &entries() const { return m_entries; }
    int count() const { return int(m_entries.size()); }

    // No project: no name, not open, not modified, no master, no pages.
    void InitialiseValeursDuProjet();

    // Appends a page unless the project holds it already (warning "[name]"
    // + message 54), unless the project has pages and this one is not an
    // HTML page (warning message 53), or unless its path cannot be written
    // on one line of the project file (warning "[name] " + message 55).
    // Marks the project modified. Returns whether the page was added.
    bool AddProjectItem(const ProjectEntry &entry, Prompts &prompts);
    // Removes a page; the master stays with its page, or is gone with it.
    void RemoveProjectItem(int index);
    // Removes several pages at once (any order, duplicates ignored).
    void removeItems(QList<int> indexes);
    // Index of the first page marked master, or -1.
    int FindMasterIndex() const;
    // Some page's full path equals the caption, in any case.
    bool IsProjectMember(const QString &caption) const;
    // Index of the first page whose full path equals path; -1 for none.
    int indexOf(const QString &path, Qt::CaseSensitivity cs = Qt::CaseSensitive) const;
    // Makes the page the master, or, when it is the master already, leaves
    // the project without master. Marks the project modified.
    void toggleMaster(int index);
    // Sorts the pages by a column, ascending: names and folders by the
    // locale's comparison, dates chronologically, sizes as numbers. The
    // master stays with its page.
    void sortBy(ProjectColumn column);

    // The master page's full path; empty without master.
    QString masterPath() const;
    // The project window's status line: the project file name (or "Projet
    // sans nom") + ", " + count + " fichier(s)".
    QString statusText() const;
    // The name shown in questions: the file name without folder, or "sans nom".
    QString shortName() const;
    // The project file's bytes for the pages as they are now.
    QByteArray fileBytes() const;

    // Opens a project file. When it cannot be read (missing, unreadable,
    // larger than a project can be), shows "[name]" + message 11 and keeps
    // the current project. Otherwise the project becomes the file's: pages
    // whose file no longer exists (message 86), duplicates, folders and
    // devices, and non-HTML pages after the first are left out, told in one
    // message worded for each kind. The master stays with its page when
    // only duplicates were left out; any other loss leaves no master, since
    // the indices no longer match. The project is open and named, and
    // modified exactly when something was left out.
    bool LoadProject(const QString &fileName, Prompts &prompts);

    // Writes the project file atomically. On failure "[name]" + the write
    // failure text is shown and the project stays modified.
    bool writeFile(Prompts &prompts, const PageWriter &writer = writeAllBytes);

private:
    QVector<ProjectEntry> m_entries;
};
