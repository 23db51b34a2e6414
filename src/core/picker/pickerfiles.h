#pragma once

#include <QString>

#include <functional>

// The picker's light file management: deleting a file and moving one into
// another folder. The file operations are replaceable so that the fallbacks
// can be exercised; by default they are QFile's.
struct PickerFileOps
{
    std::function<bool(const QString &from, const QString &to)> rename;
    std::function<bool(const QString &from, const QString &to)> copy;
    std::function<bool(const QString &file)> remove;

    static PickerFileOps system();
};

enum class MoveResult {
    Moved,           // the file is in the target folder and no longer in its own
    SameFolder,      // nothing to do
    TargetExists,    // a file of that name is already there: nothing touched
    CopyFailed,      // rename and copy failed: the source is untouched
    SourceNotRemoved // copied, but the source could not be deleted: both exist
};

// Moves file into folder: a rename, or when that fails a copy followed by
// deleting the source. A copy that fails leaves no partial file behind and
// the source where it was.
MoveResult movePickerFile(const QString &file, const QString &folder,
                          const PickerFileOps &ops = PickerFileOps::system());

// The message for a move that did not complete (empty for Moved and
// SameFolder): "[" + file + "]" + the reason.
QString moveFailureText(MoveResult result, const QString &file);

// The message when deleting file failed.
QString deleteFailureText(const QString &file);
