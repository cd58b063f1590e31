#include "platform/files/PendingFile.h"

#include "platform/files/PendingPath.h"

#include <cstring>

namespace markroll::pendingfile {

NativeChar pendingPaths[PendingSlots][PendingPathRoom];
volatile std::sig_atomic_t tracking[PendingSlots] = {};

int track(const std::filesystem::path& path)
{
    const auto& native = path.native();
    if (native.size() >= PendingPathRoom)
        return -1;
    for (int slot = 0; slot < PendingSlots; ++slot) {
        if (tracking[slot])
            continue;
        std::memcpy(pendingPaths[slot], native.c_str(), (native.size() + 1) * sizeof(NativeChar));
        tracking[slot] = 1;
        return slot;
    }
    return -1;
}

void untrack(int slot)
{
    if (slot >= 0 && slot < PendingSlots)
        tracking[slot] = 0;
}

void removeTrackedNow() noexcept
{
    for (int slot = 0; slot < PendingSlots; ++slot) {
        if (tracking[slot])
            removePendingPath(pendingPaths[slot]);
    }
}

} // namespace markroll::pendingfile
