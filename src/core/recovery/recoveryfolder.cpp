#include "core/recovery/recoveryfolder.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRandomGenerator>

namespace {

const QString LockName = QStringLiteral("lock");
const QString CopySuffix = QStringLiteral(".page");
const QString DamagedName = QStringLiteral("damaged");
// A copy larger than this is no page of ours.
constexpr qint64 MaximumCopyBytes = qint64(1) << 31;

std::optional<RecoveryCopy> readCopy(const QString &path)
{
    QFile file(path);
    if (file.size() > MaximumCopyBytes || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return decodeRecoveryCopy(file.readAll());
}

} // namespace

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
    if (!QDir().mkpath(folder))
        return false;
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    auto lock = std::make_unique<QLockFile>(QDir(folder).filePath(LockName));
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) {
        QDir(folder).removeRecursively();
        return false;
    }
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

RecoveryFolder::LeftOvers RecoveryFolder::takeLeftOvers()
{
    LeftOvers result;
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
        const QDir dir(folder);
        QStringList copies = dir.entryList({QLatin1Char('*') + CopySuffix}, QDir::Files);
        // Pages in the order they were opened: "2.page" before "10.page".
        std::sort(copies.begin(), copies.end(), [](const QString &a, const QString &b) {
            return a.section(u'.', 0, 0).toLongLong() < b.section(u'.', 0, 0).toLongLong();
        });
        for (const QString &copyName : std::as_const(copies)) {
            const QString path = dir.filePath(copyName);
            if (std::optional<RecoveryCopy> copy = readCopy(path)) {
                result.pages.push_back(std::move(*copy));
                continue;
            }
            // Kept aside rather than deleted: someone may still salvage it.
            QDir().mkpath(damagedFolder());
            const QString aside = QDir(damagedFolder()).filePath(name + QLatin1Char('-') + copyName);
            QFile::remove(aside);
            result.damaged << (QFile::rename(path, aside) ? aside : path);
        }
        m_leftOverFolders.emplace_back(folder, std::move(lock));
    }
    return result;
}

void RecoveryFolder::discardLeftOvers()
{
    for (auto &[folder, lock] : m_leftOverFolders) {
        lock->unlock();
        QDir(folder).removeRecursively();
    }
    m_leftOverFolders.clear();
}
