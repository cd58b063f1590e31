#include "platform/files/WriteSignals.h"

#include <csignal>

namespace markroll {

void failWritesInsteadOfSignals()
{
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGXFSZ, SIG_IGN);
}

} // namespace markroll
