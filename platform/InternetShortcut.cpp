#include "InternetShortcut.h"

#include "Cp932.h"
#include "IniText.h"
#include "Unicode.h"
#include "Utf7.h"

#include <algorithm>

namespace markroll {
namespace {

constexpr char16_t ByteOrderMark = 0xFEFF;

// A second byte-order mark right after the first is skipped as well.
std::u16string withoutByteOrderMark(std::u16string text)
{
    if (!text.empty() && text.front() == ByteOrderMark)
        text.erase(0, 1);
    return text;
}

// The Unicode URL is stored in UTF-7; a value that is not plain ASCII was
// written by some other tool and is taken as it stands.
std::u16string decodeWideUrl(const std::u16string& value)
{
    if (std::any_of(value.begin(), value.end(), [](char16_t unit) { return unit >= 0x80; }))
        return value;
    return decodeUtf7(std::string(value.begin(), value.end())).value_or(std::u16string());
}

} // namespace

std::u16string decodeShortcutText(std::string_view bytes)
{
    if (bytes.starts_with("\xFF\xFE"))
        return withoutByteOrderMark(unicode::decodeUtf16le(bytes.substr(2)));
    if (bytes.starts_with("\xEF\xBB\xBF"))
        return withoutByteOrderMark(unicode::decodeUtf8(bytes.substr(3)));
    if (auto utf8 = unicode::decodeUtf8Strict(bytes))
        return std::move(*utf8);
    return cp932::decode(bytes);
}

std::optional<std::u16string> internetShortcutTarget(std::string_view bytes)
{
    const IniText ini(decodeShortcutText(bytes));
    const std::u16string plain = ini.value(u"InternetShortcut", u"URL").value_or(std::u16string());
    const auto wide = ini.value(u"InternetShortcut.W", u"URL");
    const auto ansi = ini.value(u"InternetShortcut.A", u"URL");
    // An ANSI copy that differs from the plain URL means the plain one was
    // edited after the Unicode one was saved, so the plain one wins.
    const bool wideIsCurrent = !ansi || *ansi == plain || plain.empty();
    if (wide && wideIsCurrent) {
        std::u16string decoded = decodeWideUrl(*wide);
        if (!decoded.empty())
            return decoded;
    }
    if (plain.empty())
        return std::nullopt;
    return plain;
}

} // namespace markroll
