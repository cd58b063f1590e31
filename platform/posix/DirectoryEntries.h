#pragma once

#include <cerrno>
#include <dirent.h>
#include <string_view>

namespace markroll {

// Calls `visit` with every entry of the open folder `stream` but "." and
// "..", in the order the OS lists them; a failure to read the folder part way
// is raised, naming `folderPath`. The one listing loop of the folder walk and
// the shortcut listing alike.
template <typename Visit>
void forEachEntry(DIR* stream, std::u16string_view folderPath, Visit visit);

// Raises errno's failure, naming `folderPath` (out of line, so this header
// needs none of the failure's).
[[noreturn]] void raiseListingFailure(std::u16string_view folderPath);

template <typename Visit>
void forEachEntry(DIR* stream, std::u16string_view folderPath, Visit visit)
{
    for (;;) {
        errno = 0;
        const dirent* entry = readdir(stream);
        if (!entry) {
            if (errno != 0)
                raiseListingFailure(folderPath);
            return;
        }
        const std::string_view name(entry->d_name);
        if (name != "." && name != "..")
            visit(*entry, name);
    }
}

} // namespace markroll
