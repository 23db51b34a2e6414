#include "core/dialogs/linkedfile.h"

#include "core/messages/messages.h"
#include "core/shell/prompts.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

QString folderPart(const QString &path)
{
    const qsizetype cut = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    return cut < 0 ? QString() : path.left(cut + 1);
}

bool isAbsolute(const QString &name)
{
    if (name.startsWith(u'/') || name.startsWith(u'\\'))
        return true;
    return name.size() >= 2 && name.at(1) == u':' && name.at(0).isLetter();
}

} // namespace

QString ResolveLinkedFile(const QString &name, const QString &documentFileName)
{
    QString file = name;
    file.replace(u'\\', u'/');
    if (file.isEmpty() || isAbsolute(file))
        return file;
    QString folder = folderPart(documentFileName);
    folder.replace(u'\\', u'/');
    if (folder.isEmpty())
        return QDir::current().absoluteFilePath(file);
    return QDir(folder).absoluteFilePath(file);
}

bool LinkedFileExists(const QString &name, const QString &documentFileName)
{
    if (name.isEmpty())
        return false;
    return QFileInfo(ResolveLinkedFile(name, documentFileName)).isFile();
}

bool ConfirmLinkedFile(Prompts &prompts, const QString &name, const QString &documentFileName)
{
    return LinkedFileExists(name, documentFileName) || prompts.askYesNo(msg(75));
}
