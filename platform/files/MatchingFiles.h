#pragma once

#include "DirectoryListing.h"
#include "ListedNames.h"

#include <string>
#include <string_view>

#ifndef _WIN32
#include <dirent.h>
#endif

namespace markroll {

// A folder that is not there, or that may not be read, lists as empty, as the
// runtime's own wildcard search does: the walk has told of it already. Any
// other failure to list is a failure, never an empty folder.
bool listsAsEmpty(int osError);

// Adds the ordinary, visible files of a folder whose names match `mask` (a
// link counts when it leads to an ordinary file), in the order the OS lists
// them. A failure to read the folder or to tell an entry's type is raised,
// naming `folderPath`.
#ifdef _WIN32
// False when the folder lists as empty.
bool addMatchingFiles(const std::wstring& folder, std::u16string_view folderPath, std::u16string_view mask,
                      ListedNames& names);
#else
void addMatchingFiles(DIR* stream, std::u16string_view folderPath, std::u16string_view mask, ListedNames& names);
#endif

} // namespace markroll
