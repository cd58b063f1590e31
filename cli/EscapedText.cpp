#include "cli/EscapedText.h"

#include <cstdio>

namespace markroll {
namespace {

void appendHex(std::u16string& out, const char* format, unsigned value)
{
    char digits[8];
    const int length = std::snprintf(digits, sizeof digits, format, value);
    out.append(digits, digits + length);
}

} // namespace

std::u16string escapedForOneLine(std::u16string_view text)
{
    std::u16string out;
    out.reserve(text.size());
    for (const char16_t unit : text) {
        switch (unit) {
        case u'\n': out += u"\\n"; continue;
        case u'\r': out += u"\\r"; continue;
        case u'\t': out += u"\\t"; continue;
        default: break;
        }
        if (unit < 0x20 || unit == 0x7F)
            appendHex(out, "\\x%02x", unit);
        else if ((unit >= 0x80 && unit <= 0x9F) || unit == 0x2028 || unit == 0x2029)
            appendHex(out, "\\u%04x", unit);
        else
            out.push_back(unit);
    }
    return out;
}

} // namespace markroll
