#include "HostPath.h"

#include <QFile>

namespace markroll {

QChar hostSeparator()
{
#ifdef _WIN32
    return QLatin1Char('\\');
#else
    return QLatin1Char('/');
#endif
}

QString joinPath(const QString& parent, const QString& child)
{
    return parent + hostSeparator() + child;
}

std::filesystem::path toFsPath(const QString& path)
{
#ifdef _WIN32
    return std::filesystem::path(path.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

QString fromFsPath(const std::filesystem::path& path)
{
#ifdef _WIN32
    return QString::fromStdWString(path.native());
#else
    return QFile::decodeName(QByteArray::fromStdString(path.native()));
#endif
}

QString fileNameOf(const std::filesystem::path& path)
{
    return fromFsPath(path.filename());
}

} // namespace markroll
