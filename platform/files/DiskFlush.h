#pragma once

#include <filesystem>
#include <system_error>

namespace markroll {

// A page that replaces the previous one must be on the disk first, or a
// failing disk loses both: the new one never written back, the old one
// already replaced. File systems that keep nothing to flush count as flushed.

// Puts what was written to the open file `descriptor` (a C runtime
// descriptor) on the disk.
std::error_code flushToDisk(int descriptor);

// What a durable replace came to: the move failed (`from` is still there),
// or it was made and then could not be put on the disk (the new file stands,
// but its name may not survive a power loss).
struct ReplaceOutcome {
    std::error_code moveFailed;
    std::error_code folderNotFlushed;
};

// Moves `from` to `to`, replacing what stands there, and puts the move itself
// on the disk.
ReplaceOutcome replaceDurably(const std::filesystem::path& from, const std::filesystem::path& to);

} // namespace markroll
