#pragma once

#include <string>
#include <string_view>

// Valid UTF-8 held as it is, for scanning text without decoding all of it.
namespace markroll::utf8 {

// The same units, seen as bytes.
std::string_view bytesOf(std::u8string_view text);
std::u16string decode(std::u8string_view text);
// Without white space at either end, as unicode::trimmed reads the decoded
// text: a space beyond ASCII is a sequence of several bytes.
std::u8string_view trimmed(std::u8string_view text);

} // namespace markroll::utf8
