#include "LocalFileSystem.h"

#include "Cp932FileStream.h"
#include "HostPath.h"
#include "LocalFolder.h"
#include "ScriptError.h"

#include <cerrno>
#include <filesystem>

namespace markroll {

std::unique_ptr<Folder> LocalFileSystem::getFolder(std::u16string_view path)
{
    std::error_code error;
    if (!std::filesystem::is_directory(toFsPath(path), error))
        throw ScriptError(error ? errorNumberFor(error, PathNotFound) : int(PathNotFound), path,
                          error ? error.message() : osReason(ENOENT));
    return std::make_unique<LocalFolder>(path);
}

std::unique_ptr<TextStream> LocalFileSystem::createTextFile(std::u16string_view path, bool overwrite)
{
    std::error_code error;
    if (!overwrite && std::filesystem::exists(std::filesystem::symlink_status(toFsPath(path), error)))
        throw ScriptError(FileAlreadyExists, path, osReason(EEXIST));
    return Cp932FileStream::create(path);
}

} // namespace markroll
