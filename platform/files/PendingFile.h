#pragma once

#include "os/TerminationHeld.h"

#include <filesystem>

namespace markroll::pendingfile {

// The one file a run is writing under a temporary name. When the process is
// told to end (Ctrl+C, SIGTERM, SIGHUP, or the console closing on Windows)
// after removeOnTermination(), that file is removed before the process ends,
// so an interrupted run leaves nothing behind and the previous page stands.
// TerminationHeld (one for each system) holds those back while it lives, so a
// file is never created without being tracked, nor moved while still tracked.
void track(const std::filesystem::path& path);
void untrack();
void removeOnTermination();
// Removes the tracked file at once; safe where nothing else is (a signal
// handler, a terminate handler).
void removeTrackedNow() noexcept;

} // namespace markroll::pendingfile
