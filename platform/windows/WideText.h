#pragma once

#include <string>
#include <string_view>

namespace markroll {

// Windows' wide strings are UTF-16 like the program's own text.
inline std::wstring toWide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }
inline std::u16string fromWide(std::wstring_view text) { return std::u16string(text.begin(), text.end()); }

} // namespace markroll
