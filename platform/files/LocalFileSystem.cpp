#include "LocalFileSystem.h"

#include "Cp932FileStream.h"
#include "HostPath.h"
#include "LocalFolder.h"
#include "ScriptError.h"

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
        raiseWindowsError(GetLastError(), PathNotFound, path);
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY))
        raiseWindowsError(ERROR_PATH_NOT_FOUND, PathNotFound, path);
}

bool entryExists(std::u16string_view path) { return GetFileAttributesW(toOsPath(path).c_str()) != INVALID_FILE_ATTRIBUTES; }
#else
void checkIsFolder(std::u16string_view path)
{
    std::error_code error;
    if (!std::filesystem::is_directory(toOsPath(path), error))
        raiseOsError(error ? error.value() : ENOENT, PathNotFound, path);
}

bool entryExists(std::u16string_view path)
{
    std::error_code error;
    return std::filesystem::exists(std::filesystem::symlink_status(toOsPath(path), error));
}
#endif

} // namespace

std::unique_ptr<Folder> LocalFileSystem::getFolder(std::u16string_view path)
{
    checkIsFolder(path);
    return std::make_unique<LocalFolder>(path);
}

std::unique_ptr<TextStream> LocalFileSystem::createTextFile(std::u16string_view path, bool overwrite)
{
    if (!overwrite && entryExists(path))
        throw ScriptError(FileAlreadyExists, path, osReason(EEXIST));
    return Cp932FileStream::create(path);
}

} // namespace markroll
