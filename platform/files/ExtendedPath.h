#pragma once

#include <string>
#include <string_view>

namespace markroll {

// Windows opens a path of any length, and a name ending in a dot or a space,
// only in the extended-length form ("\\?\C:\...", "\\?\UNC\server\share\..."),
// which the OS takes as it stands. The path a person typed or the program
// joined is turned into that form here, doing what the OS would otherwise do
// to it: "/" read as "\", empty and "." parts dropped, ".." taking the part
// before it away. A name itself is never changed, so a name the listing gave
// opens as that same name. Paths already in a device form ("\\?\", "\\.\")
// are left as they are.

// What a relative path is relative to, for the OS to make absolute: "X:" (the
// current folder of that drive), "\" (the root of the current drive), "."
// (the current folder), or empty for a path that is absolute already.
std::u16string_view relativeStartOf(std::u16string_view path);

// `base` is the absolute path relativeStartOf's text stands for (unused for
// an absolute path).
std::u16string extendedLengthPath(std::u16string_view path, std::u16string_view base = {});

} // namespace markroll
