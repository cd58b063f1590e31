#pragma once

#include <string>
#include <vector>

namespace markroll {

// markroll-cli FAVORITES_FOLDER OUTPUT_FOLDER: one generation run without a
// window. `arguments` are those after the program's name. Returns the exit
// status: 0 page complete with no failure, 1 a failure was reported, 2 the
// command line was not usable.
int runCli(const std::vector<std::u16string>& arguments);

} // namespace markroll
