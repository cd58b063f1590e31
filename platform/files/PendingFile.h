#pragma once

#include <filesystem>

namespace markroll::pendingfile {

// The files a run is writing under a temporary name (the page, the bookmark file
// beside it, and the bookmark file's scratch file). When the process is told to end (Ctrl+C, SIGTERM,
// SIGHUP, or the console closing on Windows) after removeOnTermination(),
// those files are removed before the process ends, so an interrupted run
// leaves nothing behind and the previous files stand. A signal ignored when
// the program started stays ignored.
// The slot the file is tracked in, -1 when its path is too long to track or
// every slot is taken.
int track(const std::filesystem::path& path);
void untrack(int slot);
void removeOnTermination();
// Removes the tracked files at once; safe where nothing else is (a signal
// handler, a terminate handler).
void removeTrackedNow() noexcept;

// Holds back SIGINT, SIGTERM and SIGHUP while it lives, so a file is never
// created without being tracked, nor moved while still tracked. Windows'
// console close event is not held back: its handler removes the file.
class TerminationHeld {
public:
    TerminationHeld();
    ~TerminationHeld();
    TerminationHeld(const TerminationHeld&) = delete;
    TerminationHeld& operator=(const TerminationHeld&) = delete;
};

} // namespace markroll::pendingfile
