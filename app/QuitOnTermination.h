#pragma once

class QCoreApplication;

namespace markroll {

// SIGINT, SIGTERM and SIGHUP (a logout, a kill) end the application's event
// loop as closing the window does, so what the program set up is taken down
// before it ends: its settings folder never outlives it. The program then
// ends by that signal, as it would have had it not been caught, so whoever
// sent it sees it. A signal ignored when the program started stays ignored.
// Call it before anything that must be taken down is set up.
void quitOnTermination(QCoreApplication& application);

} // namespace markroll
