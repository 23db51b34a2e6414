#pragma once

#include "core/recovery/recoverycopy.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class QLockFile;

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
    // cannot be written (copies are then not kept).
    bool start();
    bool isStarted() const { return !m_sessionFolder.isEmpty(); }
    QString root() const { return m_root; }

    // Where the copy of a page goes.
    QString copyPath(int pageId) const;

    struct LeftOvers
    {
        std::vector<RecoveryCopy> pages;
        // Copies that could not be read, already moved to damagedFolder().
        QStringList damaged;
    };
    // Reads the copies that ended programs left behind, oldest folder first,
    // and keeps those folders locked until discardLeftOvers().
    LeftOvers takeLeftOvers();
    // Deletes the folders read by takeLeftOvers().
    void discardLeftOvers();
    QString damagedFolder() const;

private:
    QString m_root;
    QString m_sessionFolder;
    std::unique_ptr<QLockFile> m_lock;
    std::vector<std::pair<QString, std::unique_ptr<QLockFile>>> m_leftOverFolders;
};
