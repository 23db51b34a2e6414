#include "core/shell/handoverprotocol.h"

#include "core/shell/tabtext.h"

#include <QDir>
#include <QFile>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

bool isDocumentFileName(const QString &path)
{
    const QString name = fileNameWithoutFolder(path);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return false;
    const QString extension = name.mid(dot).toLower();
    return extension == QLatin1String(".htm") || extension == QLatin1String(".html")
           || extension == QLatin1String(".shtml") || extension == QLatin1String(".txt");
}

bool isProjectFileName(const QString &path)
{
    return fileNameWithoutFolder(path).toLower().endsWith(QLatin1String(".proj"));
}

bool isOpenableFileName(const QString &path)
{
    return isDocumentFileName(path) || isProjectFileName(path);
}

QString fullDocumentPath(const QString &path, const QString &baseFolder)
{
    return QDir::cleanPath(QDir(baseFolder).absoluteFilePath(path));
}

bool ensurePrivateFolder(const QString &path)
{
#ifdef Q_OS_UNIX
    const QByteArray name = QFile::encodeName(path);
    if (path.isEmpty())
        return false;
    // Made with no access for others from the start, so that nobody can put
    // anything in it between its creation and the check.
    ::mkdir(name.constData(), 0700);
    struct stat st;
    if (::lstat(name.constData(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::getuid())
        return false;
    if ((st.st_mode & 0077) != 0 && ::chmod(name.constData(), st.st_mode & 0700) != 0)
        return false;
    return true;
#else
    return QDir().mkpath(path);
#endif
}

bool isOwnSocket(const QString &path)
{
#ifdef Q_OS_UNIX
    struct stat st;
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISSOCK(st.st_mode) && st.st_uid == ::getuid();
#else
    Q_UNUSED(path);
    return true;
#endif
}

namespace HandOverProtocol {

QByteArray encode(const QStringList &paths, bool activate)
{
    QByteArray out = QByteArray(Greeting) + '\n';
    for (const QString &path : paths)
        out += "OPEN " + path.toUtf8().toPercentEncoding() + '\n';
    if (activate)
        out += "ACTIVATE\n";
    out += "END\n";
    return out;
}

} // namespace HandOverProtocol

HandOverDecoder::State HandOverDecoder::feed(const QByteArray &bytes)
{
    if (m_state != State::Reading)
        return m_state;
    m_received += bytes.size();
    if (m_received > HandOverProtocol::MaxMessageLength) {
        m_state = State::Rejected;
        return m_state;
    }
    m_pending += bytes;
    qsizetype start = 0;
    while (m_state == State::Reading) {
        const qsizetype end = m_pending.indexOf('\n', start);
        if (end < 0)
            break;
        takeLine(m_pending.mid(start, end - start));
        start = end + 1;
    }
    m_pending.remove(0, start);
    // A line of the longest length may still be waiting for the LF of its
    // CR LF: that CR is not part of the line.
    if (m_state == State::Reading && m_pending.size() > HandOverProtocol::MaxLineLength + 1)
        m_state = State::Rejected;
    if (m_state != State::Reading)
        m_pending.clear();
    return m_state;
}

void HandOverDecoder::takeLine(QByteArray line)
{
    if (line.endsWith('\r'))
        line.chop(1);
    if (line.size() > HandOverProtocol::MaxLineLength) {
        m_state = State::Rejected;
        return;
    }
    if (!m_greeted) {
        if (line != HandOverProtocol::Greeting) {
            m_state = State::Rejected;
            return;
        }
        m_greeted = true;
        return;
    }
    if (line.startsWith("OPEN ")) {
        const QString path = QString::fromUtf8(QByteArray::fromPercentEncoding(line.mid(5)));
        // No file name holds a NUL: such a line is garbage.
        if (!path.isEmpty() && !path.contains(QChar(0)) && isOpenableFileName(path))
            m_files.append(path);
    } else if (line == "ACTIVATE") {
        m_activate = true;
    } else if (line == "END") {
        m_state = State::Finished;
    }
}
