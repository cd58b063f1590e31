#include "platform/shortcuts/UnreadableShortcut.h"

#include <windows.h>

namespace markroll {

bool leavesShortcutUnreadable(int osError)
{
    switch (DWORD(osError)) {
    case ERROR_FILE_NOT_FOUND:       // gone since it was listed
    case ERROR_PATH_NOT_FOUND:
    case ERROR_DELETE_PENDING:
    case ERROR_ACCESS_DENIED:        // may not be read, or held by another program
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_DIRECTORY:            // no ordinary file
    case ERROR_CANT_RESOLVE_FILENAME: // a link that leads nowhere
    case ERROR_CANT_ACCESS_FILE:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
        return true;
    default:
        return false;
    }
}

} // namespace markroll
