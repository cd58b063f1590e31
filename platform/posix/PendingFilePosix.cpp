#include "platform/files/PendingFile.h"
#include "platform/files/PendingPath.h"
#include "platform/posix/TerminationSignals.h"

#include <csignal>
#include <pthread.h>
#include <signal.h>
#include <unistd.h>

namespace markroll::pendingfile {
namespace {

void onSignal(int number)
{
    removeTrackedNow();
    std::signal(number, SIG_DFL);
    std::raise(number);
}

// Held once on a thread however often it is asked: only the outermost hold
// puts the mask back.
thread_local int holdDepth = 0;
thread_local sigset_t maskBeforeHold;

} // namespace

void removePendingPath(const NativeChar* path) noexcept { ::unlink(path); }

TerminationHeld::TerminationHeld()
{
    if (holdDepth++ > 0)
        return;
    sigset_t held;
    sigemptyset(&held);
    for (const int number : TerminationSignals)
        sigaddset(&held, number);
    pthread_sigmask(SIG_BLOCK, &held, &maskBeforeHold);
}

TerminationHeld::~TerminationHeld()
{
    if (--holdDepth == 0)
        pthread_sigmask(SIG_SETMASK, &maskBeforeHold, nullptr);
}

void removeOnTermination() { handleTerminationSignals(onSignal); }

} // namespace markroll::pendingfile
