#pragma once

#include "platform/files/ListedNames.h"
#include "platform/Host.h"

#include <memory>
#include <string_view>

namespace markroll {

class ListedFolder;

// Opens the folder to list; raises when it cannot be listed.
std::shared_ptr<const ListedFolder> openListedFolder(std::u16string_view folderPath);

// Adds the ordinary, visible files of `folder` whose names end in ".url",
// letter case aside (a link counts when it leads to an ordinary file; one that leads nowhere does
// not), in the order the OS lists them. An entry whose type the OS will not
// tell is added too: it is a shortcut that reading will tell of. A failure to
// read the folder itself is raised, naming `folderPath`.
void addShortcutFiles(const ListedFolder& folder, std::u16string_view folderPath, ListedNames& names);

} // namespace markroll
