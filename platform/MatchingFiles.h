#pragma once

#include "DirectoryListing.h"
#include "ListedNames.h"

#include <string_view>

#ifndef _WIN32
#include <dirent.h>
#endif

namespace markroll {

#ifndef _WIN32
// Adds the ordinary, visible files of the open folder `stream` whose names
// match `mask` (a link counts when it leads to an ordinary file), in the
// order the OS lists them.
void addMatchingFiles(DIR* stream, std::u16string_view mask, ListedNames& names);
#endif

} // namespace markroll
