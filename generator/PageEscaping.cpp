#include "PageEscaping.h"

#include "Cp932.h"
#include "Unicode.h"

#include <algorithm>

namespace markroll {
namespace {

bool isControl(char32_t codePoint) { return codePoint < 0x20 || (codePoint >= 0x7F && codePoint < 0xA0); }

bool isHtmlSpecial(char32_t codePoint)
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

void appendCodePoint(std::u16string& out, char32_t codePoint)
{
    if (codePoint >= 0x10000) {
        out.push_back(char16_t(0xD800 + ((codePoint - 0x10000) >> 10)));
        out.push_back(char16_t(0xDC00 + ((codePoint - 0x10000) & 0x3FF)));
    } else {
        out.push_back(char16_t(codePoint));
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
    std::string utf8;
    unicode::appendUtf8(utf8, codePoint);
    static constexpr char hex[] = "0123456789ABCDEF";
    for (const char byte : utf8) {
        const auto value = static_cast<unsigned char>(byte);
        out.push_back(u'%');
        out.push_back(char16_t(hex[value >> 4]));
        out.push_back(char16_t(hex[value & 0xF]));
    }
}

// Most names and URLs need no escaping at all; those are passed on as they are.
template <typename NeedsEscape>
bool noneNeedEscape(std::u16string_view text, NeedsEscape needsEscape)
{
    return std::none_of(text.begin(), text.end(), needsEscape);
}

bool pageTextNeedsEscape(char16_t unit)
{
    return isHtmlSpecial(unit) || isControl(unit) || (unit >= 0x80 && !cp932::isRepresentable(unit));
}

bool targetNeedsEscape(char16_t unit) { return isHtmlSpecial(unit) || isControl(unit) || unit >= 0x80; }

} // namespace

std::u16string escapePageText(std::u16string_view text)
{
    if (noneNeedEscape(text, pageTextNeedsEscape))
        return std::u16string(text);
    std::u16string out;
    out.reserve(text.size() + 16);
    unicode::forEachCodePoint(text, [&](char32_t codePoint) {
        if (const auto entity = entityFor(codePoint); !entity.empty())
            out.append(entity);
        else if (isControl(codePoint) || !cp932::isRepresentable(codePoint))
            appendCharacterReference(out, codePoint);
        else
            appendCodePoint(out, codePoint);
    });
    return out;
}

std::u16string escapeLinkTarget(std::u16string_view target)
{
    if (noneNeedEscape(target, targetNeedsEscape))
        return std::u16string(target);
    std::u16string out;
    out.reserve(target.size() + 32);
    unicode::forEachCodePoint(target, [&](char32_t codePoint) {
        if (const auto entity = entityFor(codePoint); !entity.empty())
            out.append(entity);
        else if (isControl(codePoint) || codePoint >= 0x80)
            appendPercentEncoded(out, codePoint);
        else
            out.push_back(char16_t(codePoint));
    });
    return out;
}

} // namespace markroll
