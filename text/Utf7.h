#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace markroll {

// Internet Shortcuts keep their Unicode URL in UTF-7 ("[InternetShortcut.W]").
// The code units come as they are: a leading U+FEFF is text, not a byte-order
// mark. Nothing when the text is not well-formed UTF-7 (a "+" that starts no
// base64 run, a run whose last bits are not zero or leave a part of a unit, a
// byte outside ASCII, a character outside the direct ones) or decodes to a
// lone surrogate: such text would give a mangled URL.
std::optional<std::u16string> decodeUtf7(std::string_view bytes);

} // namespace markroll
