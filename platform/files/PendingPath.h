#pragma once

#include <csignal>
#include <cstddef>
#include <filesystem>

namespace markroll::pendingfile {

// The tracked files' paths, read by a signal handler: plain storage, no
// allocation.
using NativeChar = std::filesystem::path::value_type;
inline constexpr std::size_t PendingPathRoom = 4096;
inline constexpr int PendingSlots = 3;
extern NativeChar pendingPaths[PendingSlots][PendingPathRoom];
extern volatile std::sig_atomic_t tracking[PendingSlots];

// Each system's own removal of one path.
void removePendingPath(const NativeChar* path) noexcept;

} // namespace markroll::pendingfile
