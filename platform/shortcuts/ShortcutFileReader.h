#pragma once

#include "platform/ListedEntry.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace markroll {

// Reads listed shortcut files ("*.url") from the host's file system, never
// writing them: each entry is opened in its own folder by its listed name.
class ShortcutFileReader {
public:
    // The bytes of `entry`, shown as `shownPath` in failures, when it is an
    // ordinary file of at most `limit` bytes; valid until the next read. An
    // UnreadableShortcut failure when the file cannot be read on its own
    // account; a System failure when the OS lacks what reading takes or the
    // disk fails.
    std::string_view read(const ListedEntry& entry, std::size_t limit, std::u16string_view shownPath);
    // Whether the last read had to wait for the disk.
    bool lastReadWaitedForDisk() const { return waitedForDisk_; }

private:
    // Reused from file to file.
    std::string bytes_;
    bool waitedForDisk_ = false;
};

} // namespace markroll
