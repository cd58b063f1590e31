#include "LocalFileSystem.h"

#include "Cp932FileStream.h"
#include "HostPath.h"
#include "LocalFolder.h"
#include "Failure.h"

#include <cerrno>
#include <filesystem>

#ifdef _WIN32
#include "WindowsEntries.h"
#endif

namespace markroll {
namespace {

#ifdef _WIN32
void checkIsFolder(std::u16string_view path)
{
    const DWORD attributes = GetFileAttributesW(toOsPath(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        raiseWindowsError(GetLastError(), path);
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY))
        raiseWindowsError(ERROR_PATH_NOT_FOUND, path);
}
#else
void checkIsFolder(std::u16string_view path)
{
    std::error_code error;
    if (!std::filesystem::is_directory(toOsPath(path), error))
        raiseSystemFailure(error ? error.value() : ENOENT, path);
}
#endif

} // namespace

std::unique_ptr<Folder> LocalFileSystem::getFolder(std::u16string_view path)
{
    checkIsFolder(path);
    return std::make_unique<LocalFolder>(path);
}

std::unique_ptr<TextStream> LocalFileSystem::createTextFile(std::u16string_view path)
{
    return Cp932FileStream::create(path);
}

} // namespace markroll
