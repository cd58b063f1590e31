#pragma once

#include "ListedEntry.h"

#include <string>
#include <string_view>

namespace markroll {

// The mask the generator searches each folder with.
inline constexpr std::u16string_view ShortcutMask = u"*.url";

// A wildcard search in one folder: start with "folder<sep>mask", then fetch one
// entry after another; an entry with the empty name means there are no more.
// Starting a new search abandons the previous one.
class DirectoryListing {
public:
    virtual ~DirectoryListing() = default;
    virtual ListedEntry start(std::u16string_view pattern) = 0;
    // Puts the next entry into `entry`, whose room is kept: a big folder has
    // thousands of them.
    virtual void next(ListedEntry& entry) = 0;
    ListedEntry next()
    {
        ListedEntry entry;
        next(entry);
        return entry;
    }
};

} // namespace markroll
