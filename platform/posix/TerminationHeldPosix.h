#pragma once

#include <signal.h>

namespace markroll::pendingfile {

// Holds back SIGINT, SIGTERM and SIGHUP while it lives.
class TerminationHeld {
public:
    TerminationHeld();
    ~TerminationHeld();
    TerminationHeld(const TerminationHeld&) = delete;
    TerminationHeld& operator=(const TerminationHeld&) = delete;

private:
    sigset_t previous_;
};

} // namespace markroll::pendingfile
