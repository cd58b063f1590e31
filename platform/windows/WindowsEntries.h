#pragma once

#include "platform/Failure.h"
#include "platform/FileIdentity.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include <windows.h>

namespace markroll {

// Raises a Win32 failure with the OS's reason in the user's language, naming `what`.
[[noreturn]] void raiseWindowsError(DWORD code, std::u16string_view what);

// Calls `visit` with every entry of `folder` (an extended-length path) but
// "." and "..", in the order the OS lists them. Returns 0, or the failure to
// open the listing at all; a failure part way is raised, naming `shownPath`.
DWORD forEachEntry(const std::wstring& folder, std::u16string_view shownPath,
                   const std::function<void(const WIN32_FIND_DATAW&)>& visit);

// A link whose target fails to open for one of these leads nowhere: to
// nothing that is there, or to nothing we may look at.
bool leadsNowhere(DWORD code);

// The entry's name as the program keeps it.
std::u16string nameOf(const WIN32_FIND_DATAW& entry);

// The text a Win32 call writes into a buffer, where a call finding the buffer
// too small returns the size it needs; empty when the call fails.
std::wstring textFromCall(const std::function<DWORD(wchar_t* buffer, DWORD size)>& call);

// `folder` and `name` joined, for the OS.
std::wstring entryPath(const std::wstring& folder, const wchar_t* name);

// Which file or folder a path leads to, links followed: equal identities are
// one and the same, whatever the paths. False when it cannot be opened
// (`error` tells why).
bool identityOf(const std::wstring& path, FileIdentity& identity, DWORD& error);
// The same of a handle that is open already; none when it cannot be asked.
std::optional<FileIdentity> identityOfHandle(HANDLE handle);

// The path the folder really lies at, links resolved, in extended form; empty
// when the OS cannot tell.
std::wstring finalPathOf(const std::wstring& path);

} // namespace markroll
