#pragma once

#include "platform/ListedEntry.h"

#include <cstddef>
#include <cstdint>
#include <system_error>

namespace markroll {

// The listed shortcut file, open for reading in its folder; other programs
// may go on using it. Each system's own, in OpenShortcutFilePosix.cpp and
// OpenShortcutFileWindows.cpp.
class OpenShortcutFile {
public:
    explicit OpenShortcutFile(const ListedEntry& entry);
    ~OpenShortcutFile();
    OpenShortcutFile(const OpenShortcutFile&) = delete;
    OpenShortcutFile& operator=(const OpenShortcutFile&) = delete;

    bool opened() const { return opened_; }
    // The OS's own code of the last failure: errno, or a Win32 error.
    int error() const { return error_; }
    // A file on a disk, not a folder, a pipe or a device: its size.
    bool ordinarySize(std::uint64_t& size) const;
    // Bytes read at `offset`, 0 at the end, -1 on failure (error() tells).
    // A first read that would wait for the disk is told, where the system
    // can tell, so helpers can start reading ahead.
    long long readAt(char* into, std::size_t size, std::size_t offset, bool& waitedForDisk);
    static bool interrupted(int error);
    // Whether the listing has told an ordinary file from a pipe or a device.
    static const bool TypedByListing;

private:
    // A descriptor, or a Windows handle.
    std::intptr_t handle_;
    bool opened_;
    int error_ = 0;
};

// A failed open's or read's error code as the system's own category holds it.
std::error_code shortcutReadError(int osError);

} // namespace markroll
