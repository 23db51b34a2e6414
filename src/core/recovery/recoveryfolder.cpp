#include "core/recovery/recoveryfolder.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRandomGenerator>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/statvfs.h>
#include <unistd.h>
#endif

namespace {

const QString LockName = QStringLiteral("lock");
const QString CopySuffix = QStringLiteral(".page");
const QString DamagedName = QStringLiteral("damaged");
// A copy larger than this is no page of ours.
constexpr qint64 MaximumCopyBytes = qint64(1) << 31;

constexpr QFileDevice::Permissions OwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;

// The folder is made when missing and kept readable by its owner only;
// false when it is a symbolic link (its target's permissions are not ours
// to change, nor is it a place to put copies) or cannot be made.
bool makeOwnFolder(const QString &folder)
{
    if (QFileInfo(folder).isSymLink() || !QDir().mkpath(folder) || QFileInfo(folder).isSymLink())
        return false;
    QFile::setPermissions(folder, OwnerOnly);
    return true;
}

std::optional<RecoveryCopy> readCopy(const QString &path)
{
    QFile file(path);
    if (file.size() > MaximumCopyBytes || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return decodeRecoveryCopy(file.readAll());
}

} // namespace

RecoveryProblem recoveryFolderProblem(const QString &folder)
{
    if (QFileInfo(folder).isSymLink())
        return RecoveryProblem::SymbolicLink;
    QString existing = QFileInfo(folder).absoluteFilePath();
    while (!QFileInfo::exists(existing)) {
        const QString up = QFileInfo(existing).absolutePath();
        if (up == existing)
            return RecoveryProblem::Other;
        existing = up;
    }
#ifdef Q_OS_UNIX
    const QByteArray name = QFile::encodeName(existing);
    struct statvfs fs;
    if (::statvfs(name.constData(), &fs) == 0) {
        if (fs.f_flag & ST_RDONLY)
            return RecoveryProblem::ReadOnly;
        // Too little room left for a copy, or no file entry left.
        constexpr unsigned long long NearlyFull = 1024 * 1024;
        if ((unsigned long long)fs.f_bavail * fs.f_frsize < NearlyFull || fs.f_favail == 0)
            return RecoveryProblem::DiskFull;
    }
    if (::faccessat(AT_FDCWD, name.constData(), W_OK | X_OK, AT_EACCESS) != 0)
        return RecoveryProblem::NotAllowed;
#endif
    return RecoveryProblem::Other;
}

RecoveryFolder::RecoveryFolder(const QString &root)
    : m_root(root)
{}

RecoveryFolder::~RecoveryFolder()
{
    if (!isStarted())
        return;
    m_lock->unlock();
    QDir(m_sessionFolder).removeRecursively();
}

bool RecoveryFolder::start()
{
    if (isStarted())
        return true;
    // Date first, so that folders sort in the order the programs started.
    const QString name = QStringLiteral("%1-%2-%3")
                             .arg(QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMddHHmmsszzz")))
                             .arg(QCoreApplication::applicationPid())
                             .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
    const QString folder = QDir(m_root).filePath(name);
    if (!makeOwnFolder(m_root) || !QDir().mkdir(folder)) {
        m_problem = recoveryFolderProblem(m_root);
        return false;
    }
    QFile::setPermissions(folder, OwnerOnly);
    auto lock = std::make_unique<QLockFile>(QDir(folder).filePath(LockName));
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) {
        m_problem = recoveryFolderProblem(folder);
        QDir(folder).removeRecursively();
        return false;
    }
    m_problem = RecoveryProblem::None;
    m_lock = std::move(lock);
    m_sessionFolder = folder;
    return true;
}

QString RecoveryFolder::copyPath(int pageId) const
{
    return QDir(m_sessionFolder).filePath(QString::number(pageId) + CopySuffix);
}

QString RecoveryFolder::damagedFolder() const
{
    return QDir(m_root).filePath(DamagedName);
}

QString RecoveryFolder::setAside(const QString &path, const QString &folderName, const QString &copyName)
{
    if (!makeOwnFolder(damagedFolder()))
        return path;
    const QString aside = QDir(damagedFolder()).filePath(folderName + QLatin1Char('-') + copyName);
    QFile::remove(aside);
    return QFile::rename(path, aside) ? aside : path;
}

RecoveryFolder::LeftOvers RecoveryFolder::takeLeftOvers()
{
    LeftOvers result;
    // Nothing is read through a link put in the root's place.
    if (QFileInfo(m_root).isSymLink())
        return result;
    const QDir root(m_root);
    const QStringList folders = root.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks, QDir::Name);
    for (const QString &name : folders) {
        const QString folder = root.filePath(name);
        if (name == DamagedName || folder == m_sessionFolder)
            continue;
        // A folder whose lock is held belongs to a program still running;
        // a lock left by a program that is gone is taken over.
        auto lock = std::make_unique<QLockFile>(QDir(folder).filePath(LockName));
        lock->setStaleLockTime(0);
        if (!lock->tryLock(0))
            continue;
        LeftOverFolder taken{folder, std::move(lock), {}, false};
        const QDir dir(folder);
        QStringList copies = dir.entryList({QLatin1Char('*') + CopySuffix}, QDir::Files | QDir::NoSymLinks);
        // Pages in the order they were opened: "2.page" before "10.page".
        std::sort(copies.begin(), copies.end(), [](const QString &a, const QString &b) {
            return a.section(u'.', 0, 0).toLongLong() < b.section(u'.', 0, 0).toLongLong();
        });
        for (const QString &copyName : std::as_const(copies)) {
            const QString path = dir.filePath(copyName);
            if (std::optional<RecoveryCopy> copy = readCopy(path)) {
                result.pages.push_back(std::move(*copy));
                taken.readCopies << path;
                continue;
            }
            // Kept aside rather than deleted: someone may still salvage it.
            const QString now = setAside(path, name, copyName);
            taken.keepsDamaged |= now == path;
            result.damaged << now;
        }
        m_leftOverFolders.push_back(std::move(taken));
    }
    return result;
}

void RecoveryFolder::discardLeftOvers()
{
    for (LeftOverFolder &folder : m_leftOverFolders) {
        folder.lock->unlock();
        if (!folder.keepsDamaged) {
            QDir(folder.path).removeRecursively();
            continue;
        }
        for (const QString &copy : std::as_const(folder.readCopies))
            QFile::remove(copy);
    }
    m_leftOverFolders.clear();
}
