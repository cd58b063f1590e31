#pragma once

#include <signal.h>

namespace markroll {

// The signals that ask the program to end.
inline constexpr int TerminationSignals[] = {SIGINT, SIGTERM, SIGHUP};

// Has `handler` take each of them, but for one the parent set to be ignored
// (nohup, a background job of a non-interactive shell): the user asked the
// program to go on, so it stays ignored.
void handleTerminationSignals(void (*handler)(int));

} // namespace markroll
