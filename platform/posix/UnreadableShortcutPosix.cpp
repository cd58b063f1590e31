#include "platform/shortcuts/UnreadableShortcut.h"

#include <cerrno>

namespace markroll {

bool leavesShortcutUnreadable(int osError)
{
    switch (osError) {
    case ENOENT:       // gone since it was listed
    case ENOTDIR:
    case EACCES:       // may not be read
    case EPERM:
    case EISDIR:       // no ordinary file
    case ENXIO:
    case ENODEV:
    case ELOOP:        // a link that leads nowhere
    case ENAMETOOLONG:
    case EILSEQ:
        return true;
    default:
        return false;
    }
}

} // namespace markroll
