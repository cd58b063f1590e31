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

void removePendingPath() noexcept { DeleteFileW(pendingPath); }

void removeOnTermination() { SetConsoleCtrlHandler(onConsoleEvent, TRUE); }

} // namespace markroll::pendingfile
