#pragma once

#include "platform/FileIdentity.h"

#include <optional>
#include <string_view>

namespace markroll {

// What the file system says a path is, never what its text looks like. Each
// system's own, in SamePlacePosix.cpp and SamePlaceWindows.cpp.

// The identity of what `path` leads to, following links; none when the OS
// will not tell (nothing there, no access).
std::optional<FileIdentity> identityOf(std::u16string_view path);

// Whether files written at `a` and at `b` would take one place: `a` and `b`
// already lead to one file, or their folders are one folder and their names
// are equal as that folder compares names (letter case aside where the file
// system ignores it, and on Windows always).
bool takeOnePlace(std::u16string_view a, std::u16string_view b);

// Whether `path` leads to what standard output writes to.
bool leadsToStandardOutput(std::u16string_view path);

// Whether two names are equal letter case aside, unit by unit in simple
// upper case, as file systems that ignore letter case compare them.
bool equalLetterCaseAside(std::u16string_view a, std::u16string_view b);

} // namespace markroll
