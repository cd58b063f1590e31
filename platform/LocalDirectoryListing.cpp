#include "LocalDirectoryListing.h"

#include "HostPath.h"
#include "NameOrder.h"
#include "Unicode.h"
#include "Wildcard.h"

#ifdef _WIN32
#include <filesystem>
#include <windows.h>
#else
#include <dirent.h>
#include <fcntl.h>
#include <cstring>
#include <strings.h>
#include <sys/stat.h>
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
    explicit OpenFolder(DIR* stream) : stream(stream) {}
    ~OpenFolder() { closedir(stream); }
    OpenFolder(const OpenFolder&) = delete;
    OpenFolder& operator=(const OpenFolder&) = delete;
    DIR* stream;
};

namespace {

// "*.url" is the one mask the generator uses: compared on the bytes, before
// anything is decoded.
bool endsWithUrl(const char* name, std::size_t length)
{
    return length >= 4 && strcasecmp(name + length - 4, ".url") == 0;
}

bool isOrdinaryFile(int folder, const dirent& entry)
{
    if (entry.d_type == DT_REG)
        return true;
    if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN)
        return false;
    struct stat status {};
    return fstatat(folder, entry.d_name, &status, 0) == 0 && S_ISREG(status.st_mode);
}

void addMatchingFiles(DIR* stream, std::u16string_view mask, ListedNames& names)
{
    const bool shortcutMask = mask == u"*.url";
    while (const dirent* entry = readdir(stream)) {
        // Names that start with a dot are hidden on Linux.
        if (entry->d_name[0] == '.')
            continue;
        const std::size_t length = std::strlen(entry->d_name);
        if (shortcutMask && !endsWithUrl(entry->d_name, length))
            continue;
        std::u16string name = fromHostBytes(std::string_view(entry->d_name, length));
        if (!shortcutMask && !matchesWildcard(mask, name))
            continue;
        if (isOrdinaryFile(dirfd(stream), *entry))
            names.add(name);
    }
}

} // namespace

int LocalDirectoryListing::folderDescriptor() const { return open_ ? dirfd(open_->stream) : -1; }

#endif

LocalDirectoryListing::LocalDirectoryListing() = default;
LocalDirectoryListing::~LocalDirectoryListing() = default;

std::u16string LocalDirectoryListing::start(std::u16string_view pattern)
{
    const std::size_t cut = pattern.rfind(hostSeparator());
    const std::u16string_view folder = cut == std::u16string_view::npos ? u"." : pattern.substr(0, cut);
    const std::u16string_view mask = pattern.substr(cut == std::u16string_view::npos ? 0 : cut + 1);
    open_.reset();
    // "/x.url" searches the root folder.
    folder_ = folder.empty() ? std::u16string(1, hostSeparator()) : std::u16string(folder);
    names_ = std::make_shared<ListedNames>();
    position_ = 0;
#ifdef _WIN32
    addMatchingFiles(toFsPath(folder_), mask, *names_);
#else
    if (DIR* stream = opendir(toFsPath(folder_).c_str())) {
        open_ = std::make_unique<OpenFolder>(stream);
        addMatchingFiles(stream, mask, *names_);
    }
#endif
    names_->sort();
    if (open_ && !names_->empty()) {
        prefetcher_.start(folderDescriptor(), names_);
        readAhead_.start(folderDescriptor(), names_);
    } else {
        prefetcher_.stop();
        readAhead_.stop();
    }
    return next();
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
