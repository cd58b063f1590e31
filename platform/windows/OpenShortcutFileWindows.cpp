#include "platform/shortcuts/OpenShortcutFile.h"

#include "platform/files/HostPath.h"
#include "platform/windows/ListedFolderWindows.h"
#include "platform/windows/WideText.h"
#include "platform/windows/WindowsEntries.h"

#include <algorithm>
#include <string>

namespace markroll {
namespace {

HANDLE handleOf(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

HANDLE openShared(const ListedEntry& entry)
{
    const std::wstring path = entryPath(entry.folder->path(), toWide(entry.listedName).c_str());
    return CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
}

} // namespace

// Windows's listing does not tell a pipe or a device from a file.
const bool OpenShortcutFile::TypedByListing = false;

OpenShortcutFile::OpenShortcutFile(const ListedEntry& entry)
    : handle_(reinterpret_cast<std::intptr_t>(openShared(entry))), opened_(handleOf(handle_) != INVALID_HANDLE_VALUE)
{
    error_ = opened_ ? 0 : int(GetLastError());
}

OpenShortcutFile::~OpenShortcutFile()
{
    if (opened_)
        CloseHandle(handleOf(handle_));
}

bool OpenShortcutFile::ordinarySize(std::uint64_t& size) const
{
    BY_HANDLE_FILE_INFORMATION facts{};
    if (GetFileType(handleOf(handle_)) != FILE_TYPE_DISK || !GetFileInformationByHandle(handleOf(handle_), &facts) ||
        (facts.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    size = (std::uint64_t(facts.nFileSizeHigh) << 32) | facts.nFileSizeLow;
    return true;
}

long long OpenShortcutFile::readAt(char* into, std::size_t size, std::size_t offset, bool&)
{
    OVERLAPPED at{};
    at.Offset = DWORD(offset & 0xFFFFFFFFu);
    at.OffsetHigh = DWORD(std::uint64_t(offset) >> 32);
    DWORD got = 0;
    if (ReadFile(handleOf(handle_), into, DWORD(std::min<std::size_t>(size, 1u << 30)), &got, &at))
        return got;
    error_ = int(GetLastError());
    return error_ == ERROR_HANDLE_EOF ? 0 : -1;
}

bool OpenShortcutFile::interrupted(int) { return false; }

// Win32 error codes are the system category's.
std::error_code shortcutReadError(int osError) { return {osError, std::system_category()}; }

} // namespace markroll
