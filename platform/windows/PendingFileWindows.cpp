#include "platform/files/PendingFile.h"
#include "platform/files/PendingPath.h"

#include <windows.h>

namespace markroll::pendingfile {
namespace {

BOOL WINAPI onConsoleEvent(DWORD)
{
    removeTrackedNow();
    return FALSE;
}

} // namespace

void removePendingPath(const NativeChar* path) noexcept { DeleteFileW(path); }

TerminationHeld::TerminationHeld() = default;
TerminationHeld::~TerminationHeld() = default;

void removeOnTermination() { SetConsoleCtrlHandler(onConsoleEvent, TRUE); }

} // namespace markroll::pendingfile
