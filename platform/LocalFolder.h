#pragma once

#include "FileServices.h"

#include <filesystem>
#include <set>

namespace markroll {

// Lists every sub-directory, hidden ones and links to directories included,
// in name order. A link back to this folder or one of its ancestors is left
// out, so no walk can loop.
class LocalFolder : public Folder {
public:
    explicit LocalFolder(const QString& path);
    QStringList subfolderNames() override;

private:
    bool leadsBackUp(const std::filesystem::path& link);
    void addWithAncestors(std::filesystem::path path, bool resolved);

    std::filesystem::path path_;
    std::set<std::filesystem::path> ancestors_;
    bool ancestorsKnown_ = false;
};

} // namespace markroll
