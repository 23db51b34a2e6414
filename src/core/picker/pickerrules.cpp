#include "core/picker/pickerrules.h"

#include "core/messages/messages.h"

#include <QDir>
#include <QFileInfo>

QList<PickerFilter> parsePickerFilter(const QString &catalogueFilter)
{
    const QStringList parts = catalogueFilter.split(u'|');
    QList<PickerFilter> filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        PickerFilter filter;
        filter.caption = parts.at(i).trimmed();
        for (QString pattern : parts.at(i + 1).split(u';', Qt::SkipEmptyParts)) {
            pattern = pattern.trimmed();
            // "*.*" means every file, also those without an extension.
            if (pattern == QLatin1String("*.*"))
                pattern = QStringLiteral("*");
            if (!pattern.isEmpty() && !filter.patterns.contains(pattern))
                filter.patterns << pattern;
        }
        if (!filter.patterns.isEmpty())
            filters << filter;
    }
    return filters;
}

QString caseInsensitivePattern(const QString &pattern)
{
    // Letters inside a set ("[a-c]") are left alone: a range cannot be
    // doubled letter by letter.
    QString out;
    bool inSet = false;
    for (const QChar c : pattern) {
        if (c == u'[')
            inSet = true;
        else if (c == u']')
            inSet = false;
        const QChar lower = c.toLower();
        const QChar upper = c.toUpper();
        if (!inSet && c.isLetter() && lower != upper)
            out += u'[' + QString(lower) + QString(upper) + u']';
        else
            out += c;
    }
    return out;
}

namespace {

// The name's folder part (with its last separator) and the bare name.
void splitName(const QString &text, QString &folderPart, QString &namePart)
{
    const qsizetype cut = std::max(text.lastIndexOf(u'/'), text.lastIndexOf(u'\\')) + 1;
    folderPart = text.left(cut);
    namePart = text.mid(cut);
}

QString absoluteIn(const QString &currentFolder, const QString &name)
{
    QString path = QDir::fromNativeSeparators(name);
    // "\" is a separator in what the user types, even where the system
    // allows it in names.
    path.replace(u'\\', u'/');
    return QDir::cleanPath(QDir(currentFolder).absoluteFilePath(path));
}

} // namespace

NameFieldOutcome interpretNameField(const QString &text, const QString &currentFolder)
{
    NameFieldOutcome outcome;
    const QString name = text.trimmed();
    if (name.isEmpty())
        return outcome;
    QString folderPart;
    QString namePart;
    splitName(name, folderPart, namePart);
    if (name.contains(u'*')) {
        outcome.kind = NameFieldOutcome::Kind::SetMask;
        outcome.mask = namePart;
        outcome.fieldText = folderPart;
        if (!folderPart.isEmpty()) {
            const QString folder = absoluteIn(currentFolder, folderPart);
            if (QFileInfo(folder).isDir()) {
                outcome.folder = folder;
                // The picker moves there: a folder part kept relative would
                // now be read from inside it, so the name typed after it
                // would name no file.
                outcome.fieldText = folder.endsWith(u'/') ? folder : folder + u'/';
            }
        }
        return outcome;
    }
    const QString path = absoluteIn(currentFolder, name);
    const QFileInfo info(path);
    if (info.isDir()) {
        outcome.kind = NameFieldOutcome::Kind::ChangeFolder;
        outcome.folder = path;
        return outcome;
    }
    if (info.isFile()) {
        outcome.kind = NameFieldOutcome::Kind::ChooseFile;
        outcome.file = path;
        outcome.fieldText = name;
        return outcome;
    }
    outcome.kind =
        namePart.contains(u'.') ? NameFieldOutcome::Kind::FileMissing : NameFieldOutcome::Kind::FolderMissing;
    outcome.fieldText = name;
    return outcome;
}

QString deleteQuestion(const QString &file)
{
    return msg(68) + QStringLiteral(" [") + file + QStringLiteral("]?");
}

QString moveQuestion(const QString &file, const QString &folder)
{
    return QStringLiteral("%1 [%2] %3 [%4]?").arg(msg(802), file, msg(801), folder);
}

QString statusText(int fileCount)
{
    return QString::number(fileCount) + msg(7746);
}

QString dimensionText(int width, int height)
{
    return QStringLiteral("%1x%2").arg(width).arg(height);
}
