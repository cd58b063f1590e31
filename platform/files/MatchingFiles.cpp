#include "MatchingFiles.h"

#include "HostPath.h"
#include "ScriptError.h"
#include "Wildcard.h"

#include <cerrno>

#ifdef _WIN32
#include <windows.h>
#else
#include "EntryKind.h"

#include <cstring>
#include <strings.h>
#endif

namespace markroll {

bool listsAsEmpty(int osError) { return osError == ENOENT || osError == ENOTDIR || osError == EACCES; }

#ifdef _WIN32
namespace {

bool listsAsEmpty(const std::error_code& error)
{
    const auto condition = error.default_error_condition();
    return condition == std::errc::no_such_file_or_directory || condition == std::errc::not_a_directory ||
           condition == std::errc::permission_denied;
}

[[noreturn]] void raise(const std::error_code& error, ErrorNumber missing, std::u16string_view what)
{
    throw ScriptError(errorNumberFor(error, missing), what, error.message());
}

// Files marked hidden or system are left out, as the runtime's own search
// with no attributes does.
bool isVisible(const std::filesystem::path& path, std::u16string_view shownAs)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        raise(std::error_code(int(GetLastError()), std::system_category()), FileNotFound, shownAs);
    return !(attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
}

} // namespace

bool addMatchingFiles(const std::filesystem::path& folder, std::u16string_view folderPath, std::u16string_view mask,
                      ListedNames& names)
{
    namespace fs = std::filesystem;
    std::error_code error;
    fs::directory_iterator entries(folder, error);
    if (error && listsAsEmpty(error))
        return false;
    for (const fs::directory_iterator end; !error && entries != end; entries.increment(error)) {
        const fs::directory_entry& entry = *entries;
        std::u16string name = fileNameOf(entry.path());
        if (!matchesWildcard(mask, name))
            continue;
        const std::u16string shownAs = joinPath(folderPath, name);
        if (!isVisible(entry.path(), shownAs))
            continue;
        std::error_code typeError;
        const bool ordinary = entry.is_regular_file(typeError);
        if (typeError && !listsAsEmpty(typeError))
            raise(typeError, FileNotFound, shownAs);
        if (ordinary)
            names.add(name);
    }
    if (error)
        raise(error, PathNotFound, folderPath);
    return true;
}
#else
namespace {

// The shortcut mask is compared on the bytes, before anything is decoded.
bool endsWithUrl(const char* name, std::size_t length)
{
    return length >= 4 && strcasecmp(name + length - 4, ".url") == 0;
}

} // namespace

void addMatchingFiles(DIR* stream, std::u16string_view folderPath, std::u16string_view mask, ListedNames& names)
{
    const bool shortcutMask = mask == ShortcutMask;
    for (;;) {
        errno = 0;
        const dirent* entry = readdir(stream);
        if (!entry) {
            if (errno != 0)
                raiseOsError(errno, PathNotFound, folderPath);
            return;
        }
        // Names that start with a dot are hidden on Linux.
        if (entry->d_name[0] == '.')
            continue;
        const std::size_t length = std::strlen(entry->d_name);
        if (shortcutMask && !endsWithUrl(entry->d_name, length))
            continue;
        std::u16string name = fromHostBytes(std::string_view(entry->d_name, length));
        if (!shortcutMask && !matchesWildcard(mask, name))
            continue;
        if (entryKind(dirfd(stream), entry->d_name, entry->d_type, folderPath) == EntryKind::File)
            names.add(name);
    }
}
#endif

} // namespace markroll
