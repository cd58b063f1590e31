#include "platform/files/PageFileCalls.h"

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

} // namespace markroll::pagefile
