#include "platform/windows/WindowsEntries.h"

#include "platform/windows/WideText.h"

#include <system_error>

namespace markroll {
namespace {

// Closes a handle of FindFirstFileExW.
struct FindHandle {
    HANDLE handle;
    ~FindHandle()
    {
        if (handle != INVALID_HANDLE_VALUE)
            FindClose(handle);
    }
};

// Closes a handle of CreateFileW.
struct OpenedHandle {
    HANDLE handle;
    ~OpenedHandle()
    {
        if (handle != INVALID_HANDLE_VALUE)
            CloseHandle(handle);
    }
};

bool isDotEntry(const wchar_t* name)
{
    return name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'));
}

// Opens a file or a folder to ask about it, following links, without reading it.
HANDLE openToAsk(const std::wstring& path)
{
    return CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

} // namespace

void raiseWindowsError(DWORD code, std::u16string_view what)
{
    raiseSystemFailure(std::error_code(int(code), std::system_category()), what);
}

bool leadsNowhere(DWORD code)
{
    return code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND || code == ERROR_DIRECTORY ||
           code == ERROR_ACCESS_DENIED;
}

std::u16string nameOf(const WIN32_FIND_DATAW& entry)
{
    return fromWide(entry.cFileName);
}

std::wstring textFromCall(const std::function<DWORD(wchar_t* buffer, DWORD size)>& call)
{
    std::wstring text(MAX_PATH, L'\0');
    for (;;) {
        const DWORD size = call(text.data(), DWORD(text.size()));
        if (size == 0)
            return {};
        const bool fitted = size < text.size();
        text.resize(size);
        if (fitted)
            return text;
    }
}

std::wstring entryPath(const std::wstring& folder, const wchar_t* name)
{
    std::wstring path = folder;
    if (path.empty() || path.back() != L'\\')
        path += L'\\';
    path += name;
    return path;
}

DWORD forEachEntry(const std::wstring& folder, std::u16string_view shownPath,
                   const std::function<void(const WIN32_FIND_DATAW&)>& visit)
{
    WIN32_FIND_DATAW entry{};
    const FindHandle find{FindFirstFileExW(entryPath(folder, L"*").c_str(), FindExInfoBasic, &entry,
                                           FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH)};
    if (find.handle == INVALID_HANDLE_VALUE) {
        const DWORD code = GetLastError();
        // A folder with no entries at all (a drive's empty root) lists nothing.
        return code == ERROR_FILE_NOT_FOUND || code == ERROR_NO_MORE_FILES ? 0 : code;
    }
    do {
        if (!isDotEntry(entry.cFileName))
            visit(entry);
    } while (FindNextFileW(find.handle, &entry));
    if (const DWORD code = GetLastError(); code != ERROR_NO_MORE_FILES)
        raiseWindowsError(code, shownPath);
    return 0;
}

std::optional<FileIdentity> identityOfHandle(HANDLE handle)
{
    BY_HANDLE_FILE_INFORMATION facts{};
    if (handle == INVALID_HANDLE_VALUE || !GetFileInformationByHandle(handle, &facts))
        return std::nullopt;
    return FileIdentity{facts.dwVolumeSerialNumber, (std::uint64_t(facts.nFileIndexHigh) << 32) | facts.nFileIndexLow};
}

bool identityOf(const std::wstring& path, FileIdentity& identity, DWORD& error)
{
    const OpenedHandle file{openToAsk(path)};
    const std::optional<FileIdentity> asked = identityOfHandle(file.handle);
    if (!asked) {
        error = GetLastError();
        return false;
    }
    identity = *asked;
    return true;
}

std::wstring finalPathOf(const std::wstring& path)
{
    const OpenedHandle folder{openToAsk(path)};
    if (folder.handle == INVALID_HANDLE_VALUE)
        return {};
    return textFromCall(
        [&](wchar_t* buffer, DWORD size) { return GetFinalPathNameByHandleW(folder.handle, buffer, size, 0); });
}

} // namespace markroll
