#include "platform/posix/EntryKind.h"

#include "platform/Failure.h"
#include "platform/files/HostPath.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace markroll {
namespace {

bool leadsNowhere(int osError) { return osError == ENOENT || osError == ELOOP || osError == EACCES || osError == ENOTDIR; }

EntryKind kindOfMode(mode_t mode)
{
    return S_ISDIR(mode) ? EntryKind::Folder : S_ISREG(mode) ? EntryKind::File : EntryKind::Other;
}

EntryKind linkTarget(int folder, const char* name, std::u16string_view folderPath)
{
    struct stat status {};
    if (::fstatat(folder, name, &status, 0) != 0) {
        if (leadsNowhere(errno))
            return EntryKind::Other;
        raiseSystemFailure(errno, joinPath(folderPath, fromHostBytes(name)));
    }
    const EntryKind target = kindOfMode(status.st_mode);
    return target == EntryKind::Folder ? EntryKind::LinkToFolder : target;
}

} // namespace

EntryKind entryKind(int folder, const char* name, unsigned char listedType, std::u16string_view folderPath)
{
    switch (listedType) {
    case DT_DIR: return EntryKind::Folder;
    case DT_REG: return EntryKind::File;
    case DT_LNK: return linkTarget(folder, name, folderPath);
    case DT_UNKNOWN: break;
    default: return EntryKind::Other;
    }
    struct stat status {};
    if (::fstatat(folder, name, &status, AT_SYMLINK_NOFOLLOW) != 0) {
        if (errno == ENOENT)
            return EntryKind::Other;
        raiseSystemFailure(errno, joinPath(folderPath, fromHostBytes(name)));
    }
    return S_ISLNK(status.st_mode) ? linkTarget(folder, name, folderPath) : kindOfMode(status.st_mode);
}

} // namespace markroll
