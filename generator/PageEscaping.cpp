#include "PageEscaping.h"

#include "Cp932.h"


namespace markroll {
namespace {

constexpr char32_t ReplacementCharacter = 0xFFFD;

bool isControl(char32_t codePoint)
{
    return codePoint < 0x20 || (codePoint >= 0x7F && codePoint < 0xA0);
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

} // namespace

QString escapePageText(QStringView text)
{
    QString out;
    out.reserve(text.size());
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
    QString out;
    out.reserve(target.size());
    forEachCodePoint(target, [&](char32_t codePoint) {
        if (const char* entity = entityFor(codePoint)) {
            out.append(QLatin1StringView(entity));
        } else if (isControl(codePoint) || codePoint >= 0x80) {
            QString single;
            appendCodePoint(single, codePoint);
            out.append(QString::fromLatin1(single.toUtf8().toPercentEncoding()));
        } else {
            appendCodePoint(out, codePoint);
        }
    });
    return out;
}

} // namespace markroll
