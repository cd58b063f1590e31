#pragma once

#include <QString>
#include <filesystem>

namespace markroll {

// The one separator the host's paths use; joining is plain concatenation with it.
QChar hostSeparator();
QString joinPath(const QString& parent, const QString& child);

std::filesystem::path toFsPath(const QString& path);
QString fromFsPath(const std::filesystem::path& path);
QString fileNameOf(const std::filesystem::path& path);

} // namespace markroll
