#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

namespace markroll::cp932 {

// Code page 932 (Shift_JIS with Microsoft's extensions), the encoding the page
// declares. A character counts as representable only when its bytes decode back
// to the very same character: one-way fallbacks such as U+00A5 -> 0x5C would
// silently change text.
bool isRepresentable(char32_t codePoint);

// Appends the bytes of `text`; returns false and leaves `out` as it was when any
// character is not representable.
bool encodeAppend(QStringView text, QByteArray& out);

// Bytes that are not valid code page 932 become U+FFFD.
QString decode(QByteArrayView bytes);

} // namespace markroll::cp932
