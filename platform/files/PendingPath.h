#pragma once

#include <csignal>
#include <cstddef>
#include <filesystem>

namespace markroll::pendingfile {

// The tracked file's path, read by a signal handler: plain storage, no
// allocation.
using NativeChar = std::filesystem::path::value_type;
inline constexpr std::size_t PendingPathRoom = 4096;
extern NativeChar pendingPath[PendingPathRoom];
extern volatile std::sig_atomic_t tracking;

// Each system's own removal of `pendingPath`.
void removePendingPath() noexcept;

} // namespace markroll::pendingfile
