#pragma once

#include "platform/files/HostPath.h"

#include <memory>
#include <string>

namespace markroll {

// The folder a listing was made of, each system's own (ListedFolderPosix.h, ListedFolderWindows.h).
class ListedFolder;

// One name a listing gave, as the program reads it and as the OS listed it,
// with the folder to open it in by that listed name. Without a folder, the
// name is a path of its own (a file read on its own, not listed).
struct ListedEntry {
    std::u16string name;
    std::shared_ptr<const ListedFolder> folder;
    HostName listedName;

    // The listing has no more names.
    bool empty() const { return name.empty(); }
};

} // namespace markroll
