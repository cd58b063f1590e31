#pragma once

#include "platform/files/StandardStreams.h"

#include <cstddef>
#include <string>
#include <vector>

namespace markroll {

// markroll-cli FAVORITES_FOLDER OUTPUT_FOLDER: one generation run without a
// window. `arguments` are those after the program's name; a message for a
// stream in `closed` is never shown. Returns the exit status: 0 page complete
// with no failure, 1 a failure was reported, 2 the command line was not
// usable, 3 a message could not be written.
// What a run that wrote a bookmark file put in it and left out of it.
struct BookmarkTotals {
    std::size_t bookmarked = 0;
    std::size_t leftOut = 0;
};
int runCli(const std::vector<std::u16string>& arguments, ClosedStandardStreams closed = {},
           BookmarkTotals* totals = nullptr);

} // namespace markroll
