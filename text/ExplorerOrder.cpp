#include "text/ExplorerOrder.h"

#include "text/Cp932.h"
#include "text/NameOrder.h"
#include "text/UpperCase.h"

#include <algorithm>
#include <cctype>
#include <cstdint>

namespace markroll {
namespace {

bool isDigit(char16_t unit) { return unit >= u'0' && unit <= u'9'; }

// Latin-1's letters with marks as their bare letters; U+00C0 to U+00FF.
constexpr std::u16string_view BareLatin1 = u"AAAAAAACEEEEIIIIDNOOOOO\u00D7OUUUUY\u00DE\u00DF"
                                           u"aaaaaaaceeeeiiiidnooooo\u00F7ouuuuy\u00FEy";

// Half-width katakana and signs as their full-width forms; U+FF61 to U+FF9F.
constexpr std::u16string_view FullWidthKana = u"。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテト"
                                              u"ナニヌネノハヒフヘホマミムメモヤユヨラリルレロワン゛゜";

bool isKanji(char16_t unit) { return (unit >= u'\u4E00' && unit <= u'\u9FFF') || (unit >= u'\uF900' && unit <= u'\uFAFF'); }

enum Form : std::uint32_t { HalfWidth, Plain, WideOrHiragana, Marked };
enum Group : std::uint32_t { Hyphen, Sign, Letter, Kanji, Hangul };

// `unit` as the letter Explorer sees in it: full-width forms as their ASCII
// ones, half-width katakana as full-width, hiragana as katakana, Latin-1's
// letters with marks as bare letters; and the form it had.
Form takeLetter(char16_t& unit)
{
    Form form = Plain;
    if (unit >= u'\uFF01' && unit <= u'\uFF5E') {
        unit = char16_t(unit - 0xFF01 + 0x21);
        return WideOrHiragana;
    }
    if (unit == u'\u3000') {
        unit = u' ';
        return WideOrHiragana;
    }
    if (unit >= u'\uFF61' && unit <= u'\uFF9F') {
        unit = FullWidthKana[unit - 0xFF61];
        form = HalfWidth;
    }
    if (unit >= u'\u3041' && unit <= u'\u3096') {
        unit = char16_t(unit + 0x60);
        return WideOrHiragana;
    }
    if (unit >= u'\u00C0' && unit <= u'\u00FF' && BareLatin1[unit - 0xC0] != unit) {
        unit = BareLatin1[unit - 0xC0];
        return Marked;
    }
    return form;
}

// A character as Explorer weighs it: its letter first, letter case aside,
// then its form, as Windows orders them. The hyphen and the apostrophe come
// before every other sign, signs and spaces before every letter, kanji after
// every other letter in the Japanese order of code page 932 (by reading,
// then by radical), Hangul syllables last.
std::uint32_t weightOf(char16_t unit)
{
    const Form form = takeLetter(unit);
    Group group = Letter;
    std::uint32_t letter = toUpper(unit);
    if (unit == u'-' || unit == u'\'') {
        group = Hyphen;
    } else if (unit < 0x80 && !std::isalnum(static_cast<unsigned char>(unit))) {
        group = Sign;
    } else if (isKanji(unit)) {
        group = Kanji;
        const std::uint16_t code = cp932::doubleByteCodeOf(unit);
        letter = code ? code : 0x10000 + unit;
    } else if (unit >= u'\uAC00' && unit <= u'\uD7A3') {
        group = Hangul;
    }
    return (group << 20) + (letter << 2) + form;
}

// The run of digits at the start of `text`, taken off it.
std::u16string_view takeDigits(std::u16string_view& text)
{
    std::size_t end = 0;
    while (end < text.size() && isDigit(text[end]))
        ++end;
    const std::u16string_view digits = text.substr(0, end);
    text.remove_prefix(end);
    return digits;
}

// Numbers of any length, by value.
int compareNumbers(std::u16string_view a, std::u16string_view b)
{
    a.remove_prefix(std::min(a.find_first_not_of(u'0'), a.size()));
    b.remove_prefix(std::min(b.find_first_not_of(u'0'), b.size()));
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);
}

} // namespace

int compareAsExplorer(std::u16string_view a, std::u16string_view b)
{
    const std::u16string_view wholeA = a;
    const std::u16string_view wholeB = b;
    while (!a.empty() && !b.empty()) {
        const bool digitA = isDigit(a.front());
        const bool digitB = isDigit(b.front());
        if (digitA != digitB)
            return digitA ? -1 : 1;
        if (digitA) {
            if (const int numbers = compareNumbers(takeDigits(a), takeDigits(b)))
                return numbers;
            continue;
        }
        const std::uint32_t weightA = weightOf(a.front());
        const std::uint32_t weightB = weightOf(b.front());
        if (weightA != weightB)
            return weightA < weightB ? -1 : 1;
        a.remove_prefix(1);
        b.remove_prefix(1);
    }
    if (a.empty() != b.empty())
        return a.empty() ? -1 : 1;
    if (nameOrderLess(wholeA, wholeB))
        return -1;
    return nameOrderLess(wholeB, wholeA) ? 1 : 0;
}

} // namespace markroll
