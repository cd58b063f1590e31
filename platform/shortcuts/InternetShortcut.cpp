#include "platform/shortcuts/InternetShortcut.h"

#include "platform/text/AsciiRuns.h"

#include "platform/text/Cp932.h"
#include "platform/text/Unicode.h"
#include "platform/text/UpperCase.h"
#include "platform/text/Utf7.h"
#include "platform/text/Utf8Text.h"

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

// Text of three kinds is scanned: bytes of a pure ASCII file (char), a valid
// UTF-8 file left undecoded (char8_t) and decoded UTF-16. Only what the
// scan keeps is turned into UTF-16.
template <typename Char>
std::u16string textOf(std::basic_string_view<Char> text)
{
    return std::u16string(text.begin(), text.end());
}

std::u16string textOf(std::u8string_view text) { return utf8::decode(text); }

// The same into `target`, whose room is kept from file to file.
void assignText(std::u16string& target, std::string_view ascii) { unicode::assignAscii(target, ascii); }

void assignText(std::u16string& target, std::u16string_view text) { target.assign(text); }

void assignText(std::u16string& target, std::u8string_view text)
{
    target.clear();
    unicode::decodeUtf8Into(utf8::bytesOf(text), target);
}

template <typename Char>
std::basic_string_view<Char> trimmedText(std::basic_string_view<Char> text)
{
    return unicode::trimmed(text);
}

std::u8string_view trimmedText(std::u8string_view text) { return utf8::trimmed(text); }

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

std::optional<std::u16string> decodeWideUrl(std::u8string_view value)
{
    if (ascii::isAscii(utf8::bytesOf(value)))
        return decodeUtf7(utf8::bytesOf(value));
    const std::u16string text = textOf(value);
    return decodeWideUrl(std::u16string_view(text));
}

// The three URLs a shortcut file may hold, as parts of its text. Read as
// Windows reads INI text: section and key names without regard to letter
// case, white space around names and values trimmed, a value read up to a NUL
// and a matching pair of quotes around it removed, ";" lines ignored, a section named from "[" to the
// last "]" of its line (a "[" line without "]" is a key line), and only the
// first section of a name and the first URL within it counted. Nothing else
// of the file is kept.
enum Section { Plain, Ansi, Wide, SectionCount, Other = SectionCount };

template <typename Char>
using ShortcutUrls = std::array<std::optional<std::basic_string_view<Char>>, SectionCount>;

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

// A name of UTF-8 with anything but ASCII in it is compared decoded, as
// letters beyond ASCII may match ASCII ones without regard to case.
bool sameName(std::u8string_view name, std::u16string_view expected)
{
    if (ascii::isAscii(utf8::bytesOf(name)))
        return sameName(utf8::bytesOf(name), expected);
    const std::u16string text = textOf(name);
    return sameName(std::u16string_view(text), expected);
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
template <typename Char>
std::size_t lineEnd(std::basic_string_view<Char> text, std::size_t start)
{
    std::size_t end = start;
    while (end < text.size() && text[end] != Char('\r') && text[end] != Char('\n'))
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

std::size_t lineEnd(std::u8string_view text, std::size_t start)
{
    return lineEnd(utf8::bytesOf(text), start);
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
        const auto line = trimmedText(text.substr(start, end - start));
        start = end + (end + 1 < text.size() && text[end] == Char('\r') && text[end + 1] == Char('\n') ? 2 : 1);
        if (line.empty() || line.front() == Char(';'))
            continue;
        const std::size_t close = line.front() == Char('[') ? line.rfind(Char(']')) : line.npos;
        if (close != line.npos) {
            current = sectionNamed(trimmedText(line.substr(1, close - 1)));
            if (current != Other && std::exchange(met[current], true))
                current = Other;
            continue;
        }
        if (current == Other || urls[current])
            continue;
        const std::size_t equals = line.find(Char('='));
        if (equals != line.npos && sameName(trimmedText(line.substr(0, equals)), u"URL"sv))
            urls[current] = profileValue(trimmedText(line.substr(equals + 1)));
    }
    return urls;
}


template <typename Char>
bool targetFrom(const ShortcutUrls<Char>& urls, std::u16string& target)
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
        if (decoded && !decoded->empty()) {
            target = std::move(*decoded);
            return true;
        }
    }
    if (noPlain)
        return false;
    assignText(target, *plain);
    return true;
}

// The text of a file of valid UTF-8, without its byte-order mark (and a
// second mark after the first), as decodeShortcutText would decode it;
// nothing for any other file.
std::optional<std::string_view> validUtf8Text(std::string_view bytes)
{
    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF"))
        return std::nullopt;
    const bool marked = bytes.starts_with("\xEF\xBB\xBF");
    if (marked)
        bytes.remove_prefix(3);
    if (!unicode::isValidUtf8(bytes))
        return std::nullopt;
    if (marked && bytes.starts_with("\xEF\xBB\xBF"))
        bytes.remove_prefix(3);
    return bytes;
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

// Most shortcut files are plain ASCII: those are scanned as they are, with
// nothing decoded but the URL kept. (A file that starts FE FF is not ASCII.)
bool internetShortcutTarget(std::string_view bytes, std::u16string& target)
{
    if (ascii::isAscii(bytes))
        return targetFrom(scanUrls(bytes), target);
    if (const auto valid = validUtf8Text(bytes)) {
        // Copied as UTF-8 units, which bytes may not be read as in place;
        // the room is kept from file to file.
        thread_local std::u8string text;
        text.resize(valid->size());
        std::memcpy(text.data(), valid->data(), valid->size());
        return targetFrom(scanUrls(std::u8string_view(text)), target);
    }
    const std::u16string text = decodeShortcutText(bytes);
    return targetFrom(scanUrls(std::u16string_view(text)), target);
}

std::optional<std::u16string> internetShortcutTarget(std::string_view bytes)
{
    std::u16string target;
    if (!internetShortcutTarget(bytes, target))
        return std::nullopt;
    return target;
}

} // namespace markroll
