#include "platform/files/SamePlace.h"

#include "platform/files/HostPath.h"
#include "platform/windows/WindowsEntries.h"

#include <string>

#include <windows.h>

namespace markroll {
namespace {

std::optional<FileIdentity> identityOfOsPath(const std::wstring& path)
{
    FileIdentity identity;
    DWORD error = 0;
    if (!identityOf(path, identity, error))
        return std::nullopt;
    return identity;
}

bool sameKnown(const std::optional<FileIdentity>& a, const std::optional<FileIdentity>& b) { return a && b && *a == *b; }

struct FolderAndName {
    std::wstring folder;
    std::wstring name;
};

// The extended-length form always holds a separator before the last name.
FolderAndName split(const std::wstring& path)
{
    const std::size_t separator = path.find_last_of(L"\\/");
    if (separator == std::wstring::npos)
        return {L".", path};
    return {path.substr(0, separator + 1), path.substr(separator + 1)};
}

} // namespace

std::optional<FileIdentity> identityOf(std::u16string_view path) { return identityOfOsPath(toOsPath(path).native()); }

// Windows compares names letter case aside on every volume it writes to.
bool takeOnePlace(std::u16string_view a, std::u16string_view b)
{
    const std::wstring pathA = toOsPath(a).native(), pathB = toOsPath(b).native();
    if (sameKnown(identityOfOsPath(pathA), identityOfOsPath(pathB)))
        return true;
    const FolderAndName partsA = split(pathA), partsB = split(pathB);
    if (partsA.name.empty() || partsB.name.empty() ||
        !sameKnown(identityOfOsPath(partsA.folder), identityOfOsPath(partsB.folder)))
        return false;
    return CompareStringOrdinal(partsA.name.c_str(), int(partsA.name.size()), partsB.name.c_str(),
                                int(partsB.name.size()), TRUE) == CSTR_EQUAL;
}

bool leadsToStandardOutput(std::u16string_view path)
{
    return sameKnown(identityOf(path), identityOfHandle(GetStdHandle(STD_OUTPUT_HANDLE)));
}

} // namespace markroll
