#include "PageEscaping.h"

#include "Cp932.h"

#include <algorithm>

namespace markroll {
namespace {

constexpr char32_t ReplacementCharacter = 0xFFFD;

bool isControl(char32_t codePoint)
{
    return codePoint < 0x20 || (codePoint >= 0x7F && codePoint < 0xA0);
}

bool isHtmlSpecial(char32_t codePoint)
{
    return codePoint == '&' || codePoint == '<' || codePoint == '>' || codePoint == '"';
}

// Returns the entity for an HTML-special sign, or nothing.
const char* entityFor(char32_t codePoint)
{
    switch (codePoint) {
    case '&': return "&amp;";
    case '<': return "&lt;";
    case '>': return "&gt;";
    case '"': return "&quot;";
    default: return nullptr;
    }
}

void appendCodePoint(QString& out, char32_t codePoint)
{
    if (QChar::requiresSurrogates(codePoint)) {
        out.append(QChar(QChar::highSurrogate(codePoint)));
        out.append(QChar(QChar::lowSurrogate(codePoint)));
    } else {
        out.append(QChar(char16_t(codePoint)));
    }
}

void appendPercentEncoded(QString& out, char32_t codePoint)
{
    char utf8[4];
    int length = 0;
    if (codePoint < 0x80) {
        utf8[length++] = char(codePoint);
    } else if (codePoint < 0x800) {
        utf8[length++] = char(0xC0 | (codePoint >> 6));
        utf8[length++] = char(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        utf8[length++] = char(0xE0 | (codePoint >> 12));
        utf8[length++] = char(0x80 | ((codePoint >> 6) & 0x3F));
        utf8[length++] = char(0x80 | (codePoint & 0x3F));
    } else {
        utf8[length++] = char(0xF0 | (codePoint >> 18));
        utf8[length++] = char(0x80 | ((codePoint >> 12) & 0x3F));
        utf8[length++] = char(0x80 | ((codePoint >> 6) & 0x3F));
        utf8[length++] = char(0x80 | (codePoint & 0x3F));
    }
    static constexpr char hex[] = "0123456789ABCDEF";
    for (int i = 0; i < length; ++i) {
        const auto byte = quint8(utf8[i]);
        out.append(QLatin1Char('%'));
        out.append(QLatin1Char(hex[byte >> 4]));
        out.append(QLatin1Char(hex[byte & 0xF]));
    }
}

// A lone surrogate is no character; it stands as U+FFFD.
template <typename Handle>
void forEachCodePoint(QStringView text, Handle handle)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        if (QChar::isHighSurrogate(unit) && i + 1 < text.size() && QChar::isLowSurrogate(text[i + 1].unicode()))
            handle(QChar::surrogateToUcs4(unit, text[++i].unicode()));
        else if (QChar::isSurrogate(unit))
            handle(ReplacementCharacter);
        else
            handle(char32_t(unit));
    }
}

// Most names and URLs need no escaping at all; those are passed on as they are.
template <typename NeedsEscape>
bool noneNeedEscape(QStringView text, NeedsEscape needsEscape)
{
    return std::none_of(text.begin(), text.end(), [&](QChar ch) { return needsEscape(ch.unicode()); });
}

bool pageTextNeedsEscape(char16_t unit)
{
    return isHtmlSpecial(unit) || isControl(unit) || (unit >= 0x80 && !cp932::isRepresentable(unit));
}

bool targetNeedsEscape(char16_t unit)
{
    return isHtmlSpecial(unit) || isControl(unit) || unit >= 0x80;
}

} // namespace

QString escapePageText(QStringView text)
{
    if (noneNeedEscape(text, pageTextNeedsEscape))
        return text.toString();
    QString out;
    out.reserve(text.size() + 16);
    forEachCodePoint(text, [&](char32_t codePoint) {
        if (const char* entity = entityFor(codePoint))
            out.append(QLatin1StringView(entity));
        else if (isControl(codePoint) || !cp932::isRepresentable(codePoint))
            out.append(QStringLiteral("&#%1;").arg(quint32(codePoint)));
        else
            appendCodePoint(out, codePoint);
    });
    return out;
}

QString escapeLinkTarget(QStringView target)
{
    if (noneNeedEscape(target, targetNeedsEscape))
        return target.toString();
    QString out;
    out.reserve(target.size() + 32);
    forEachCodePoint(target, [&](char32_t codePoint) {
        if (const char* entity = entityFor(codePoint))
            out.append(QLatin1StringView(entity));
        else if (isControl(codePoint) || codePoint >= 0x80)
            appendPercentEncoded(out, codePoint);
        else
            out.append(QChar(char16_t(codePoint)));
    });
    return out;
}

} // namespace markroll
