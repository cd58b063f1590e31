#include "InternetShortcut.h"

#include "Cp932.h"
#include "Unicode.h"
#include "UpperCase.h"
#include "Utf7.h"

#include <algorithm>
#include <array>
#include <utility>

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

// The three URLs a shortcut file may hold. Read as Windows reads INI text:
// section and key names without regard to letter case, white space around
// names and values trimmed, a pair of double quotes around a value removed,
// ";" lines ignored, a section named from "[" to the last "]" of its line
// (a "[" line without "]" is a key line), and only the first section of a
// name and the first URL within it counted. Nothing else of the file is kept.
struct ShortcutUrls {
    enum Section { Plain, Ansi, Wide, Count, Other = Count };
    std::array<std::optional<std::u16string>, Count> urls;
};

// Text of either width: bytes of a pure ASCII file, or decoded UTF-16.
// Most names are spelled as expected: only a difference is looked up.
template <typename Char>
bool sameName(std::basic_string_view<Char> name, std::u16string_view expected)
{
    if (name.size() != expected.size())
        return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const char16_t unit = char16_t(name[i]);
        if (unit != expected[i] && toUpper(unit) != toUpper(expected[i]))
            return false;
    }
    return true;
}

template <typename Char>
ShortcutUrls::Section sectionNamed(std::basic_string_view<Char> name)
{
    if (sameName(name, u"InternetShortcut"))
        return ShortcutUrls::Plain;
    if (sameName(name, u"InternetShortcut.A"))
        return ShortcutUrls::Ansi;
    if (sameName(name, u"InternetShortcut.W"))
        return ShortcutUrls::Wide;
    return ShortcutUrls::Other;
}

template <typename Char>
std::basic_string_view<Char> unquoted(std::basic_string_view<Char> value)
{
    if (value.size() >= 2 && value.front() == Char('"') && value.back() == Char('"'))
        return value.substr(1, value.size() - 2);
    return value;
}

template <typename Char>
ShortcutUrls scanUrls(std::basic_string_view<Char> text)
{
    ShortcutUrls found;
    std::array<bool, ShortcutUrls::Count> met{};
    auto current = ShortcutUrls::Other;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = start;
        while (end < text.size() && text[end] != Char('\r') && text[end] != Char('\n'))
            ++end;
        const auto line = unicode::trimmed(text.substr(start, end - start));
        start = end + (end + 1 < text.size() && text[end] == Char('\r') && text[end + 1] == Char('\n') ? 2 : 1);
        if (line.empty() || line.front() == Char(';'))
            continue;
        const std::size_t close = line.front() == Char('[') ? line.rfind(Char(']')) : line.npos;
        if (close != line.npos) {
            current = sectionNamed(unicode::trimmed(line.substr(1, close - 1)));
            if (current != ShortcutUrls::Other && std::exchange(met[current], true))
                current = ShortcutUrls::Other;
            continue;
        }
        if (current == ShortcutUrls::Other || found.urls[current])
            continue;
        const std::size_t equals = line.find(Char('='));
        if (equals != line.npos && sameName(unicode::trimmed(line.substr(0, equals)), u"URL")) {
            const auto value = unquoted(unicode::trimmed(line.substr(equals + 1)));
            found.urls[current] = std::u16string(value.begin(), value.end());
        }
    }
    return found;
}

bool isAscii(std::string_view bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char byte) { return static_cast<unsigned char>(byte) < 0x80; });
}

// Most shortcut files are plain ASCII: those are scanned as they are, with
// no decoding but of the URLs found.
ShortcutUrls scanShortcutFile(std::string_view bytes)
{
    if (isAscii(bytes))
        return scanUrls(bytes);
    const std::u16string text = decodeShortcutText(bytes);
    return scanUrls(std::u16string_view(text));
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
    ShortcutUrls found = scanShortcutFile(bytes);
    auto& plain = found.urls[ShortcutUrls::Plain];
    const auto& wide = found.urls[ShortcutUrls::Wide];
    const auto& ansi = found.urls[ShortcutUrls::Ansi];
    const bool noPlain = !plain || plain->empty();
    // An ANSI copy that differs from the plain URL means the plain one was
    // edited after the Unicode one was saved, so the plain one wins.
    const bool wideIsCurrent = !ansi || noPlain || *ansi == *plain;
    if (wide && wideIsCurrent) {
        std::u16string decoded = decodeWideUrl(*wide);
        if (!decoded.empty())
            return decoded;
    }
    if (noPlain)
        return std::nullopt;
    return std::move(plain);
}

} // namespace markroll
