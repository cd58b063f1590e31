#pragma once

#include "platform/posix/DirectoryStream.h"

namespace markroll {

// The folder a listing was made of, kept open for as long as an entry of it
// is: its entries are opened relative to it, never by a path taken apart.
class ListedFolder {
public:
    explicit ListedFolder(DirectoryStream stream) : stream_(std::move(stream)) {}
    ListedFolder(const ListedFolder&) = delete;
    ListedFolder& operator=(const ListedFolder&) = delete;

    DIR* stream() const { return stream_.get(); }
    int descriptor() const { return dirfd(stream_.get()); }

private:
    DirectoryStream stream_;
};

} // namespace markroll
