#include "platform/posix/TerminationSignals.h"

namespace markroll {

void handleTerminationSignals(void (*handler)(int))
{
    for (const int number : TerminationSignals) {
        struct sigaction inherited {};
        if (::sigaction(number, nullptr, &inherited) == 0 && inherited.sa_handler == SIG_IGN)
            continue;
        struct sigaction action {};
        action.sa_handler = handler;
        action.sa_flags = SA_RESTART;
        sigemptyset(&action.sa_mask);
        ::sigaction(number, &action, nullptr);
    }
}

} // namespace markroll
