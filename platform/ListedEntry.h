#pragma once

#include "HostPath.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#ifndef _WIN32
#include "DirectoryStream.h"
#endif

namespace markroll {

// The folder a listing was made of, kept open for as long as an entry of it
// is: its entries are opened relative to it, never by a path taken apart.
class ListedFolder {
public:
#ifdef _WIN32
    explicit ListedFolder(std::wstring path) : path_(std::move(path)) {}
    // The folder's path as the OS is given it (extended-length); an entry is
    // this and its name.
    const std::wstring& path() const { return path_; }
#else
    explicit ListedFolder(DirectoryStream stream) : stream_(std::move(stream)) {}
    int descriptor() const { return dirfd(stream_.get()); }
#endif
    ListedFolder(const ListedFolder&) = delete;
    ListedFolder& operator=(const ListedFolder&) = delete;

    // Reads of its entries that had to wait for the disk, told by the reader
    // and watched by the listing, which then reads ahead.
    void noteColdRead() const { coldReads_.fetch_add(1, std::memory_order_relaxed); }
    std::uint64_t coldReads() const { return coldReads_.load(std::memory_order_relaxed); }

private:
#ifdef _WIN32
    std::wstring path_;
#else
    DirectoryStream stream_;
#endif
    mutable std::atomic<std::uint64_t> coldReads_{0};
};

// One name a listing gave, as the program reads it and as the OS listed it,
// with the folder to open it in by that listed name. Without a folder, the
// name is a path of its own (a file read on its own, not listed).
struct ListedEntry {
    std::u16string name;
    std::shared_ptr<const ListedFolder> folder;
    HostName listedName;

    // The listing has no more names.
    bool empty() const { return name.empty(); }
};

} // namespace markroll
