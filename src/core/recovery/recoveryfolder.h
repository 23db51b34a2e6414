#pragma once

#include "core/recovery/recoverycopy.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class QLockFile;

// Why copies cannot be written into a folder.
enum class RecoveryProblem { None, DiskFull, ReadOnly, NotAllowed, SymbolicLink, Other };
// Looks at the folder (or, while it does not exist, the nearest folder above
// it that does) for the reason a write there fails.
RecoveryProblem recoveryFolderProblem(const QString &folder);

// The recovery folder: one sub-folder per running program, locked while the
// program runs and holding one copy ("<page>.page") per modified page. A
// sub-folder whose lock is free belongs to a program that ended without
// cleaning up (a crash, a killed session): its copies are left-overs to
// offer at the next start. Damaged copies go aside to "damaged/".
class RecoveryFolder
{
public:
    explicit RecoveryFolder(const QString &root);
    // Unlocks and removes this program's own sub-folder: a normal end.
    ~RecoveryFolder();
    RecoveryFolder(const RecoveryFolder &) = delete;
    RecoveryFolder &operator=(const RecoveryFolder &) = delete;

    // Creates and locks this program's sub-folder; false when the folder
    // cannot be written, or when the root or the sub-folder is a symbolic
    // link (copies are then not kept, and problem() says why).
    bool start();
    RecoveryProblem problem() const { return m_problem; }
    bool isStarted() const { return !m_sessionFolder.isEmpty(); }
    QString root() const { return m_root; }

    // Where the copy of a page goes.
    QString copyPath(int pageId) const;

    struct LeftOvers
    {
        std::vector<RecoveryCopy> pages;
        // Copies that could not be read: moved to damagedFolder(), or left
        // where they were when it cannot take them (it is a link).
        QStringList damaged;
    };
    // Reads the copies that ended programs left behind, oldest folder first,
    // and keeps those folders locked until discardLeftOvers().
    LeftOvers takeLeftOvers();
    // Deletes the copies read by takeLeftOvers() and their folders; a folder
    // that still holds a damaged copy that could not be set aside stays.
    void discardLeftOvers();
    QString damagedFolder() const;

private:
    struct LeftOverFolder
    {
        QString path;
        std::unique_ptr<QLockFile> lock;
        QStringList readCopies;
        bool keepsDamaged = false;
    };
    // Sets a damaged copy aside; the path it has now.
    QString setAside(const QString &path, const QString &folderName, const QString &copyName);

    QString m_root;
    QString m_sessionFolder;
    RecoveryProblem m_problem = RecoveryProblem::None;
    std::unique_ptr<QLockFile> m_lock;
    std::vector<LeftOverFolder> m_leftOverFolders;
};
