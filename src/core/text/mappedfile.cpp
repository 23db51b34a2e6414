#include "core/text/mappedfile.h"

#include <QFile>

#include <atomic>

#ifdef Q_OS_UNIX
#include <signal.h>
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace {

#ifdef Q_OS_UNIX
// The mapping being read (one at a time in the whole program) and what the
// bus-error handler found. Plain atomics: the handler may only touch these.
std::atomic<const char *> g_begin{nullptr};
std::atomic<qint64> g_size{0};
std::atomic<bool> g_vanished{false};
std::atomic<long> g_pageSize{0};
struct sigaction g_previous;

extern "C" void onBusError(int signal, siginfo_t *info, void *context)
{
    const char *at = static_cast<const char *>(info->si_addr);
    const char *begin = g_begin.load();
    const long pageSize = g_pageSize.load();
    if (begin && at >= begin && at < begin + g_size.load() && pageSize > 0) {
        // A page the shortened file no longer backs: zeros in its place, and
        // the access is made again.
        void *page = reinterpret_cast<void *>(reinterpret_cast<quintptr>(at) & ~quintptr(pageSize - 1));
        if (::mmap(page, size_t(pageSize), PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0) != MAP_FAILED) {
            g_vanished.store(true);
            return;
        }
    }
    // Not ours: handled as if this handler were not there.
    if (g_previous.sa_flags & SA_SIGINFO) {
        if (g_previous.sa_sigaction) {
            g_previous.sa_sigaction(signal, info, context);
            return;
        }
    } else if (g_previous.sa_handler != SIG_DFL && g_previous.sa_handler != SIG_IGN && g_previous.sa_handler) {
        g_previous.sa_handler(signal);
        return;
    }
    ::signal(SIGBUS, SIG_DFL); // the access is made again and ends the program
}
#endif

} // namespace

MappedFile::~MappedFile()
{
    if (m_data)
        m_file->unmap(m_data);
}

bool MappedFile::map(QFile &file, qint64 size)
{
#ifdef Q_OS_UNIX
    if (m_data || size <= 0)
        return false;
    m_data = file.map(0, size);
    if (!m_data)
        return false;
    m_file = &file;
    m_size = size;
    // Read from start to end once: the system may read ahead.
    ::madvise(m_data, size_t(size), MADV_SEQUENTIAL);
    return true;
#else
    Q_UNUSED(file);
    Q_UNUSED(size);
    return false;
#endif
}

bool MappedFile::read(const std::function<void(QByteArrayView)> &reader) const
{
#ifdef Q_OS_UNIX
    if (!m_data)
        return false;
    const char *begin = reinterpret_cast<const char *>(m_data);
    const char *none = nullptr;
    if (!g_begin.compare_exchange_strong(none, begin))
        return false;
    g_size.store(m_size);
    g_vanished.store(false);
    g_pageSize.store(::sysconf(_SC_PAGESIZE));
    struct sigaction action = {};
    action.sa_sigaction = onBusError;
    action.sa_flags = SA_SIGINFO;
    sigemptyset(&action.sa_mask);
    // Whatever way the reader leaves, the handler and the mark go.
    struct Guard
    {
        bool installed;
        ~Guard()
        {
            if (installed)
                ::sigaction(SIGBUS, &g_previous, nullptr);
            g_begin.store(nullptr);
        }
    } guard{::sigaction(SIGBUS, &action, &g_previous) == 0};
    if (!guard.installed)
        return false;
    reader(QByteArrayView(begin, m_size));
    return !g_vanished.load();
#else
    Q_UNUSED(reader);
    return false;
#endif
}
