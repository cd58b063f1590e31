#pragma once

#include "ListedEntry.h"

#include <cstddef>
#include <string>

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

    // The reason an error tells, for every outcome but Read.
    std::string reason() const;
    // The read failed for want of a resource of the OS (open files, memory),
    // not because of the file: that is a failure of the run, never a
    // shortcut taken for unreadable.
    bool hitALimit() const;
    // The error number of such a failure.
    int errorNumber() const;
};

// Reads the ordinary file `entry` (opened in its folder, or as a path of its
// own) into `bytes`, if it holds at most `limit` bytes. One open, one look at
// its type and size and, for a file that does not change meanwhile, one read:
// a big tree has a hundred thousand of these. `scratch` is reused from file to
// file for the name as the OS takes it.
ShortcutFileRead readShortcutFile(const ListedEntry& entry, std::size_t limit, std::string& bytes,
                                  std::string& scratch);

} // namespace markroll
