#pragma once

#include <QStringList>

namespace markroll {

// markroll-cli FAVORITES_FOLDER OUTPUT_FOLDER: one generation run without a
// window. Returns the exit status: 0 page complete with no failure, 1 a failure
// was reported, 2 the command line was not usable.
int runCli(const QStringList& arguments);

} // namespace markroll
