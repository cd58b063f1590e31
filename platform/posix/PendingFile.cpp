#include "platform/files/PendingFile.h"
#include "platform/files/PendingPath.h"

#include <pthread.h>
#include <unistd.h>

namespace markroll::pendingfile {
namespace {

constexpr int TerminationSignals[] = {SIGINT, SIGTERM, SIGHUP};

void onSignal(int number)
{
    removeTrackedNow();
    std::signal(number, SIG_DFL);
    std::raise(number);
}

} // namespace

void removePendingPath(const NativeChar* path) noexcept { ::unlink(path); }

TerminationHeld::TerminationHeld()
{
    sigset_t held;
    sigemptyset(&held);
    for (const int number : TerminationSignals)
        sigaddset(&held, number);
    pthread_sigmask(SIG_BLOCK, &held, &previous_);
}

TerminationHeld::~TerminationHeld() { pthread_sigmask(SIG_SETMASK, &previous_, nullptr); }

void removeOnTermination()
{
    for (const int number : TerminationSignals)
        std::signal(number, onSignal);
}

} // namespace markroll::pendingfile
