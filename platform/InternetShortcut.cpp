#include "InternetShortcut.h"

#include "Cp932.h"
#include "IniText.h"
#include "Utf7.h"

#include <QStringDecoder>

namespace markroll {
namespace {

std::optional<QString> decodeStrict(QStringConverter::Encoding encoding, QByteArrayView bytes)
{
    QStringDecoder decoder(encoding, QStringConverter::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

// The Unicode URL is stored in UTF-7; a value that is not plain ASCII was
// written by some other tool and is taken as it stands.
QString decodeWideUrl(const QString& value)
{
    for (const QChar ch : value) {
        if (ch.unicode() >= 0x80)
            return value;
    }
    return decodeUtf7(value.toLatin1()).value_or(QString());
}

} // namespace

QString decodeShortcutText(QByteArrayView bytes)
{
    if (bytes.startsWith("\xFF\xFE"))
        return QStringDecoder(QStringConverter::Utf16LE).decode(bytes.sliced(2));
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QStringDecoder(QStringConverter::Utf8).decode(bytes.sliced(3));
    if (auto utf8 = decodeStrict(QStringConverter::Utf8, bytes))
        return *utf8;
    return cp932::decode(bytes);
}

std::optional<QString> internetShortcutTarget(QByteArrayView bytes)
{
    const IniText ini(decodeShortcutText(bytes));
    const QString plain = ini.value(u"InternetShortcut", u"URL").value_or(QString());
    const auto wide = ini.value(u"InternetShortcut.W", u"URL");
    const auto ansi = ini.value(u"InternetShortcut.A", u"URL");
    // An ANSI copy that differs from the plain URL means the plain one was
    // edited after the Unicode one was saved, so the plain one wins.
    const bool wideIsCurrent = !ansi || *ansi == plain || plain.isEmpty();
    if (wide && wideIsCurrent) {
        const QString decoded = decodeWideUrl(*wide);
        if (!decoded.isEmpty())
            return decoded;
    }
    if (plain.isEmpty())
        return std::nullopt;
    return plain;
}

} // namespace markroll
