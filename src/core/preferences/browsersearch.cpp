#include "core/preferences/browsersearch.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QStorageInfo>

#include <vector>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace {

// What makes a folder the same folder, whatever path leads to it.
QString folderIdentity(const QString &path)
{
#ifdef Q_OS_UNIX
    struct stat info;
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return QString();
    return QStringLiteral("%1:%2").arg(quint64(info.st_dev)).arg(quint64(info.st_ino));
#else
    return QFileInfo(path).canonicalFilePath();
#endif
}

// Folders of the kernel's virtual file systems: huge, endless or
// self-referring, and no program lives there.
bool isVirtualFolder(const QString &path)
{
#ifdef Q_OS_UNIX
    static const QStringList folders = {QStringLiteral("/proc"), QStringLiteral("/sys"), QStringLiteral("/dev")};
    return folders.contains(path);
#else
    Q_UNUSED(path);
    return false;
#endif
}

} // namespace

QStringList browserProgramNames(int family)
{
#ifdef Q_OS_WIN
    if (family == 1)
        return {QStringLiteral("NETSCAPE.EXE")};
    if (family == 2)
        return {QStringLiteral("IEXPLORE.EXE")};
#else
    if (family == 1)
        return {QStringLiteral("firefox"), QStringLiteral("firefox-esr")};
    if (family == 2)
        return {QStringLiteral("chromium"), QStringLiteral("google-chrome"), QStringLiteral("chrome")};
#endif
    return {};
}

int browserFamilyOfProgram(const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    for (int family = 1; family <= 2; ++family) {
        if (browserProgramNames(family).contains(name, Qt::CaseInsensitive))
            return family;
    }
    return 0;
}

QStringList browserSearchRoots()
{
    QStringList roots;
    const auto add = [&roots](const QString &path) {
        const QString clean = QDir::cleanPath(path);
        if (!clean.isEmpty() && !roots.contains(clean))
            roots << clean;
    };
    for (const QFileInfo &drive : QDir::drives())
        add(drive.absoluteFilePath());
    add(QDir::homePath());
    QStringList volumes;
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        if (volume.isValid() && volume.isReady())
            volumes << volume.rootPath();
    }
    volumes.sort();
    for (const QString &volume : volumes)
        add(volume);
    return roots;
}

ProgramSearch::ProgramSearch(const QStringList &names)
    : m_names(names)
{}

bool ProgramSearch::matches(const QString &fileName) const
{
    return m_names.contains(fileName, Qt::CaseInsensitive);
}

int ProgramSearch::run(const QString &root, const HitHandler &onHit, const std::atomic<bool> &stop) const
{
    int hits = 0;
    QSet<QString> visited;
    // Depth first, folders in name order; a stack rather than recursion so
    // that a deep tree cannot exhaust the call stack.
    std::vector<QString> pending{QDir::cleanPath(root)};
    while (!pending.empty() && !stop) {
        const QString folder = pending.back();
        pending.pop_back();
        if (isVirtualFolder(folder))
            continue;
        const QString identity = folderIdentity(folder);
        if (identity.isEmpty() || visited.contains(identity))
            continue;
        visited.insert(identity);

        const QFileInfoList entries = QDir(folder).entryInfoList(
            QDir::Dirs | QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
        std::vector<QString> subfolders;
        for (const QFileInfo &entry : entries) {
            if (stop)
                break;
            if (entry.isDir()) {
                subfolders.push_back(entry.absoluteFilePath());
                continue;
            }
            if (!entry.isFile() || !matches(entry.fileName()))
                continue;
#ifndef Q_OS_WIN
            // Without the ".exe" of other systems, the execute permission
            // tells a program from a data file of the same name.
            if (!entry.isExecutable())
                continue;
#endif
            ++hits;
            if (onHit)
                onHit(entry.absoluteFilePath());
        }
        pending.insert(pending.end(), subfolders.rbegin(), subfolders.rend());
    }
    return hits;
}

BrowserSearchThread::BrowserSearchThread(QObject *parent)
    : QThread(parent)
{}

BrowserSearchThread::~BrowserSearchThread()
{
    stopAndWait();
}

void BrowserSearchThread::startSearch(const QString &root, int family)
{
    wait();
    m_root = root;
    m_names = browserProgramNames(family);
    m_stop = false;
    start();
}

void BrowserSearchThread::stopAndWait()
{
    m_stop = true;
    wait();
}

void BrowserSearchThread::run()
{
    const ProgramSearch search(m_names);
    const int hits = search.run(
        m_root, [this](const QString &path) { emit found(path); }, m_stop);
    emit searchFinished(hits);
}
