#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace markroll {

// Internet Shortcuts keep their Unicode URL in UTF-7 ("[InternetShortcut.W]").
// The code units come as they are: a leading U+FEFF is text, not a byte-order mark.
std::optional<std::u16string> decodeUtf7(std::string_view bytes);

} // namespace markroll
