#pragma once

#include "platform/Host.h"
#include "platform/ListedEntry.h"

#include <string_view>

namespace markroll {

// The times the file system keeps of `path` (following a link), each
// system's own: the creation time where it is kept, and the last write.
// A file that cannot be asked gives none.
FileTimes fileTimesOf(std::u16string_view path) noexcept;
// The same of a listed entry, found in its folder by its listed name.
FileTimes fileTimesOf(const ListedEntry& entry, std::u16string_view path) noexcept;

} // namespace markroll
