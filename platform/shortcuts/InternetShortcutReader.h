#pragma once

#include "platform/ListedEntry.h"

#include <string>
#include <string_view>

namespace markroll {

// Reads the URLs of Internet Shortcut files ("*.url") from the host's file
// system, never writing them: each listed entry is opened in its own folder.
class InternetShortcutReader {
public:
    // The URL of `entry`, shown as `shownPath` in failures; valid until the
    // next read. An UnreadableShortcut failure when the file cannot be read
    // on its own account or has no URL; a System failure when the OS lacks
    // what reading takes or the disk fails.
    const std::u16string& readUrl(const ListedEntry& entry, std::u16string_view shownPath);
    // Whether the last read had to wait for the disk.
    bool lastReadWaitedForDisk() const { return waitedForDisk_; }
    // The shortcut file at `path`, read on its own, not from a listing.
    const std::u16string& readUrlAt(std::u16string_view path);

private:
    // Reused from file to file.
    std::string name_;
    std::string bytes_;
    std::u16string url_;
    bool waitedForDisk_ = false;
};

} // namespace markroll
