#include "core/picker/pickerfiles.h"

#include "core/messages/messages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

PickerFileOps PickerFileOps::system()
{
    PickerFileOps ops;
    ops.rename = [](const QString &from, const QString &to) { return QFile::rename(from, to); };
    ops.copy = [](const QString &from, const QString &to) { return QFile::copy(from, to); };
    ops.remove = [](const QString &file) { return QFile::remove(file); };
    return ops;
}

MoveResult movePickerFile(const QString &file, const QString &folder, const PickerFileOps &ops)
{
    const QFileInfo source(file);
    const QString target = QDir(folder).absoluteFilePath(source.fileName());
    if (QDir::cleanPath(source.absolutePath()) == QDir::cleanPath(QDir(folder).absolutePath()))
        return MoveResult::SameFolder;
    // Neither a rename nor a copy may replace a file of the target folder.
    if (QFileInfo::exists(target))
        return MoveResult::TargetExists;
    if (ops.rename(file, target))
        return MoveResult::Moved;
    if (!ops.copy(file, target)) {
        // A copy cut short (full disk) may leave a piece of the file; the
        // source is still whole, so the piece goes.
        if (QFileInfo::exists(target) && QFileInfo::exists(file))
            ops.remove(target);
        return MoveResult::CopyFailed;
    }
    return ops.remove(file) ? MoveResult::Moved : MoveResult::SourceNotRemoved;
}

QString moveFailureText(MoveResult result, const QString &file)
{
    int number = 0;
    switch (result) {
    case MoveResult::TargetExists:
        number = 803;
        break;
    case MoveResult::CopyFailed:
        number = 804;
        break;
    case MoveResult::SourceNotRemoved:
        number = 805;
        break;
    default:
        return QString();
    }
    return QStringLiteral("[") + QDir::toNativeSeparators(file) + QStringLiteral("]") + msg(number);
}

QString deleteFailureText(const QString &file)
{
    return QStringLiteral("[") + QDir::toNativeSeparators(file) + QStringLiteral("]") + msg(806);
}
