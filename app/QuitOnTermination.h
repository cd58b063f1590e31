#pragma once

class QCoreApplication;

namespace markroll {

// SIGINT, SIGTERM and SIGHUP (a logout, a kill) end the application's event
// loop as closing the window does, so what the program set up is taken down
// before it ends: its settings folder never outlives it. A signal ignored
// when the program started stays ignored.
void quitOnTermination(QCoreApplication& application);

// Once everything is taken down: ends the program by the signal that ended
// the loop, as it would have ended had it not been caught, so whoever sent it
// sees it. Returns when none did.
void endByTerminationReceived();

} // namespace markroll
