#pragma once

#include <string>
#include <string_view>

namespace markroll {

// Folder paths and display names as page text: the four HTML-special signs as
// entities, and every character that code page 932 cannot carry exactly, or
// that is a control character, as a decimal character reference.
void appendPageText(std::u16string& out, std::u16string_view text);

// Names as text of a UTF-8 file: the four HTML-special signs as entities,
// C0 controls and DEL as decimal character references, a lone surrogate as
// U+FFFD, and every other character (the C1 controls too, which HTML would
// read back from a reference as Windows-1252's) as it is.
void appendUnicodeText(std::u16string& out, std::u16string_view text);

// A link target as an attribute value: non-ASCII and control characters as
// UTF-8 percent-escapes, so the link leads to the same URL whatever encoding the
// page is read in; then the HTML-special signs as entities.
void appendLinkTarget(std::u16string& out, std::u16string_view target);

} // namespace markroll
