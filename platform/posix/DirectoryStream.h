#pragma once

#include <dirent.h>
#include <memory>

namespace markroll {

struct CloseDirectory {
    void operator()(DIR* stream) const { closedir(stream); }
};

// An open directory, closed with its owner; empty when opendir failed.
using DirectoryStream = std::unique_ptr<DIR, CloseDirectory>;

} // namespace markroll
