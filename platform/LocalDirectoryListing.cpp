#include "LocalDirectoryListing.h"

#include "HostPath.h"
#include "MatchingFiles.h"
#include "ScriptError.h"

#ifndef _WIN32
#include "DirectoryStream.h"

#include <cerrno>
#endif

namespace markroll {

#ifdef _WIN32

struct LocalDirectoryListing::OpenFolder {};

int LocalDirectoryListing::folderDescriptor() const { return -1; }

#else

// The folder as one open directory stream: its descriptor serves openat.
struct LocalDirectoryListing::OpenFolder {
    explicit OpenFolder(DirectoryStream opened) : stream(std::move(opened)) {}
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
    prefetcher_.stop();
    open_.reset();
    folder_ = std::move(search.folder);
    names_.reset();
    position_ = 0;
    list(search.mask);
    if (open_ && !names_->empty())
        prefetcher_.start(folderDescriptor(), names_);
    return next();
}

void LocalDirectoryListing::list(std::u16string_view mask)
{
    auto names = std::make_shared<ListedNames>();
#ifdef _WIN32
    addMatchingFiles(toFsPath(folder_), folder_, mask, *names);
#else
    DirectoryStream stream{opendir(toFsPath(folder_).c_str())};
    if (!stream && !listsAsEmpty(errno))
        raiseOsError(errno, PathNotFound, folder_);
    if (stream) {
        open_ = std::make_unique<OpenFolder>(std::move(stream));
        addMatchingFiles(open_->stream.get(), folder_, mask, *names);
    }
#endif
    names->sort();
    names_ = std::move(names);
}

std::u16string LocalDirectoryListing::next()
{
    if (!names_ || position_ >= names_->size())
        return {};
    prefetcher_.reached(position_);
    return std::u16string((*names_)[position_++]);
}

} // namespace markroll
