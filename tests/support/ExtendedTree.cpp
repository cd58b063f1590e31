#include "tests/support/ExtendedTree.h"

#include "platform/files/HostPath.h"

#include <stdexcept>

#include <windows.h>

namespace markroll::test {
namespace {

std::wstring osPath(std::u16string_view path) { return toOsPath(path).native(); }

[[noreturn]] void failed(const char* what, std::u16string_view path)
{
    throw std::runtime_error(std::string(what) + " failed with " + std::to_string(GetLastError()) + ": " +
                             utf8(path));
}

// Depth first, every entry by its listed name: std::filesystem cannot reach them.
void removeBelow(const std::wstring& folder)
{
    WIN32_FIND_DATAW entry;
    const HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::wstring name = entry.cFileName;
        if (name == L"." || name == L"..")
            continue;
        const std::wstring full = folder + L"\\" + name;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            removeBelow(full);
            RemoveDirectoryW(full.c_str());
        } else {
            SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileW(full.c_str());
        }
    } while (FindNextFileW(find, &entry));
    FindClose(find);
}

} // namespace

ExtendedTree::~ExtendedTree() { removeBelow(osPath(path())); }

std::u16string ExtendedTree::path(std::u16string_view relative) const
{
    return path() + u"\\" + std::u16string(relative);
}

std::u16string ExtendedTree::folder(std::u16string_view relative) const
{
    const std::u16string full = path(relative);
    if (!CreateDirectoryW(osPath(full).c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
        failed("CreateDirectoryW", full);
    return full;
}

std::u16string ExtendedTree::shortcut(std::u16string_view relative, std::u16string_view url) const
{
    const std::u16string full = path(relative);
    const HANDLE file = CreateFileW(osPath(full).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                                    nullptr);
    if (file == INVALID_HANDLE_VALUE)
        failed("CreateFileW", full);
    const std::string bytes = shortcutBytes(url);
    DWORD written = 0;
    const bool wrote = WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr) && written == bytes.size();
    CloseHandle(file);
    if (!wrote)
        failed("WriteFile", full);
    return full;
}

ExclusiveHold::ExclusiveHold(std::u16string_view path)
    : handle_(CreateFileW(osPath(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS,
                          nullptr))
{
}

ExclusiveHold::~ExclusiveHold()
{
    if (held())
        CloseHandle(handle_);
}

} // namespace markroll::test
