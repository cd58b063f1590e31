#pragma once

#include "LocalDirectoryListing.h"
#include "Platform.h"

namespace markroll {

// The host's own file system, shortcut reader and directory listing.
class LocalPlatform : public Platform {
public:
    std::unique_ptr<FileSystemObject> createFileSystemObject() override;
    std::unique_ptr<ScriptShell> createScriptShell() override;
    DirectoryListing& directoryListing() override { return listing_; }

private:
    LocalDirectoryListing listing_;
};

} // namespace markroll
