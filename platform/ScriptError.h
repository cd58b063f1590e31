#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>

namespace markroll {

// How failures travel. Every failure of an operation of the platform becomes
// a ScriptError with a number at that operation, the numbers of Windows'
// script runtime, and is told by the handler of the procedure it happened
// in: the walk, the page writer, the section writer, the run.
// - 5 is a call that cannot be served: a shortcut unreadable on its own
//   account (no URL, not an ordinary file, too large, undecodable, gone,
//   denied; the set is leavesShortcutUnreadable's) or a line that cannot be
//   encoded. The section writer tells it inside the page by a notice line.
// - Every other number (an OS failure mapped by errorNumberForErrno, 9 for a
//   full folder table, 7 for memory) is told in a message box. A device error
//   and a limit of the OS (open files, memory, file size) are such failures
//   too, never an empty folder, a skipped name or a broken shortcut.
// - Only the Favorites folder's own listing decides that there is no page; a
//   failure about one entry in a folder is that entry's message.
// - A page write that fails ends the page; the page writer tells it, once.
//   The page is on the disk before it replaces the previous one; one that
//   cannot be put there is dropped, and the previous page stays.
// An exception that is not ours is taken as its number where it is caught
// (currentFailure), and nothing of any type leaves the run, the window's
// clicks or main.
enum ErrorNumber : int {
    OutOfMemory = 7,
    InvalidCall = 5,
    SubscriptOutOfRange = 9,
    BadFileName = 52,
    FileNotFound = 53,
    DeviceIoError = 57,
    FileAlreadyExists = 58,
    DiskFull = 61,
    PermissionDenied = 70,
    PathNotFound = 76,
};

// A failure with its number, the object it concerns (a path, when there is
// one) and the reason, as the OS or the program words it.
class ScriptError : public std::runtime_error {
public:
    explicit ScriptError(int number, std::string_view reason = {});
    ScriptError(int number, std::u16string_view object, std::string_view reason = {});
    int number() const noexcept { return number_; }
    const std::u16string& object() const noexcept { return object_; }
    const std::string& reason() const noexcept { return reason_; }
    // "object: reason", or whichever of the two there is.
    std::u16string description() const;

private:
    int number_;
    std::u16string object_;
    std::string reason_;
};

// The OS's own words for an errno value, as UTF-8, in the user's language
// where the system has it (the locale the environment names on Linux, the
// user's display language on Windows).
std::string osReason(int osError);
#ifdef _WIN32
// The same for a Win32 error code.
std::string systemReason(unsigned long code);
#endif
// The same for an error of the system's own calls (errno on Linux, a Win32
// code in the system category on Windows).
std::string reasonFor(const std::error_code& error);

// Maps an OS failure to our numbering; `missing` is what "no such entry" means
// for the caller (a folder that is not there is 76, a file 53).
int errorNumberForErrno(int osError, ErrorNumber missing);
int errorNumberFor(const std::error_code& error, ErrorNumber missing);

// The exception being handled as a ScriptError: ours as it is, memory as 7, a
// system error as its mapped number, anything else as 57. Call only inside a
// catch block.
ScriptError currentFailure();

[[noreturn]] void raiseOsError(int osError, ErrorNumber missing, std::u16string_view what);
[[noreturn]] void raiseOsError(const std::error_code& error, ErrorNumber missing, std::u16string_view what);

} // namespace markroll
