#pragma once

#include <QByteArrayView>
#include <QString>
#include <optional>

namespace markroll {

// The largest shortcut file read; anything bigger is not a shortcut.
constexpr qsizetype MaxShortcutFileSize = 1024 * 1024;

// Text of a shortcut file: UTF-16LE or UTF-8 by their byte-order marks,
// otherwise UTF-8 when the bytes are valid UTF-8, otherwise code page 932.
QString decodeShortcutText(QByteArrayView bytes);

// The URL an Internet Shortcut file points to, read as Windows reads the INI
// format; nothing when it has no non-empty URL.
std::optional<QString> internetShortcutTarget(QByteArrayView bytes);

} // namespace markroll
