#pragma once

#include "Folder.h"

#include <filesystem>
#include <set>
#include <string_view>

namespace markroll {

// Lists every sub-directory, hidden ones and links to directories included,
// in name order. A link back to this folder or one of its ancestors is left
// out, so no walk can loop.
class LocalFolder : public Folder {
public:
    explicit LocalFolder(std::u16string_view path);
    std::vector<std::u16string> subfolderNames() override;

private:
    bool leadsBackUp(const std::filesystem::path& link);
#ifdef _WIN32
    bool isFolderToWalk(const std::filesystem::directory_entry& entry);
#endif
    void addWithAncestors(std::filesystem::path path, bool resolved);

    std::filesystem::path path_;
    std::set<std::filesystem::path> ancestors_;
    bool ancestorsKnown_ = false;
};

} // namespace markroll
