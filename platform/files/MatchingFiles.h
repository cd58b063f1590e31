#pragma once

#include "Host.h"
#include "ListedNames.h"

#include <string>
#include <string_view>

#ifndef _WIN32
#include <dirent.h>
#endif

namespace markroll {

// Adds the ordinary, visible files of a folder whose names match `mask` (a
// link counts when it leads to an ordinary file; one that leads nowhere does
// not), in the order the OS lists them. An entry whose type the OS will not
// tell is added too: it is a shortcut that reading will tell of. A failure to
// read the folder itself is raised, naming `folderPath`.
#ifdef _WIN32
void addMatchingFiles(const std::wstring& folder, std::u16string_view folderPath, std::u16string_view mask,
                      ListedNames& names);
#else
void addMatchingFiles(DIR* stream, std::u16string_view folderPath, std::u16string_view mask, ListedNames& names);
#endif

} // namespace markroll
