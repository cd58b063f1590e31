#include "Utf7.h"

#ifdef _WIN32
#include <windows.h>
#else
#include "Iconv.h"
#endif

namespace markroll {

std::optional<QString> decodeUtf7(QByteArrayView bytes)
{
    if (bytes.isEmpty())
        return QString();
#ifdef _WIN32
    const int n = MultiByteToWideChar(CP_UTF7, 0, bytes.data(), int(bytes.size()), nullptr, 0);
    if (n <= 0)
        return std::nullopt;
    std::wstring wide(size_t(n), L'\0');
    MultiByteToWideChar(CP_UTF7, 0, bytes.data(), int(bytes.size()), wide.data(), n);
    return QString::fromStdWString(wide);
#else
    Iconv toUtf16("UTF-16LE", "UTF-7");
    const auto wide = toUtf16.convert(bytes);
    if (!wide)
        return std::nullopt;
    return QString::fromUtf16(reinterpret_cast<const char16_t*>(wide->constData()), wide->size() / 2);
#endif
}

} // namespace markroll
