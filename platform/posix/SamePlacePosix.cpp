#include "platform/files/SamePlace.h"

#include "platform/files/HostPath.h"
#include "platform/posix/DirectoryStream.h"

#include <cerrno>
#include <random>
#include <string>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace markroll {
namespace {

FileIdentity identityFrom(const struct stat& status) { return {std::uint64_t(status.st_dev), std::uint64_t(status.st_ino)}; }

std::optional<FileIdentity> statIdentity(const std::string& path, bool followLinks)
{
    struct stat status {};
    const int result = followLinks ? ::stat(path.c_str(), &status) : ::lstat(path.c_str(), &status);
    if (result != 0)
        return std::nullopt;
    return identityFrom(status);
}

bool sameKnown(const std::optional<FileIdentity>& a, const std::optional<FileIdentity>& b) { return a && b && *a == *b; }

// A path's folder and its last name, as the OS is given them.
struct FolderAndName {
    std::string folder;
    std::string name;
};

FolderAndName split(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return {".", path};
    return {slash == 0 ? "/" : path.substr(0, slash), path.substr(slash + 1)};
}

std::string swappedLetterCase(std::string name)
{
    for (char& byte : name) {
        if (byte >= 'a' && byte <= 'z')
            byte = char(byte - 'a' + 'A');
        else if (byte >= 'A' && byte <= 'Z')
            byte = char(byte - 'A' + 'a');
    }
    return name;
}

bool listed(DIR* folder, const std::string& name)
{
    rewinddir(folder);
    while (const dirent* entry = readdir(folder)) {
        if (name == entry->d_name)
            return true;
    }
    return false;
}

// A name of ours made only to ask the folder how it compares names.
std::optional<bool> probeWithFileOfOurs(const std::string& folder)
{
    static std::mt19937_64 random{std::random_device{}()};
    const std::string name = ".mr" + std::to_string(random() % 100000000) + ".tmp";
    const std::string path = folder + "/" + name;
    const int descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (descriptor < 0)
        return std::nullopt;
    ::close(descriptor);
    struct stat status {};
    const bool found = ::lstat((folder + "/" + swappedLetterCase(name)).c_str(), &status) == 0;
    ::unlink(path.c_str());
    return found;
}

// Whether the folder takes a name in another letter case for the same entry
// (FAT, exFAT, NTFS, a Windows share, a case-folding folder), asked of an
// entry it holds: its name in swapped letter case leads somewhere although no
// entry of that name is listed. A folder that cannot tell is taken to ignore
// letter case, so two names that might be one are never both written.
bool ignoresLetterCase(const std::string& folderPath)
{
    const DirectoryStream folder(opendir(folderPath.c_str()));
    if (!folder.get())
        return true;
    while (const dirent* entry = readdir(folder.get())) {
        const std::string name = entry->d_name;
        const std::string swapped = swappedLetterCase(name);
        if (swapped == name)
            continue;
        struct stat status {};
        if (::lstat((folderPath + "/" + swapped).c_str(), &status) != 0)
            return false;
        return !listed(folder.get(), swapped);
    }
    return probeWithFileOfOurs(folderPath).value_or(true);
}

} // namespace

std::optional<FileIdentity> identityOf(std::u16string_view path) { return statIdentity(toOsPath(path), true); }

bool takeOnePlace(std::u16string_view a, std::u16string_view b)
{
    const std::string pathA = toOsPath(a), pathB = toOsPath(b);
    if (sameKnown(statIdentity(pathA, false), statIdentity(pathB, false)) ||
        sameKnown(statIdentity(pathA, true), statIdentity(pathB, true)))
        return true;
    const FolderAndName partsA = split(pathA), partsB = split(pathB);
    if (partsA.name.empty() || partsB.name.empty() ||
        !sameKnown(statIdentity(partsA.folder, true), statIdentity(partsB.folder, true)))
        return false;
    if (partsA.name == partsB.name)
        return true;
    return equalLetterCaseAside(fromHostBytes(partsA.name), fromHostBytes(partsB.name)) &&
           ignoresLetterCase(partsA.folder);
}

bool leadsToStandardOutput(std::u16string_view path)
{
    struct stat output {};
    if (::fstat(STDOUT_FILENO, &output) != 0)
        return false;
    return sameKnown(statIdentity(toOsPath(path), true), identityFrom(output));
}

} // namespace markroll
