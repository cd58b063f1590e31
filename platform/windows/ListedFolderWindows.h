#pragma once


#include <string>

namespace markroll {

// The folder a listing was made of; its entries are opened by this path and
// the name the listing gave, never by a path taken apart.
class ListedFolder {
public:
    explicit ListedFolder(std::wstring path) : path_(std::move(path)) {}
    ListedFolder(const ListedFolder&) = delete;
    ListedFolder& operator=(const ListedFolder&) = delete;

    // The folder's path as the OS is given it (extended-length).
    const std::wstring& path() const { return path_; }

private:
    std::wstring path_;
};

} // namespace markroll
