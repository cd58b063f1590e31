#pragma once

namespace markroll {

// Where even the C++ runtime gives up (std::terminate: an exception that
// could not be thrown for want of memory, say), markroll-cli still removes its
// unfinished page, says "Markroll: エラーが発生しました" and exits with status 1,
// never by SIGABRT. Nothing here allocates.
void installLastResort();

} // namespace markroll
