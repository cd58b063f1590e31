#pragma once

namespace markroll::pendingfile {

// The console's close event is not held back: its handler removes the file.
class TerminationHeld {
public:
    // Not defaulted, so a holder that holds nothing is no unused variable.
    TerminationHeld() {}
    TerminationHeld(const TerminationHeld&) = delete;
    TerminationHeld& operator=(const TerminationHeld&) = delete;
};

} // namespace markroll::pendingfile
