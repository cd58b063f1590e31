#include "LocalDirectoryListing.h"

#include "HostPath.h"
#include "MatchingFiles.h"
#include "Failure.h"

#include <cerrno>

namespace markroll {
namespace {

struct Search {
    std::u16string folder;
    std::u16string_view mask;
};

// The pattern is made by the caller as folder, separator, mask: this is the
// one place it is taken apart, as the runtime's own search takes it.
Search searchOf(std::u16string_view pattern)
{
    const std::size_t cut = pattern.rfind(hostSeparator());
    const std::u16string_view folder = cut == std::u16string_view::npos ? u"." : pattern.substr(0, cut);
    const std::u16string_view mask = pattern.substr(cut == std::u16string_view::npos ? 0 : cut + 1);
    // "/x.url" searches the root folder.
    return {folder.empty() ? std::u16string(1, hostSeparator()) : std::u16string(folder), mask};
}

} // namespace

ListedEntry LocalDirectoryListing::start(std::u16string_view pattern)
{
    const Search search = searchOf(pattern);
    prefetcher_.stop();
    folder_.reset();
    names_.reset();
    position_ = 0;
    coldReadsTold_ = 0;
    list(search.folder, search.mask);
    return next();
}

void LocalDirectoryListing::list(const std::u16string& folder, std::u16string_view mask)
{
    auto names = std::make_shared<ListedNames>();
#ifdef _WIN32
    std::wstring path = toOsPath(folder).native();
    addMatchingFiles(path, folder, mask, *names);
    folder_ = std::make_shared<const ListedFolder>(std::move(path));
#else
    DirectoryStream stream{opendir(toOsPath(folder).c_str())};
    if (!stream)
        raiseSystemFailure(errno, folder);
    addMatchingFiles(stream.get(), folder, mask, *names);
    folder_ = std::make_shared<const ListedFolder>(std::move(stream));
#endif
    names->sort();
    names_.emplace(names);
    if (folder_ && !names->empty())
        prefetcher_.start(folder_, std::move(names));
}

void LocalDirectoryListing::next(ListedEntry& entry)
{
    if (!names_ || !names_->next(entry.name, entry.listedName)) {
        entry.name.clear();
        entry.listedName.clear();
        entry.folder.reset();
        return;
    }
    const std::uint64_t coldReads = folder_->coldReads();
    prefetcher_.coldReadsSeen(coldReads - coldReadsTold_);
    coldReadsTold_ = coldReads;
    prefetcher_.reached(position_++);
    if (entry.folder != folder_)
        entry.folder = folder_;
}

} // namespace markroll
