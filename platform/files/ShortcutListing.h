#pragma once

#include "platform/files/ListedNames.h"
#include "platform/ListedEntry.h"
#include "platform/files/ShortcutPrefetcher.h"

#include <cstdint>
#include <memory>
#include <optional>

namespace markroll {

class ListedFolder;

// Ordinary, visible files only (a link counts when it leads to an ordinary
// file) whose names end in ".url" letter case aside, in name order.
// A folder that cannot be listed is raised, whatever the reason; an entry
// whose type cannot be told is listed, so reading it tells what it is. Each
// entry comes with its open folder, to be opened relative to it.
class ShortcutListing {
public:
    // Abandons the previous listing; the first entry, or one with the empty
    // name when the folder has none.
    ListedEntry start(std::u16string_view folder);
    // The next entry into `entry`, whose room is kept; the empty name at the end.
    void next(ListedEntry& entry);
    // A read of one of its entries had to wait for the disk.
    void noteColdRead() noexcept;

private:
    void list(std::u16string_view folder);

    std::shared_ptr<const ListedFolder> folder_;
    std::optional<ListedNames::Cursor> names_;
    std::size_t position_ = 0;
    ShortcutPrefetcher prefetcher_;
};

// Each system's own, in ShortcutListingPosix.cpp and ShortcutListingWindows.cpp.

// Opens the folder to list; raises when it cannot be listed.
std::shared_ptr<const ListedFolder> openListedFolder(std::u16string_view folderPath);

// Adds the ordinary, visible files of `folder` whose names end in ".url",
// letter case aside (a link counts when it leads to an ordinary file; one
// that leads nowhere does not), in the order the OS lists them. An entry
// whose type the OS will not tell is added too: it is a shortcut that reading
// will tell of. A failure to read the folder itself is raised, naming
// `folderPath`.
void addShortcutFiles(const ListedFolder& folder, std::u16string_view folderPath, ListedNames& names);

} // namespace markroll
