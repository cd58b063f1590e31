#pragma once

#include "platform/files/ListedNames.h"
#include "platform/ListedEntry.h"
#include "platform/files/ShortcutPrefetcher.h"

#include <cstdint>
#include <memory>
#include <optional>

namespace markroll {

// Ordinary, visible files only (a link counts when it leads to an ordinary
// file) whose names end in ".url" letter case aside, in name order.
// A folder that cannot be listed is raised, whatever the reason; an entry
// whose type cannot be told is listed, so reading it tells what it is. Each
// entry comes with its open folder, to be opened relative to it.
class LocalDirectoryListing {
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

} // namespace markroll
