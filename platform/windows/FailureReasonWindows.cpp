#include "platform/Failure.h"
#include "text/Unicode.h"

#include <cerrno>
#include <cstring>

#include <windows.h>

namespace markroll {

namespace {

// The Win32 code behind the C runtime's errno values, where there is one: the
// system's message table has those words in the user's language.
DWORD win32CodeOf(int osError)
{
    switch (osError) {
    case ENOENT: return ERROR_FILE_NOT_FOUND;
    case EACCES: return ERROR_ACCESS_DENIED;
    case EISDIR: return ERROR_ACCESS_DENIED;
    case EEXIST: return ERROR_FILE_EXISTS;
    case ENOSPC: return ERROR_DISK_FULL;
    case ENOMEM: return ERROR_NOT_ENOUGH_MEMORY;
    case EMFILE: return ERROR_TOO_MANY_OPEN_FILES;
    case EINVAL: return ERROR_INVALID_PARAMETER;
    case EBADF: return ERROR_INVALID_HANDLE;
    case EIO: return ERROR_GEN_FAILURE;
    default: return 0;
    }
}

std::u16string messageOf(DWORD code, DWORD language)
{
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS |
                                            FORMAT_MESSAGE_ALLOCATE_BUFFER,
                                        nullptr, code, language, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::u16string message(text, text + length);
    LocalFree(text);
    while (!message.empty() && (message.back() == u'\r' || message.back() == u'\n' || message.back() == u' '))
        message.pop_back();
    return message;
}

std::string systemReason(DWORD code)
{
    std::u16string message = messageOf(code, GetUserDefaultUILanguage());
    if (message.empty())
        message = messageOf(code, 0);
    if (message.empty())
        return "error " + std::to_string(code);
    return unicode::encodeUtf8(message);
}

} // namespace

std::string osReason(int osError)
{
    const DWORD code = win32CodeOf(osError);
    return code != 0 ? systemReason(code) : std::strerror(osError);
}

std::string reasonFor(const std::error_code& error)
{
    return error.category() == std::system_category() ? systemReason(DWORD(error.value())) : osReason(error.value());
}

} // namespace markroll
