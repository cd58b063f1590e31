#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace markroll::cp932 {

// Code page 932 (Shift_JIS with Microsoft's extensions), the encoding the page
// declares. A character counts as representable only when its bytes decode back
// to the very same character: one-way fallbacks such as U+00A5 -> 0x5C would
// silently change text.
bool isRepresentable(char32_t codePoint);
// The two bytes of `unit` as one number (lead byte high), or 0 when it has none.
std::uint16_t doubleByteCodeOf(char16_t unit);

// Appends the bytes of `text`; returns false and leaves `out` as it was when any
// character is not representable.
bool encodeAppend(std::u16string_view text, std::string& out);

// Decodes as the WHATWG Encoding standard's Shift_JIS decoder does: a lead
// byte whose next byte cannot complete it is one U+FFFD, and that next byte,
// when it is ASCII, is read on its own; 0x80 is U+0080, as Windows reads it.
std::u16string decode(std::string_view bytes);
// The text only when every byte is valid code page 932.
std::optional<std::u16string> decodeStrict(std::string_view bytes);

} // namespace markroll::cp932
