#include "PendingFile.h"

#include <csignal>
#include <cstring>

#ifdef _WIN32
#include <windows.h>
#else
#include <pthread.h>
#include <unistd.h>
#endif

namespace markroll::pendingfile {
namespace {

// Read by a signal handler: plain storage, no allocation.
using NativeChar = std::filesystem::path::value_type;
NativeChar pendingPath[4096];
volatile std::sig_atomic_t tracking = 0;

void removePending()
{
    if (!tracking)
        return;
#ifdef _WIN32
    DeleteFileW(pendingPath);
#else
    ::unlink(pendingPath);
#endif
}

#ifdef _WIN32
BOOL WINAPI onConsoleEvent(DWORD)
{
    removePending();
    return FALSE;
}
#else
void onSignal(int number)
{
    removePending();
    std::signal(number, SIG_DFL);
    std::raise(number);
}
#endif

} // namespace

void track(const std::filesystem::path& path)
{
    tracking = 0;
    const auto& native = path.native();
    if (native.size() >= std::size(pendingPath))
        return;
    std::memcpy(pendingPath, native.c_str(), (native.size() + 1) * sizeof(NativeChar));
    tracking = 1;
}

void untrack() { tracking = 0; }

void removeTrackedNow() noexcept { removePending(); }

#ifdef _WIN32
TerminationHeld::TerminationHeld() = default;
TerminationHeld::~TerminationHeld() = default;
#else
TerminationHeld::TerminationHeld()
{
    sigset_t held;
    sigemptyset(&held);
    for (const int number : {SIGINT, SIGTERM, SIGHUP})
        sigaddset(&held, number);
    pthread_sigmask(SIG_BLOCK, &held, &previous_);
}

TerminationHeld::~TerminationHeld() { pthread_sigmask(SIG_SETMASK, &previous_, nullptr); }
#endif

void removeOnTermination()
{
#ifdef _WIN32
    SetConsoleCtrlHandler(onConsoleEvent, TRUE);
#else
    for (const int number : {SIGINT, SIGTERM, SIGHUP})
        std::signal(number, onSignal);
#endif
}

} // namespace markroll::pendingfile
