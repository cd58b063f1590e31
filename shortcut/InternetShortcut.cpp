#include "shortcut/InternetShortcut.h"

#include "text/Cp932.h"
#include "text/Unicode.h"
#include "text/UpperCase.h"
#include "text/Utf7.h"

#include <algorithm>
#include <array>
#include <utility>

namespace markroll {
namespace {

// Literals as views, whose length the compiler counts.
using namespace std::string_view_literals;

constexpr char16_t ByteOrderMark = 0xFEFF;

// A second byte-order mark right after the first is skipped as well.
std::u16string withoutByteOrderMark(std::u16string text)
{
    if (!text.empty() && text.front() == ByteOrderMark)
        text.erase(0, 1);
    return text;
}

// The Unicode URL is stored in UTF-7; a value that is not plain ASCII was
// written by some other tool and is taken as it stands. Nothing when it does
// not decode cleanly (broken UTF-7, or text that was broken in the file), as
// the plain URL is then the better one.
std::optional<std::u16string> decodeWideUrl(std::u16string_view value)
{
    if (std::any_of(value.begin(), value.end(), [](char16_t unit) { return unit >= 0x80; })) {
        if (value.find(unicode::ReplacementCharacter) != value.npos)
            return std::nullopt;
        return std::u16string(value);
    }
    return decodeUtf7(std::string(value.begin(), value.end()));
}

// The three URLs a shortcut file may hold, as parts of its text. Read as
// Windows reads INI text: section and key names without regard to letter
// case, white space around names and values trimmed, a value read up to a NUL
// and a matching pair of quotes around it removed, ";" lines ignored, a section named from "[" to the
// last "]" of its line (a "[" line without "]" is a key line), and only the
// first section of a name and the first URL within it counted. Nothing else
// of the file is kept.
enum Section { Plain, Ansi, Wide, SectionCount, Other = SectionCount };

using ShortcutUrls = std::array<std::optional<std::u16string_view>, SectionCount>;

// Most names are spelled as expected: only a difference is looked up.
bool sameName(std::u16string_view name, std::u16string_view expected)
{
    if (name.size() != expected.size())
        return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (name[i] != expected[i] && toUpper(name[i]) != toUpper(expected[i]))
            return false;
    }
    return true;
}

Section sectionNamed(std::u16string_view name)
{
    if (sameName(name, u"InternetShortcut"sv))
        return Plain;
    if (sameName(name, u"InternetShortcut.A"sv))
        return Ansi;
    if (sameName(name, u"InternetShortcut.W"sv))
        return Wide;
    return Other;
}

// As Windows' profile reader returns a value: up to its first NUL, then
// without one matching pair of double or single quotes around it.
std::u16string_view profileValue(std::u16string_view value)
{
    value = value.substr(0, value.find(u'\0'));
    const bool quote = !value.empty() && (value.front() == u'"' || value.front() == u'\'');
    if (quote && value.size() >= 2 && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

// Where the line from `start` ends: at its CR or LF, or the end of the text.
std::size_t lineEnd(std::u16string_view text, std::size_t start)
{
    std::size_t end = start;
    while (end < text.size() && text[end] != u'\r' && text[end] != u'\n')
        ++end;
    return end;
}

ShortcutUrls scanUrls(std::u16string_view text)
{
    ShortcutUrls urls;
    std::array<bool, SectionCount> met{};
    auto current = Other;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = lineEnd(text, start);
        const auto line = unicode::trimmed(text.substr(start, end - start));
        start = end + (end + 1 < text.size() && text[end] == u'\r' && text[end + 1] == u'\n' ? 2 : 1);
        if (line.empty() || line.front() == u';')
            continue;
        const std::size_t close = line.front() == u'[' ? line.rfind(u']') : line.npos;
        if (close != line.npos) {
            current = sectionNamed(unicode::trimmed(line.substr(1, close - 1)));
            if (current != Other && std::exchange(met[current], true))
                current = Other;
            continue;
        }
        if (current == Other || urls[current])
            continue;
        const std::size_t equals = line.find(u'=');
        if (equals != line.npos && sameName(unicode::trimmed(line.substr(0, equals)), u"URL"sv))
            urls[current] = profileValue(unicode::trimmed(line.substr(equals + 1)));
    }
    return urls;
}

std::optional<std::u16string> targetFrom(const ShortcutUrls& urls)
{
    const auto& plain = urls[Plain];
    const auto& wide = urls[Wide];
    const auto& ansi = urls[Ansi];
    const bool noPlain = !plain || plain->empty();
    // An ANSI copy that differs from the plain URL means the plain one was
    // edited after the Unicode one was saved, so the plain one wins.
    const bool wideIsCurrent = !ansi || noPlain || *ansi == *plain;
    if (wide && wideIsCurrent) {
        std::optional<std::u16string> decoded = decodeWideUrl(*wide);
        if (decoded && !decoded->empty())
            return decoded;
    }
    if (noPlain)
        return std::nullopt;
    return std::u16string(*plain);
}

} // namespace

std::u16string decodeShortcutText(std::string_view bytes)
{
    if (bytes.starts_with("\xFF\xFE"))
        return withoutByteOrderMark(unicode::decodeUtf16le(bytes.substr(2)));
    if (bytes.starts_with("\xFE\xFF"))
        return withoutByteOrderMark(unicode::decodeUtf16be(bytes.substr(2)));
    if (bytes.starts_with("\xEF\xBB\xBF"))
        return withoutByteOrderMark(unicode::decodeUtf8(bytes.substr(3)));
    if (auto utf8 = unicode::decodeUtf8Strict(bytes))
        return std::move(*utf8);
    return cp932::decode(bytes);
}

std::optional<std::u16string> internetShortcutTarget(std::string_view bytes)
{
    const std::u16string text = decodeShortcutText(bytes);
    return targetFrom(scanUrls(text));
}

} // namespace markroll
