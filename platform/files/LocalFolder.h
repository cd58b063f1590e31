#pragma once

#include "Host.h"

#ifdef _WIN32
#include "WindowsEntries.h"
#endif

#include <filesystem>
#include <set>
#include <string_view>

namespace markroll {

// Lists every sub-directory, hidden ones and links to directories included,
// in name order. A link back to this folder or one of its ancestors is left
// out, so no walk can loop; an entry whose type or target the OS will not
// tell is left out with its failure.
class LocalFolder {
public:
    explicit LocalFolder(std::u16string_view path);
    // Raises when the folder itself cannot be listed (or is none).
    SubfolderList subfolders();

private:
#ifdef _WIN32
    bool isLinkToWalk(const std::wstring& link, std::u16string_view shownAs);
    void addWithAncestors(std::wstring path);
#else
    bool leadsBackUp(const std::filesystem::path& link);
    void addWithAncestors(std::filesystem::path path, bool resolved);
#endif

    std::u16string shownPath_;
    std::filesystem::path path_;
#ifdef _WIN32
    std::set<FileIdentity> ancestors_;
#else
    std::set<std::filesystem::path> ancestors_;
#endif
    bool ancestorsKnown_ = false;
};

} // namespace markroll
