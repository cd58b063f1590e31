#include "Utf7.h"

#ifdef _WIN32
#include <windows.h>
#else
#include "Iconv.h"
#include "Unicode.h"
#endif

namespace markroll {

std::optional<std::u16string> decodeUtf7(std::string_view bytes)
{
    if (bytes.empty())
        return std::u16string();
#ifdef _WIN32
    const int n = MultiByteToWideChar(CP_UTF7, 0, bytes.data(), int(bytes.size()), nullptr, 0);
    if (n <= 0)
        return std::nullopt;
    std::wstring wide(size_t(n), L'\0');
    MultiByteToWideChar(CP_UTF7, 0, bytes.data(), int(bytes.size()), wide.data(), n);
    return std::u16string(wide.begin(), wide.end());
#else
    // Opening a conversion costs far more than converting one URL, and a big
    // tree has a URL of this kind in many of its files.
    thread_local Iconv toUtf16("UTF-16LE", "UTF-7");
    const auto wide = toUtf16.convert(bytes);
    if (!wide)
        return std::nullopt;
    return unicode::decodeUtf16le(*wide);
#endif
}

} // namespace markroll
