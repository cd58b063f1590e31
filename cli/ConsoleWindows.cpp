#include "cli/Console.h"

#include "text/Unicode.h"

#include <io.h>
#include <windows.h>

namespace markroll {

bool isTerminal(std::FILE* stream) { return ::_isatty(::_fileno(stream)) != 0; }

// A pipe or a file gets UTF-8 with the usual CR LF instead.
bool writeToConsole(std::FILE* stream, std::string_view utf8Text)
{
    const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
    DWORD mode = 0;
    if (handle == INVALID_HANDLE_VALUE || !GetConsoleMode(handle, &mode))
        return false;
    const std::u16string text = unicode::decodeUtf8(utf8Text) + u"\r\n";
    DWORD written = 0;
    std::fflush(stream);
    return WriteConsoleW(handle, text.data(), DWORD(text.size()), &written, nullptr);
}

} // namespace markroll
