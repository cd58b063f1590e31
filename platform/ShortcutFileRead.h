#pragma once

#include <cstddef>
#include <optional>
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
    int osError = 0;
    // The first read had to wait for the disk.
    bool waitedForDisk = false;

    // The reason an error tells, for every outcome but Read.
    std::string reason() const;
    // The read failed for want of a resource of the OS (open files, memory),
    // not because of the file: that is a failure of the run, never a
    // shortcut taken for unreadable.
    bool hitALimit() const;
};

#ifndef _WIN32
// Reads the ordinary file `name` of the open folder `folder` (or the path
// `name` when `folder` is -1) into `bytes`, if it holds at most `limit` bytes.
// One open, one fstat and, for a file that does not change meanwhile, one
// read: a big tree has a hundred thousand of these.
ShortcutFileRead readShortcutFile(int folder, const char* name, std::size_t limit, std::string& bytes);
#endif

} // namespace markroll
