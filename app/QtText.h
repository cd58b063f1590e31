#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace markroll {

// The window speaks QString, the core UTF-16 strings: both are UTF-16, so the
// texts cross unchanged.
inline QString toQString(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), qsizetype(text.size()));
}

inline std::u16string toU16(const QString& text) { return text.toStdU16String(); }

} // namespace markroll
