#include "shortcut/InternetShortcut.h"

#include "text/AsciiRuns.h"
#include "text/Cp932.h"
#include "text/Unicode.h"
#include "text/UpperCase.h"
#include "text/Utf7.h"

#include <algorithm>
#include <array>
#include <cstring>
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

// A pure ASCII file's value is its bytes as they stand.
std::optional<std::u16string> decodeWideUrl(std::string_view value) { return decodeUtf7(value); }

// The three URLs a shortcut file may hold, as parts of its text. Read as
// Windows reads INI text: section and key names without regard to letter
// case, white space around names and values trimmed, a value read up to a NUL
// and a matching pair of quotes around it removed, ";" lines ignored, a section named from "[" to the
// last "]" of its line (a "[" line without "]" is a key line), and only the
// first section of a name and the first URL within it counted. Nothing else
// of the file is kept.
enum Section { Plain, Ansi, Wide, SectionCount, Other = SectionCount };

// Text of two widths is scanned: the bytes of a pure ASCII file, which most
// shortcut files are, as they stand, and any other file decoded to UTF-16.
template <typename Char>
using ShortcutUrls = std::array<std::optional<std::basic_string_view<Char>>, SectionCount>;

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
Section sectionNamed(std::basic_string_view<Char> name)
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
template <typename Char>
std::basic_string_view<Char> profileValue(std::basic_string_view<Char> value)
{
    value = value.substr(0, value.find(Char(0)));
    const bool quote = !value.empty() && (value.front() == Char('"') || value.front() == Char('\''));
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

// Bytes are searched with memchr, which looks at many at a time.
std::size_t lineEnd(std::string_view text, std::size_t start)
{
    const char* const from = text.data() + start;
    const std::size_t left = text.size() - start;
    const void* lineFeed = std::memchr(from, '\n', left);
    const std::size_t upTo = lineFeed ? std::size_t(static_cast<const char*>(lineFeed) - from) : left;
    const void* carriageReturn = std::memchr(from, '\r', upTo);
    return start + (carriageReturn ? std::size_t(static_cast<const char*>(carriageReturn) - from) : upTo);
}

template <typename Char>
ShortcutUrls<Char> scanUrls(std::basic_string_view<Char> text)
{
    ShortcutUrls<Char> urls;
    std::array<bool, SectionCount> met{};
    auto current = Other;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = lineEnd(text, start);
        const auto line = unicode::trimmed(text.substr(start, end - start));
        start = end + (end + 1 < text.size() && text[end] == Char('\r') && text[end + 1] == Char('\n') ? 2 : 1);
        if (line.empty() || line.front() == Char(';'))
            continue;
        const std::size_t close = line.front() == Char('[') ? line.rfind(Char(']')) : line.npos;
        if (close != line.npos) {
            current = sectionNamed(unicode::trimmed(line.substr(1, close - 1)));
            if (current != Other && std::exchange(met[current], true))
                current = Other;
            continue;
        }
        if (current == Other || urls[current])
            continue;
        const std::size_t equals = line.find(Char('='));
        if (equals != line.npos && sameName(unicode::trimmed(line.substr(0, equals)), u"URL"sv))
            urls[current] = profileValue(unicode::trimmed(line.substr(equals + 1)));
    }
    return urls;
}

template <typename Char>
std::optional<std::u16string> targetFrom(const ShortcutUrls<Char>& urls)
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
    return std::u16string(plain->begin(), plain->end());
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
    if (ascii::isAscii(bytes))
        return targetFrom(scanUrls(bytes));
    const std::u16string text = decodeShortcutText(bytes);
    return targetFrom(scanUrls(std::u16string_view(text)));
}

} // namespace markroll
