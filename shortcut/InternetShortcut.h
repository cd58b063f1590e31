#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace markroll {

// The largest shortcut file read; anything bigger is not a shortcut.
constexpr std::size_t MaxShortcutFileSize = 1024 * 1024;

// Text of a shortcut file: UTF-16LE, UTF-16BE or UTF-8 by their byte-order
// marks, otherwise UTF-8 when the bytes are valid UTF-8, otherwise code page 932.
std::u16string decodeShortcutText(std::string_view bytes);

// The URL an Internet Shortcut file points to, read as Windows reads the INI
// format; nothing when it has no non-empty URL.
std::optional<std::u16string> internetShortcutTarget(std::string_view bytes);

} // namespace markroll
