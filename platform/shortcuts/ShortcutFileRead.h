#pragma once

#include "platform/ListedEntry.h"

#include <cstddef>
#include <string>
#include <system_error>

namespace markroll {

// How reading one shortcut file ended, kept apart from the error it becomes.
struct ShortcutFileRead {
    enum class Outcome {
        Read,        // the bytes are in
        OpenFailed,  // `osError` tells why
        NotOrdinary, // a pipe, device or folder: never read
        TooLarge,    // over the size limit
        ReadFailed,  // `osError` tells why
    };
    Outcome outcome = Outcome::Read;
    // The OS's own code: errno on Linux, a Win32 error code on Windows.
    int osError = 0;
    // The first read had to wait for the disk.
    bool waitedForDisk = false;
    // How many of the bytes given hold the file, when it was read.
    std::size_t length = 0;

    // The reason an error tells, for every outcome but Read.
    std::string reason() const;
    // The open or the read failed for a reason that is not the file's own (a
    // device error, a limit on open files or memory): that is a failure of
    // the run, never a shortcut taken for unreadable.
    bool failsTheRun() const;
    // The OS's error of a failed open or read.
    std::error_code error() const;
};

// Reads the ordinary listed file `entry` (opened in its folder) into the first `length` of `bytes`, if it holds at most `limit` bytes.
// A big tree has a hundred thousand of these: `bytes` keeps its size from file
// to file, so its room is never cleared again, and a listed file needs only
// its open and one read.
ShortcutFileRead readShortcutFile(const ListedEntry& entry, std::size_t limit, std::string& bytes);

} // namespace markroll
