#include "platform/files/PendingFile.h"

#include "platform/files/PendingPath.h"

#include <cstring>

namespace markroll::pendingfile {

NativeChar pendingPath[PendingPathRoom];
volatile std::sig_atomic_t tracking = 0;

void track(const std::filesystem::path& path)
{
    tracking = 0;
    const auto& native = path.native();
    if (native.size() >= PendingPathRoom)
        return;
    std::memcpy(pendingPath, native.c_str(), (native.size() + 1) * sizeof(NativeChar));
    tracking = 1;
}

void untrack() { tracking = 0; }

void removeTrackedNow() noexcept
{
    if (tracking)
        removePendingPath();
}

} // namespace markroll::pendingfile
