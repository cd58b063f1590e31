#include "generator/PageEscaping.h"

#include "text/AsciiRuns.h"

#include "text/Cp932.h"
#include "text/Unicode.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace markroll {
namespace {

using ascii::EightUnits;
namespace simd = ascii::simd;

constexpr bool isControl(char32_t codePoint) { return codePoint < 0x20 || (codePoint >= 0x7F && codePoint < 0xA0); }

// HTML reads "&#128;" to "&#159;" as Windows-1252's characters: in UTF-8
// text the C1 controls are written as themselves.
constexpr bool isC0ControlOrDelete(char32_t codePoint) { return codePoint < 0x20 || codePoint == 0x7F; }

constexpr bool isHtmlSpecial(char32_t codePoint)
{
    return codePoint == '&' || codePoint == '<' || codePoint == '>' || codePoint == '"';
}

// The entity for an HTML-special sign, or nothing.
std::u16string_view entityFor(char32_t codePoint)
{
    switch (codePoint) {
    case '&': return u"&amp;";
    case '<': return u"&lt;";
    case '>': return u"&gt;";
    case '"': return u"&quot;";
    default: return {};
    }
}

void appendCharacterReference(std::u16string& out, char32_t codePoint)
{
    out.append(u"&#");
    out.append(unicode::fromAscii(std::to_string(codePoint)));
    out.push_back(u';');
}

void appendPercentEncoded(std::u16string& out, char32_t codePoint)
{
    char utf8[4];
    const std::size_t length = unicode::encodeUtf8(codePoint, utf8);
    static constexpr char hex[] = "0123456789ABCDEF";
    for (const char byte : std::string_view(utf8, length)) {
        const auto value = static_cast<unsigned char>(byte);
        out.push_back(u'%');
        out.push_back(char16_t(hex[value >> 4]));
        out.push_back(char16_t(hex[value & 0xF]));
    }
}

bool pageTextNeedsEscape(char16_t unit)
{
    return isHtmlSpecial(unit) || isControl(unit) || (unit >= 0x80 && !cp932::isRepresentable(unit));
}

// Looked up rather than tested: a link's URL is long and nearly all of it is
// plain ASCII.
constexpr auto AsciiTargetEscapes = [] {
    std::array<bool, 0x80> escapes{};
    for (char32_t unit = 0; unit < 0x80; ++unit)
        escapes[unit] = isHtmlSpecial(unit) || isControl(unit);
    return escapes;
}();

bool targetNeedsEscape(char16_t unit) { return unit >= 0x80 || AsciiTargetEscapes[unit]; }

// The units that a URL cannot carry as they are: all but printable ASCII, and
// & < > and ". Or-ing 4 makes " of &, and 2 makes < of >.
EightUnits::mask_type targetEscapes(const EightUnits& units)
{
    return EightUnits(units - u' ') >= EightUnits(0x7F - u' ') || (units | 4) == u'&' || (units | 2) == u'>';
}

// Whether none of the sixteen units from `at` needs escaping, tested together.
bool sixteenPlainTargetUnits(std::u16string_view text, std::size_t at)
{
    const EightUnits low(text.data() + at, simd::element_aligned);
    const EightUnits high(text.data() + at + EightUnits::size(), simd::element_aligned);
    return simd::none_of(targetEscapes(low) || targetEscapes(high));
}

// The end of the run from `at` that a URL copies as it is. A URL is long and
// nearly all plain, so it is looked at sixteen units at a time.
std::size_t plainTargetRunEnd(std::u16string_view text, std::size_t at)
{
    while (at + 2 * EightUnits::size() <= text.size() && sixteenPlainTargetUnits(text, at))
        at += 2 * EightUnits::size();
    if (at + EightUnits::size() <= text.size() &&
        simd::none_of(targetEscapes(EightUnits(text.data() + at, simd::element_aligned))))
        at += EightUnits::size();
    while (at < text.size() && !targetNeedsEscape(text[at]))
        ++at;
    return at;
}

std::size_t plainPageTextRunEnd(std::u16string_view text, std::size_t at)
{
    while (at < text.size() && !pageTextNeedsEscape(text[at]))
        ++at;
    return at;
}

// Copies the runs that need no escaping whole, and hands every other code
// point to `escape`.
template <typename PlainRunEnd, typename Escape>
void appendEscaped(std::u16string& out, std::u16string_view text, PlainRunEnd plainRunEnd, Escape escape)
{
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = plainRunEnd(text, at);
        out.append(text.substr(at, end - at));
        if (end == text.size())
            break;
        // One code point: a surrogate pair is taken whole.
        const std::size_t length =
            unicode::isHighSurrogate(text[end]) && end + 1 < text.size() && unicode::isLowSurrogate(text[end + 1]) ? 2 : 1;
        unicode::forEachCodePoint(text.substr(end, length), [&](char32_t codePoint) { escape(out, codePoint); });
        at = end + length;
    }
}

// Text in UTF-8 carries every character; only the HTML-special signs, C0
// controls and DEL, and a surrogate (to see whether it is paired) stop a run.
std::size_t plainUnicodeTextRunEnd(std::u16string_view text, std::size_t at)
{
    while (at < text.size() && !isHtmlSpecial(text[at]) && !isC0ControlOrDelete(text[at]) &&
           !unicode::isSurrogate(text[at]))
        ++at;
    return at;
}

} // namespace

void appendUnicodeText(std::u16string& out, std::u16string_view text)
{
    appendEscaped(out, text, plainUnicodeTextRunEnd, [](std::u16string& out, char32_t codePoint) {
        if (const auto entity = entityFor(codePoint); !entity.empty())
            out.append(entity);
        else if (isC0ControlOrDelete(codePoint))
            appendCharacterReference(out, codePoint);
        else
            unicode::appendUtf16(out, codePoint);
    });
}

void appendPageText(std::u16string& out, std::u16string_view text)
{
    appendEscaped(out, text, plainPageTextRunEnd, [](std::u16string& out, char32_t codePoint) {
        if (const auto entity = entityFor(codePoint); !entity.empty())
            out.append(entity);
        else if (isControl(codePoint) || !cp932::isRepresentable(codePoint))
            appendCharacterReference(out, codePoint);
        else // code page 932 carries nothing beyond the BMP
            out.push_back(char16_t(codePoint));
    });
}

void appendLinkTarget(std::u16string& out, std::u16string_view target)
{
    appendEscaped(out, target, plainTargetRunEnd, [](std::u16string& out, char32_t codePoint) {
        if (const auto entity = entityFor(codePoint); !entity.empty())
            out.append(entity);
        else if (isControl(codePoint) || codePoint >= 0x80)
            appendPercentEncoded(out, codePoint);
        else
            out.push_back(char16_t(codePoint));
    });
}

} // namespace markroll
