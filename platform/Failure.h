#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>

namespace markroll {

// How failures travel, and who tells them.
//
// Every failure of an operation of the platform, and of the generator's own
// steps, is a Failure with a kind, the object it concerns (a path, where
// there is one), the OS's error where an OS call failed, and the reason in
// the user's language. It is told by the handler of the procedure it
// happened in: the walk, the page writer, the section writer, the run.
// - A notice (an unreadable shortcut) is told inside the page by a notice
//   line, by the section writer.
//   A shortcut is unreadable on its own account when it has no URL, is not
//   an ordinary file, is too large or undecodable, is gone or denied, or
//   its name or link leads nowhere (leavesShortcutUnreadable says which OS
//   errors those are).
// - Every other failure is told in a message box: an OS call that failed
//   (a device error and a limit of the OS on open files, memory or file
//   size among them: never an empty folder, a skipped name or a broken
//   shortcut), a full folder list, no memory, an exception that is not ours.
// - Only the Favorites folder's own listing decides that there is no page; a
//   failure about one entry in a folder is that entry's message.
// - A page write that fails ends the page, and the page writer tells it,
//   once. The page is on the disk before it replaces the previous one; a
//   page that cannot be put there is dropped, and the previous page stays.
//   A file that replaced the previous one but whose folder could not be put
//   on the disk after the move stands (FolderNotFlushed): it is told as a
//   failure, yet counts as written.
// An exception that is not ours is taken as its kind where it is caught
// (currentFailure), and nothing of any type leaves the run, the window's
// clicks or main.
enum class FailureKind {
    UnreadableShortcut,
    System,
    FolderNotFlushed,
    FolderListFull,
    OutOfMemory,
    Unknown,
};

class Failure : public std::runtime_error {
public:
    Failure(FailureKind kind, std::u16string_view object, std::string_view reason, std::error_code error = {});

    FailureKind kind() const noexcept { return kind_; }
    // The OS's error, where an OS call failed.
    const std::error_code& error() const noexcept { return error_; }
    const std::u16string& object() const noexcept { return object_; }
    // Told by a notice line inside the page rather than in a message.
    bool isNotice() const noexcept;
    // "object: reason", or whichever of the two there is.
    std::u16string description() const;

private:
    FailureKind kind_;
    std::error_code error_;
    std::u16string object_;
    std::string reason_;
};

// The failure of an OS call about `object`: an errno value, or an error of
// the system's own calls (a Win32 code in the system category on Windows).
[[noreturn]] void raiseSystemFailure(int osError, std::u16string_view object);
[[noreturn]] void raiseSystemFailure(const std::error_code& error, std::u16string_view object);

// The OS's own words for an errno value, as UTF-8, in the user's language
// where the system has it (the locale the environment names on Linux, the
// user's display language on Windows).
std::string osReason(int osError);
// The same for an error of the system's own calls.
std::string reasonFor(const std::error_code& error);

// The exception being handled as a Failure: ours as it is, memory as
// OutOfMemory, a system error as System with its code, anything else as
// Unknown. Call only inside a catch block.
Failure currentFailure();

} // namespace markroll
