#include "app/QuitOnTermination.h"

#include "platform/posix/TerminationSignals.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>
#include <cstdlib>

#include <fcntl.h>
#include <unistd.h>

namespace markroll {
namespace {

// A handler may do next to nothing: it tells the event loop through a pipe.
int signalPipe[2] = {-1, -1};
volatile std::sig_atomic_t received = 0;

void onTermination(int number)
{
    received = number;
    const char byte = 0;
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
}

// Run at exit, after whatever was set up later has been taken down.
void endByTerminationReceived()
{
    if (received == 0)
        return;
    std::signal(received, SIG_DFL);
    std::raise(received);
}

} // namespace

// Without a pipe the signals keep their usual effect.
void quitOnTermination(QCoreApplication& application)
{
    if (::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0 || std::atexit(endByTerminationReceived) != 0)
        return;
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &application);
    QObject::connect(notifier, &QSocketNotifier::activated, &application, &QCoreApplication::quit);
    handleTerminationSignals(onTermination);
}

} // namespace markroll
