#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <type_traits>

namespace markroll {

// The one separator the host's paths use; joining is plain concatenation with it.
char16_t hostSeparator();
std::u16string joinPath(std::u16string_view parent, std::u16string_view child);

// Paths are UTF-16 text in the program and the host's own form at the OS.
// On Windows that is UTF-16 already. Linux names are bytes, most often UTF-8;
// a byte that is not is kept as an escaped lone surrogate, so every name that
// was listed can be opened again.
std::filesystem::path toFsPath(std::u16string_view path);
// The form the OS's own calls are given. On Windows the path is made absolute
// in the extended-length form (ExtendedPath.h), so no length limit and no
// rewriting of names applies; the text shown to people stays the path as
// joined. On Linux it is toFsPath's.
std::filesystem::path toOsPath(std::u16string_view path);
// What the OS makes of `path`: absolute, without "." or ".." parts (on Linux
// with links followed, as the kernel follows them before a ".."); `path`
// itself when it will not tell.
std::u16string resolvedHostPath(std::u16string_view path);
// The path the OS gave, as the program's text.
std::u16string fromFsPath(const std::filesystem::path& path);
std::u16string fromHostBytes(std::string_view bytes);
std::string toHostBytes(std::u16string_view text);
void toHostBytes(std::u16string_view text, std::string& bytes);

// A name as the OS lists it and is given it back: bytes on Linux, UTF-16 on
// Windows, whose paths are wide.
using HostUnit = std::conditional_t<sizeof(std::filesystem::path::value_type) == 1, char, char16_t>;
using HostName = std::basic_string<HostUnit>;
using HostNameView = std::basic_string_view<HostUnit>;
// Into `name`, whose room is kept from call to call.
void fromHostName(HostNameView listed, std::u16string& name);

// A path or name as a person should read it: each part between separators
// that holds escaped bytes is read as code page 932 when its bytes are valid
// code page 932 (names copied from a Japanese Windows machine), and as UTF-8
// with U+FFFD for each broken part otherwise. Text without escapes, and every
// Windows name, is returned as it is.
std::u16string readableHostText(std::u16string_view text);
// Whether readableHostText would return `text` unchanged.
bool isReadableAsIs(std::u16string_view text);

} // namespace markroll
