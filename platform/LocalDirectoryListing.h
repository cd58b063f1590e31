#pragma once

#include "DirectoryListing.h"

#include <vector>

namespace markroll {

// Ordinary, visible files only (a link counts when it leads to an ordinary
// file), mask matched without regard to letter case, names in name order.
// A folder that is missing or unreadable simply has no names.
class LocalDirectoryListing : public DirectoryListing {
public:
    std::u16string start(std::u16string_view pattern) override;
    std::u16string next() override;

private:
    std::vector<std::u16string> names_;
    std::size_t position_ = 0;
};

} // namespace markroll
