#include "LocalDirectoryListing.h"

#include "HostPath.h"
#include "MatchingFiles.h"
#include "Wildcard.h"

#ifdef _WIN32
#include <filesystem>
#include <windows.h>
#else
#include "DirectoryStream.h"
#endif

namespace markroll {

#ifdef _WIN32

struct LocalDirectoryListing::OpenFolder {};

namespace {

void addMatchingFiles(const std::filesystem::path& folder, std::u16string_view mask, ListedNames& names)
{
    namespace fs = std::filesystem;
    std::error_code error;
    fs::directory_iterator entries(folder, error);
    for (const fs::directory_iterator end; !error && entries != end; entries.increment(error)) {
        const fs::directory_entry& entry = *entries;
        std::u16string name = fileNameOf(entry.path());
        if (!matchesWildcard(mask, name))
            continue;
        const DWORD attributes = GetFileAttributesW(entry.path().c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)))
            continue;
        std::error_code typeError;
        if (entry.is_regular_file(typeError))
            names.add(name);
    }
}

} // namespace

int LocalDirectoryListing::folderDescriptor() const { return -1; }

#else

// The folder as one open directory stream: its descriptor serves openat.
struct LocalDirectoryListing::OpenFolder {
    DirectoryStream stream;
};

int LocalDirectoryListing::folderDescriptor() const { return open_ ? dirfd(open_->stream.get()) : -1; }

#endif

LocalDirectoryListing::LocalDirectoryListing() = default;
LocalDirectoryListing::~LocalDirectoryListing() = default;

namespace {

struct Search {
    std::u16string folder;
    std::u16string_view mask;
};

Search searchOf(std::u16string_view pattern)
{
    const std::size_t cut = pattern.rfind(hostSeparator());
    const std::u16string_view folder = cut == std::u16string_view::npos ? u"." : pattern.substr(0, cut);
    const std::u16string_view mask = pattern.substr(cut == std::u16string_view::npos ? 0 : cut + 1);
    // "/x.url" searches the root folder.
    return {folder.empty() ? std::u16string(1, hostSeparator()) : std::u16string(folder), mask};
}

} // namespace

std::u16string LocalDirectoryListing::start(std::u16string_view pattern)
{
    Search search = searchOf(pattern);
    open_.reset();
    folder_ = std::move(search.folder);
    names_.reset();
    position_ = 0;
    const bool listedAhead = list(search.mask);
    if (open_ && !names_->empty()) {
        prefetcher_.start(folderDescriptor(), names_);
        if (!listedAhead)
            readAhead_.start(folderDescriptor(), names_);
    } else {
        prefetcher_.stop();
        readAhead_.stop();
    }
    return next();
}

void LocalDirectoryListing::expect([[maybe_unused]] std::u16string_view pattern)
{
#ifndef _WIN32
    const Search search = searchOf(pattern);
    if (search.mask == ShortcutMask)
        readAhead_.expect(toFsPath(search.folder).native());
#endif
}

// Fills `names_`; true when the read-ahead thread had listed the folder
// already (and is reading its files).
bool LocalDirectoryListing::list(std::u16string_view mask)
{
    auto names = std::make_shared<ListedNames>();
#ifdef _WIN32
    addMatchingFiles(toFsPath(folder_), mask, *names);
#else
    const std::string path = toFsPath(folder_).native();
    if (DirectoryStream stream{opendir(path.c_str())}) {
        open_ = std::make_unique<OpenFolder>(std::move(stream));
        DIR* const folder = open_->stream.get();
        if (mask == ShortcutMask && (names_ = readAhead_.adopt(path, dirfd(folder))))
            return true;
        addMatchingFiles(folder, mask, *names);
    }
#endif
    names->sort();
    names_ = std::move(names);
    return false;
}

std::u16string LocalDirectoryListing::next()
{
    if (!names_ || position_ >= names_->size())
        return {};
    prefetcher_.reached(position_);
    readAhead_.reached(position_);
    return std::u16string((*names_)[position_++]);
}

std::optional<ScannedShortcut> LocalDirectoryListing::takeReadAhead(std::u16string_view name)
{
    if (!names_ || position_ == 0 || (*names_)[position_ - 1] != name)
        return std::nullopt;
    return readAhead_.take(position_ - 1);
}

} // namespace markroll
