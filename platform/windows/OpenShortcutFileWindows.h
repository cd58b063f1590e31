#pragma once

#include "platform/windows/ListedFolderWindows.h"
#include "platform/files/HostPath.h"
#include "platform/ListedEntry.h"
#include "platform/windows/WideText.h"
#include "platform/windows/WindowsEntries.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <system_error>

namespace markroll {

// The shortcut file, open for reading; other programs may go on using it.
class OpenShortcutFile {
public:
    explicit OpenShortcutFile(const ListedEntry& entry)
    {
        const std::wstring path = entryPath(entry.folder->path(), toWide(entry.listedName).c_str());
        handle_ = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
        error_ = handle_ == INVALID_HANDLE_VALUE ? int(GetLastError()) : 0;
    }
    ~OpenShortcutFile()
    {
        if (handle_ != INVALID_HANDLE_VALUE)
            CloseHandle(handle_);
    }
    OpenShortcutFile(const OpenShortcutFile&) = delete;
    OpenShortcutFile& operator=(const OpenShortcutFile&) = delete;

    bool opened() const { return handle_ != INVALID_HANDLE_VALUE; }
    int error() const { return error_; }
    // A file on a disk, not a folder, a pipe or a device: its size.
    bool ordinarySize(std::uint64_t& size) const
    {
        BY_HANDLE_FILE_INFORMATION facts{};
        if (GetFileType(handle_) != FILE_TYPE_DISK || !GetFileInformationByHandle(handle_, &facts) ||
            (facts.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            return false;
        size = (std::uint64_t(facts.nFileSizeHigh) << 32) | facts.nFileSizeLow;
        return true;
    }
    // Bytes read at `offset`, 0 at the end, -1 on failure (error() tells).
    long long readAt(char* into, std::size_t size, std::size_t offset, bool&)
    {
        OVERLAPPED at{};
        at.Offset = DWORD(offset & 0xFFFFFFFFu);
        at.OffsetHigh = DWORD(std::uint64_t(offset) >> 32);
        DWORD got = 0;
        if (ReadFile(handle_, into, DWORD(std::min<std::size_t>(size, 1u << 30)), &got, &at))
            return got;
        error_ = int(GetLastError());
        return error_ == ERROR_HANDLE_EOF ? 0 : -1;
    }
    static bool interrupted(int) { return false; }
    // Windows's listing does not tell a pipe or a device from a file.
    static constexpr bool TypedByListing = false;

private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
    int error_ = 0;
};

// Win32 error codes are the system category's.
inline std::error_code shortcutReadError(int osError) { return {osError, std::system_category()}; }

} // namespace markroll
