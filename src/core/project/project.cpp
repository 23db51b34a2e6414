#include "core/project/project.h"

#include "core/messages/messages.h"
#include "core/shell/prompts.h"
#include "core/shell/tabtext.h"

#include <QFileInfo>
#include <QHash>

#include <algorithm>

namespace {

QString folderPart(const QString &path)
{
    const qsizetype slash = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    return slash < 0 ? QString() : path.left(slash + 1);
}

bool fitsOnOneLine(const QString &path)
{
    return !path.contains(u'\r') && !path.contains(u'\n');
}

} // namespace

std::optional<ProjectEntry> ProjectEntry::fromFile(const QString &path)
{
    // A NUL character ends every path the system knows.
    if (path.isEmpty() || path.contains(QChar(0)))
        return std::nullopt;
    const QFileInfo info(path);
    if (!info.isFile())
        return std::nullopt;
    ProjectEntry entry;
    entry.folder = folderPart(path);
    entry.name = path.mid(entry.folder.size());
    entry.modified = info.lastModified();
    entry.size = info.size();
    return entry;
}

QString projectColumnText(const ProjectEntry &entry, ProjectColumn column)
{
    switch (column) {
    case ProjectColumn::Name:
        return entry.name;
    case ProjectColumn::Folder:
        return entry.folder;
    case ProjectColumn::Date:
        return entry.modified.toString(QStringLiteral("dd/MM/yy HH:mm:ss"));
    case ProjectColumn::Size:
        return QString::number(entry.size);
    }
    return QString();
}

bool isProjectPageName(const QString &name)
{
    for (const char *extension : {".htm", ".html", ".shtml"}) {
        if (name.endsWith(QLatin1String(extension), Qt::CaseInsensitive))
            return true;
    }
    return false;
}

void Project::InitialiseValeursDuProjet()
{
    ProjectFileName.clear();
    ProjectModified = false;
    ProjectOpen = false;
    MasterIndex = -1;
    m_entries.clear();
}

bool Project::AddProjectItem(const ProjectEntry &entry, Prompts &prompts)
{
    for (const ProjectEntry &existing : std::as_const(m_entries)) {
        if (existing.name == entry.name && existing.folder == entry.folder) {
            prompts.warning(fileMessage(entry.name, msg(54)));
            return false;
        }
    }
    if (!m_entries.isEmpty() && !isProjectPageName(entry.name)) {
        prompts.warning(msg(53));
        return false;
    }
    if (!fitsOnOneLine(entry.fullPath())) {
        prompts.warning(fileMessage(entry.name, QStringLiteral(" ") + msg(55)));
        return false;
    }
    ProjectEntry added = entry;
    added.master = false;
    m_entries.append(added);
    ProjectModified = true;
    return true;
}

void Project::RemoveProjectItem(int index)
{
    if (index < 0 || index >= count())
        return;
    m_entries.removeAt(index);
    ProjectModified = true;
    MasterIndex = FindMasterIndex();
}

void Project::removeItems(QList<int> indexes)
{
    std::sort(indexes.begin(), indexes.end(), std::greater<int>());
    indexes.erase(std::unique(indexes.begin(), indexes.end()), indexes.end());
    for (int index : std::as_const(indexes))
        RemoveProjectItem(index);
}

int Project::FindMasterIndex() const
{
    for (int i = 0; i < count(); ++i) {
        if (m_entries.at(i).master)
            return i;
    }
    return -1;
}

int Project::indexOf(const QString &path, Qt::CaseSensitivity cs) const
{
    for (int i = 0; i < count(); ++i) {
        if (m_entries.at(i).fullPath().compare(path, cs) == 0)
            return i;
    }
    return -1;
}

bool Project::IsProjectMember(const QString &caption) const
{
    return indexOf(caption, Qt::CaseInsensitive) >= 0;
}

void Project::toggleMaster(int index)
{
    if (index < 0 || index >= count())
        return;
    if (m_entries.at(index).master) {
        m_entries[index].master = false;
        MasterIndex = -1;
    } else {
        for (ProjectEntry &entry : m_entries)
            entry.master = false;
        m_entries[index].master = true;
        MasterIndex = index;
    }
    ProjectModified = true;
}

void Project::sortBy(ProjectColumn column)
{
    if (count() < 2)
        return;
    const auto less = [column](const ProjectEntry &a, const ProjectEntry &b) {
        switch (column) {
        case ProjectColumn::Name:
            return QString::localeAwareCompare(a.name, b.name) < 0;
        case ProjectColumn::Folder:
            return QString::localeAwareCompare(a.folder, b.folder) < 0;
        case ProjectColumn::Date:
            return a.modified < b.modified;
        case ProjectColumn::Size:
            return a.size < b.size;
        }
        return false;
    };
    std::stable_sort(m_entries.begin(), m_entries.end(), less);
    MasterIndex = FindMasterIndex();
}

QString Project::masterPath() const
{
    return MasterIndex >= 0 && MasterIndex < count() ? m_entries.at(MasterIndex).fullPath() : QString();
}

QString Project::statusText() const
{
    const QString name = ProjectFileName.isEmpty() ? msg(498) : ProjectFileName;
    return name + QStringLiteral(", ") + QString::number(count()) + msg(499);
}

QString Project::shortName() const
{
    return ProjectFileName.isEmpty() ? QStringLiteral("sans nom") : fileNameWithoutFolder(ProjectFileName);
}

QByteArray Project::fileBytes() const
{
    QStringList paths;
    paths.reserve(count());
    for (const ProjectEntry &entry : m_entries)
        paths << entry.fullPath();
    return serializeProjectFile(paths, MasterIndex);
}

bool Project::LoadProject(const QString &fileName, Prompts &prompts)
{
    const std::optional<QByteArray> bytes = readProjectBytes(fileName);
    if (!bytes) {
        prompts.information(fileMessage(fileName, msg(11)));
        return false;
    }
    const ProjectFileContent content = parseProjectFile(*bytes);
    InitialiseValeursDuProjet();
    m_entries.reserve(content.paths.size());
    // Where each line of the file went in the list, for the master.
    QHash<QString, int> seen;
    QList<int> listIndex;
    listIndex.reserve(content.paths.size());
    bool missing = false, duplicate = false, notFile = false, notPage = false;
    for (const QString &path : content.paths) {
        if (const auto earlier = seen.constFind(path); earlier != seen.cend()) {
            duplicate = true;
            listIndex << *earlier;
            continue;
        }
        listIndex << -1;
        const QFileInfo info(path);
        std::optional<ProjectEntry> entry = ProjectEntry::fromFile(path);
        if (!entry) {
            // Folders, devices and pipes exist but are no pages.
            (info.exists() && !path.contains(QChar(0)) ? notFile : missing) = true;
            continue;
        }
        if (!m_entries.isEmpty() && !isProjectPageName(entry->name)) {
            notPage = true;
            continue;
        }
        seen.insert(path, count());
        listIndex.last() = count();
        m_entries.append(*entry);
    }
    // Each kind of entry left out has its own words, in one message.
    QStringList told;
    for (const auto &[happened, text] :
         {std::pair{missing, 86}, std::pair{duplicate, 9220}, std::pair{notFile, 9221}, std::pair{notPage, 9222}}) {
        if (happened)
            told << msg(text);
    }
    if (!told.isEmpty())
        prompts.information(told.join(QStringLiteral("\n\n")));
    // A duplicate left out keeps the master on its page; any other loss
    // leaves the project without master, as the indices no longer match.
    const bool onlyDuplicates = duplicate && !missing && !notFile && !notPage;
    if (content.masterIndex >= 0 && (told.isEmpty() || onlyDuplicates)) {
        MasterIndex = listIndex.at(content.masterIndex);
        m_entries[MasterIndex].master = true;
    }
    ProjectFileName = fileName;
    ProjectOpen = true;
    // What was left out is gone from the file at the next save, so the
    // message does not come back at every opening.
    ProjectModified = !told.isEmpty();
    return true;
}

bool Project::writeFile(Prompts &prompts, const PageWriter &writer)
{
    if (!writeFileAtomically(ProjectFileName, fileBytes(), writer)) {
        prompts.error(fileMessage(ProjectFileName, Texts::WriteFailed));
        return false;
    }
    return true;
}
