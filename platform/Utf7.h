#pragma once

#include <QByteArrayView>
#include <QString>
#include <optional>

namespace markroll {

// Internet Shortcuts keep their Unicode URL in UTF-7 ("[InternetShortcut.W]").
std::optional<QString> decodeUtf7(QByteArrayView bytes);

} // namespace markroll
