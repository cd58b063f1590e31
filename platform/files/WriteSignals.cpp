#include "WriteSignals.h"

#ifndef _WIN32
#include <csignal>
#endif

namespace markroll {

void failWritesInsteadOfSignals()
{
#ifndef _WIN32
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGXFSZ, SIG_IGN);
#endif
}

} // namespace markroll
