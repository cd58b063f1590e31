#include "platform/files/PageFileCalls.h"

#include "platform/files/HostPath.h"

#include <algorithm>

#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#include <windows.h>

namespace fs = std::filesystem;

namespace markroll::pagefile {

int openNew(const fs::path& path)
{
    int descriptor = -1;
    _wsopen_s(&descriptor, path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _SH_DENYWR, _S_IREAD | _S_IWRITE);
    if (descriptor >= 0)
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_HIDDEN);
    return descriptor;
}

int openToAppend(const fs::path& path)
{
    int descriptor = -1;
    _wsopen_s(&descriptor, path.c_str(), _O_WRONLY | _O_APPEND | _O_BINARY, _SH_DENYWR, 0);
    return descriptor;
}

// Devices are names of their own only in paths as typed (NUL, CON, \\.\…),
// never in the extended-length form.
bool isDeviceOrPipe(std::u16string_view shownPath)
{
    const HANDLE handle = CreateFileW(toFsPath(shownPath).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    const DWORD type = GetFileType(handle);
    CloseHandle(handle);
    return type == FILE_TYPE_CHAR || type == FILE_TYPE_PIPE;
}

int openThrough(std::u16string_view shownPath)
{
    int descriptor = -1;
    _wsopen_s(&descriptor, toFsPath(shownPath).c_str(), _O_WRONLY | _O_BINARY, _SH_DENYNO, 0);
    return descriptor;
}

int duplicateStandardOutput() { return _dup(1); }

fs::path temporaryFolder()
{
    wchar_t folder[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
    return length > 0 && length <= MAX_PATH ? fs::path(folder) : fs::path();
}

int openToRead(const fs::path& path)
{
    int descriptor = -1;
    _wsopen_s(&descriptor, path.c_str(), _O_RDONLY | _O_BINARY, _SH_DENYWR, 0);
    return descriptor;
}

long readSomeAt(int descriptor, char* data, std::size_t size, std::uint64_t offset)
{
    if (_lseeki64(descriptor, static_cast<long long>(offset), SEEK_SET) < 0)
        return -1;
    return _read(descriptor, data, unsigned(std::min<std::size_t>(size, 1u << 30)));
}

long writeSome(int descriptor, const char* data, std::size_t size)
{
    return _write(descriptor, data, unsigned(std::min<std::size_t>(size, 1u << 30)));
}

int closeDescriptor(int descriptor) { return _close(descriptor); }

void truncateTo(int descriptor, std::uint64_t size) { _chsize_s(descriptor, static_cast<long long>(size)); }

int removeEntry(const fs::path& path) { return DeleteFileW(path.c_str()) ? 0 : -1; }

bool isDirectory(const fs::path& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The new file was hidden while it was written; it leaves that behind unless
// the file it replaces was hidden too. A read-only target is refused by the
// move itself.
void takeOverMode(int, const fs::path& temporary, const fs::path& target)
{
    const DWORD previous = GetFileAttributesW(target.c_str());
    const bool replacesFile = previous != INVALID_FILE_ATTRIBUTES && !(previous & FILE_ATTRIBUTE_DIRECTORY);
    SetFileAttributesW(temporary.c_str(), replacesFile ? (previous & ~DWORD(FILE_ATTRIBUTE_READONLY))
                                                       : DWORD(FILE_ATTRIBUTE_ARCHIVE));
}

} // namespace markroll::pagefile
