#include "core/markup/paths.h"

#include "core/messages/messages.h"
#include "core/shell/prompts.h"

#include <QDir>

#include <algorithm>

namespace {

qsizetype lastSeparator(const QString &path)
{
    return std::max({path.lastIndexOf(u'\\'), path.lastIndexOf(u'/'), path.lastIndexOf(u':')});
}

// Directory part, up to and including the last separator, with "/" only.
QString directoryPart(const QString &path)
{
    QString dir = path.left(lastSeparator(path) + 1);
    dir.replace(u'\\', u'/');
    return dir;
}

QString fileNamePart(const QString &path)
{
    return path.mid(lastSeparator(path) + 1);
}

bool isAsciiLetter(QChar c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

bool isPosixAbsolute(const QString &dir)
{
    return dir.startsWith(u'/') && !dir.startsWith(QLatin1String("//"));
}

bool hasDriveLetter(const QString &dir)
{
    return dir.size() >= 3 && isAsciiLetter(dir.at(0)) && dir.at(1) == u':' && dir.at(2) == u'/';
}

// The drive a directory lies on: the upper-cased drive letter and colon, ""
// for the POSIX root, and the directory itself when it has neither (no two
// such directories then compare as the same drive by accident).
QString driveOf(const QString &dir)
{
    if (isPosixAbsolute(dir))
        return QString();
    if (hasDriveLetter(dir))
        return dir.left(2).toUpper();
    return QStringLiteral("?") + dir;
}

// Drive letters name the same drive in either case.
QString withUpperDrive(QString dir)
{
    if (hasDriveLetter(dir))
        dir[0] = dir.at(0).toUpper();
    return dir;
}

// "C:/site/pages/" gives "C:/site/"; a root has no parent and stays.
QString parentDirectory(const QString &dir)
{
    const qsizetype cut = dir.lastIndexOf(u'/', dir.size() - 2);
    return cut < 0 ? dir : dir.left(cut + 1);
}

} // namespace

QString RelativePath(const QString &fileName, const QString &documentFileName, Prompts &prompts,
                     const std::function<QString()> &saveDocumentAs)
{
    const QString target = withUpperDrive(directoryPart(fileName));
    if (!isPosixAbsolute(target)) {
        if (target.size() <= 2)
            return QString();
        if (!hasDriveLetter(target))
            return fileName;
    }

    QString documentDir = directoryPart(documentFileName);
    if (documentDir.isEmpty()) {
        if (!prompts.askYesNo(msg(20)))
            return QString();
        if (saveDocumentAs)
            documentDir = directoryPart(saveDocumentAs());
        if (documentDir.isEmpty()) {
            prompts.information(msg(14));
            return QString();
        }
    }

    if (driveOf(target) != driveOf(documentDir)) {
        prompts.information(msg(85));
        return QString();
    }

    QString base = withUpperDrive(documentDir);
    QString prefix;
    while (!target.startsWith(base)) {
        const QString parent = parentDirectory(base);
        if (parent == base)
            break;
        prefix += QLatin1String("../");
        base = parent;
    }
    if (!target.startsWith(base)) {
        // Only reachable when the two roots differ after all.
        prompts.information(msg(85));
        return QString();
    }
    const QString result = prefix + target.mid(base.size()) + fileNamePart(fileName);

    if (!QDir::setCurrent(documentDir))
        prompts.information(msg(19));
    return result;
}
