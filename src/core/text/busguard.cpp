#include "core/text/busguard.h"

#include <QtGlobal>

#ifdef Q_OS_UNIX
#include <array>
#include <atomic>
#include <csignal>
#include <cstdint>

#include <sys/mman.h>
#endif

namespace BusGuard {

#ifdef Q_OS_UNIX
namespace {

struct Guard
{
    std::atomic<bool> taken{false};
    std::atomic<std::uintptr_t> begin{0};
    std::atomic<std::uintptr_t> end{0};
    std::atomic<bool> hit{false};
};

// Plain atomics: the handler may only touch these.
std::array<Guard, 8> guards;
struct sigaction previousAction;

void onBusError(int signal, siginfo_t *info, void *context)
{
    const auto address = reinterpret_cast<std::uintptr_t>(info->si_addr);
    for (Guard &guard : guards) {
        const std::uintptr_t begin = guard.begin.load();
        const std::uintptr_t end = guard.end.load();
        if (begin == 0 || address < begin || address >= end)
            continue;
        // Zero pages in place of the file's: the access is made again and
        // the reader carries on.
        void *zeros = ::mmap(reinterpret_cast<void *>(begin), end - begin, PROT_READ,
                             MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0);
        if (zeros != MAP_FAILED) {
            guard.hit.store(true);
            return;
        }
        break;
    }
    // Not a guarded range: whatever handled the error before does.
    if ((previousAction.sa_flags & SA_SIGINFO) && previousAction.sa_sigaction) {
        previousAction.sa_sigaction(signal, info, context);
    } else if (!(previousAction.sa_flags & SA_SIGINFO) && previousAction.sa_handler != SIG_DFL
               && previousAction.sa_handler != SIG_IGN && previousAction.sa_handler) {
        previousAction.sa_handler(signal);
    } else {
        // The faulting access runs again and ends the program as usual.
        struct sigaction fallback = {};
        fallback.sa_handler = SIG_DFL;
        ::sigaction(SIGBUS, &fallback, nullptr);
    }
}

bool installHandler()
{
    static const bool installed = [] {
        struct sigaction action = {};
        action.sa_sigaction = onBusError;
        action.sa_flags = SA_SIGINFO | SA_NODEFER;
        sigemptyset(&action.sa_mask);
        return ::sigaction(SIGBUS, &action, &previousAction) == 0;
    }();
    return installed;
}

} // namespace

int claim(const void *address, std::size_t length)
{
    if (!address || length == 0 || !installHandler())
        return -1;
    for (int i = 0; i < int(guards.size()); ++i) {
        bool expected = false;
        if (!guards[i].taken.compare_exchange_strong(expected, true))
            continue;
        const auto begin = reinterpret_cast<std::uintptr_t>(address);
        guards[i].hit.store(false);
        guards[i].end.store(begin + length);
        guards[i].begin.store(begin);
        return i;
    }
    return -1;
}

bool hit(int slot)
{
    return slot >= 0 && slot < int(guards.size()) && guards[std::size_t(slot)].hit.load();
}

void release(int slot)
{
    if (slot < 0 || slot >= int(guards.size()))
        return;
    Guard &guard = guards[std::size_t(slot)];
    guard.begin.store(0);
    guard.end.store(0);
    guard.taken.store(false);
}

#else

int claim(const void *, std::size_t)
{
    return -1;
}

bool hit(int)
{
    return false;
}

void release(int) {}

#endif

} // namespace BusGuard
