#pragma once

#include "DirectoryListing.h"
#include "LocalFileSystem.h"
#include "ScriptShell.h"

namespace markroll {

// The host's own file system, shortcut reader and directory listing, together.
struct LocalPlatform {
    LocalFileSystemFactory files;
    LocalScriptShellFactory shells;
    LocalDirectoryListing listing;
};

} // namespace markroll
