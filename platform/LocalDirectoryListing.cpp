#include "LocalDirectoryListing.h"

#include "HostPath.h"
#include "NameOrder.h"
#include "Wildcard.h"

#include <filesystem>

#ifdef _WIN32
#include <windows.h>
#endif

namespace fs = std::filesystem;

namespace markroll {
namespace {

bool isHidden([[maybe_unused]] const fs::directory_entry& entry, [[maybe_unused]] std::u16string_view name)
{
#ifdef _WIN32
    const DWORD attributes = GetFileAttributesW(entry.path().c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
#else
    return name.starts_with(u'.');
#endif
}

std::vector<std::u16string> matchingFiles(const fs::path& folder, std::u16string_view mask)
{
    std::vector<std::u16string> names;
    std::error_code error;
    fs::directory_iterator entries(folder, error);
    for (const fs::directory_iterator end; !error && entries != end; entries.increment(error)) {
        const fs::directory_entry& entry = *entries;
        std::u16string name = fileNameOf(entry.path());
        if (!matchesWildcard(mask, name) || isHidden(entry, name))
            continue;
        std::error_code typeError;
        if (entry.is_regular_file(typeError))
            names.push_back(std::move(name));
    }
    sortByNameOrder(names);
    return names;
}

} // namespace

std::u16string LocalDirectoryListing::start(std::u16string_view pattern)
{
    const std::size_t cut = pattern.rfind(hostSeparator());
    const std::u16string_view folder = cut == std::u16string_view::npos ? u"." : pattern.substr(0, cut);
    const std::u16string_view mask = pattern.substr(cut == std::u16string_view::npos ? 0 : cut + 1);
    const std::u16string separatorOnly(1, hostSeparator());
    names_ = matchingFiles(toFsPath(folder.empty() ? std::u16string_view(separatorOnly) : folder), mask);
    position_ = 0;
    return next();
}

std::u16string LocalDirectoryListing::next()
{
    if (position_ >= names_.size())
        return {};
    return names_[position_++];
}

} // namespace markroll
