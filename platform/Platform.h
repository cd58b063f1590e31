#pragma once

#include "DirectoryListing.h"
#include "FileSystemObject.h"
#include "ScriptShell.h"

#include <memory>

namespace markroll {

// Everything of the operating system that the generator uses: the file
// services, the shortcut reader and the one directory listing of the process.
class Platform {
public:
    virtual ~Platform() = default;
    virtual std::unique_ptr<FileSystemObject> createFileSystemObject() = 0;
    virtual std::unique_ptr<ScriptShell> createScriptShell() = 0;
    virtual DirectoryListing& directoryListing() = 0;
};

} // namespace markroll
