#include "Cp932.h"

#include <array>
#include <memory>
#include <optional>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include "Iconv.h"
#endif

namespace markroll::cp932 {
namespace {

constexpr char16_t NoCharacter = 0xFFFF;
constexpr quint16 NoBytes = 0xFFFF;

bool isLeadByte(unsigned byte) { return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC); }

// The host's own conversion, strict both ways; used only to fill the tables once.
class HostConversion {
public:
#ifdef _WIN32
    std::optional<char16_t> decodeOne(QByteArrayView bytes)
    {
        wchar_t wide[4];
        const int n = MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes.data(), int(bytes.size()), wide, 4);
        if (n != 1)
            return std::nullopt;
        return char16_t(wide[0]);
    }
    std::optional<QByteArray> encodeOne(char16_t unit)
    {
        char bytes[8];
        BOOL usedDefault = FALSE;
        const wchar_t wide = wchar_t(unit);
        const int n = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, &wide, 1, bytes, 8, nullptr, &usedDefault);
        if (n <= 0 || usedDefault)
            return std::nullopt;
        return QByteArray(bytes, n);
    }
#else
    std::optional<char16_t> decodeOne(QByteArrayView bytes)
    {
        const auto wide = toUtf16_.convert(bytes);
        if (!wide || wide->size() != 2)
            return std::nullopt;
        return char16_t(quint8(wide->at(0)) | (quint8(wide->at(1)) << 8));
    }
    std::optional<QByteArray> encodeOne(char16_t unit)
    {
        const char wide[2] = {char(unit & 0xFF), char(unit >> 8)};
        return fromUtf16_.convert(QByteArrayView(wide, 2));
    }

private:
    Iconv toUtf16_{"UTF-16LE", "CP932"};
    Iconv fromUtf16_{"CP932", "UTF-16LE"};
#endif
};

struct Tables {
    std::vector<quint16> encode = std::vector<quint16>(0x10000, NoBytes);
    std::vector<char16_t> decode = std::vector<char16_t>(0x10000, NoCharacter);

    Tables()
    {
        HostConversion host;
        for (unsigned byte = 0; byte < 0x100; ++byte) {
            if (isLeadByte(byte))
                continue;
            const char single = char(byte);
            learn(host, QByteArrayView(&single, 1), byte);
        }
        for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
            if (!isLeadByte(lead))
                continue;
            for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
                const char pair[2] = {char(lead), char(trail)};
                learn(host, QByteArrayView(pair, 2), (lead << 8) | trail);
            }
        }
    }

    void learn(HostConversion& host, QByteArrayView bytes, unsigned key)
    {
        const auto unit = host.decodeOne(bytes);
        if (!unit)
            return;
        decode[key] = *unit;
        if (encode[*unit] != NoBytes)
            return;
        const auto back = host.encodeOne(*unit);
        if (!back || host.decodeOne(*back) != unit)
            return;
        encode[*unit] = back->size() == 1 ? quint8(back->at(0))
                                          : quint16((quint8(back->at(0)) << 8) | quint8(back->at(1)));
    }
};

const Tables& tables()
{
    static const Tables instance;
    return instance;
}

} // namespace

bool isRepresentable(char32_t codePoint)
{
    return codePoint < 0x10000 && !QChar::isSurrogate(codePoint) && tables().encode[codePoint] != NoBytes;
}

bool encodeAppend(QStringView text, QByteArray& out)
{
    const auto& encode = tables().encode;
    const qsizetype start = out.size();
    out.resize(start + text.size() * 2);
    char* next = out.data() + start;
    for (const QChar ch : text) {
        const char16_t unit = ch.unicode();
        if (unit < 0x80) {
            *next++ = char(unit);
            continue;
        }
        const quint16 bytes = QChar::isSurrogate(unit) ? NoBytes : encode[unit];
        if (bytes == NoBytes) {
            out.truncate(start);
            return false;
        }
        if (bytes > 0xFF)
            *next++ = char(bytes >> 8);
        *next++ = char(bytes & 0xFF);
    }
    out.truncate(next - out.constData());
    return true;
}

QString decode(QByteArrayView bytes)
{
    const auto& table = tables().decode;
    QString text;
    text.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const unsigned byte = quint8(bytes[i]);
        unsigned key = byte;
        if (isLeadByte(byte) && i + 1 < bytes.size())
            key = (byte << 8) | quint8(bytes[++i]);
        const char16_t unit = table[key];
        text.append(QChar(unit == NoCharacter ? char16_t(0xFFFD) : unit));
    }
    return text;
}

} // namespace markroll::cp932
