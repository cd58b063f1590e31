#pragma once

#include <compare>
#include <cstdint>

namespace markroll {

// Where a file or folder lives, whatever path leads to it (links, bind
// mounts, "..", letter case): its device and inode, or on Windows its
// volume's serial number and its file index there.
struct FileIdentity {
    std::uint64_t volume = 0;
    std::uint64_t index = 0;
    auto operator<=>(const FileIdentity&) const = default;
};

} // namespace markroll
