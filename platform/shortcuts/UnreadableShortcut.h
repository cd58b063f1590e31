#pragma once

namespace markroll {

// Whether a failure to open or read a shortcut file is about that file alone,
// so the shortcut is unreadable and gets its notice line: it is gone, it may
// not be read, it is no ordinary file, or its name or link leads nowhere. Any
// other failure (a device error, a limit of the OS on open files or memory) is
// a failure of the run, told in a message. `osError` is errno on Linux, a Win32
// error code on Windows.
bool leavesShortcutUnreadable(int osError);

} // namespace markroll
