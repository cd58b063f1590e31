#include "platform/text/Utf7.h"
#include "platform/windows/WideText.h"

#include <windows.h>

namespace markroll {

std::optional<std::u16string> decodeWellFormedUtf7(std::string_view bytes)
{
    if (bytes.empty())
        return std::u16string();
    const int n = MultiByteToWideChar(CP_UTF7, 0, bytes.data(), int(bytes.size()), nullptr, 0);
    if (n <= 0)
        return std::nullopt;
    std::wstring wide(size_t(n), L'\0');
    MultiByteToWideChar(CP_UTF7, 0, bytes.data(), int(bytes.size()), wide.data(), n);
    return fromWide(wide);
}

} // namespace markroll
