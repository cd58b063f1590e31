#pragma once

#include "DirectoryListing.h"
#include "ListedNames.h"
#include "ShortcutPrefetcher.h"

#include <memory>

namespace markroll {

// Ordinary, visible files only (a link counts when it leads to an ordinary
// file), mask matched without regard to letter case, names in name order.
// A folder that is missing or may not be read has no names (the walk has told
// of it already); any other failure to list is raised.
//
// The folder of the last search stays open until the next one, so the
// shortcut reader can open the names it gives relative to it.
class LocalDirectoryListing : public DirectoryListing {
public:
    LocalDirectoryListing();
    ~LocalDirectoryListing() override;

    std::u16string start(std::u16string_view pattern) override;
    std::u16string next() override;

    // The folder of the current search and its open descriptor (-1 when there
    // is none, and always on Windows).
    const std::u16string& folder() const { return folder_; }
    int folderDescriptor() const;
    // The reader found a file that was not in the OS's cache.
    void coldReadSeen() { prefetcher_.coldReadSeen(); }

private:
    struct OpenFolder;
    void list(std::u16string_view mask);
    std::unique_ptr<OpenFolder> open_;
    std::u16string folder_;
    std::shared_ptr<const ListedNames> names_;
    std::size_t position_ = 0;
    ShortcutPrefetcher prefetcher_;
};

} // namespace markroll
