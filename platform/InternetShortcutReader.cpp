#include "InternetShortcutReader.h"

#include "HostPath.h"
#include "InternetShortcut.h"
#include "LocalDirectoryListing.h"
#include "ScriptError.h"

#include <cerrno>
#include <filesystem>
#include <optional>

#ifdef _WIN32
#include <fstream>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>
#endif

namespace markroll {
namespace {

class InternetShortcutFile : public Shortcut {
public:
    explicit InternetShortcutFile(std::optional<std::u16string> target) : target_(std::move(target)) {}

    std::u16string targetPath() override
    {
        if (!target_)
            throw ScriptError(InvalidCall, "the shortcut has no URL");
        return *target_;
    }

private:
    std::optional<std::u16string> target_;
};

#ifdef _WIN32
// Only an ordinary file is opened: a device could block or never end.
std::string readShortcutBytes(std::u16string_view path, LocalDirectoryListing*)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(toFsPath(path), error))
        throw ScriptError(InvalidCall, path, "not an ordinary file");
    std::ifstream file(toFsPath(path), std::ios::binary);
    if (!file)
        throw ScriptError(InvalidCall, path, "cannot be opened");
    std::string bytes(MaxShortcutFileSize + 1, '\0');
    file.read(bytes.data(), std::streamsize(bytes.size()));
    if (file.bad() || std::size_t(file.gcount()) > MaxShortcutFileSize)
        throw ScriptError(InvalidCall, path, "cannot be read, or is too large for a shortcut");
    bytes.resize(std::size_t(file.gcount()));
    return bytes;
}
#else
class Descriptor {
public:
    explicit Descriptor(int descriptor) : descriptor_(descriptor) {}
    ~Descriptor()
    {
        if (descriptor_ >= 0)
            ::close(descriptor_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return descriptor_; }

private:
    int descriptor_;
};

// A pipe opened without blocking and then found not to be an ordinary file
// is closed unread.
constexpr int ReadFlags = O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY;

int openShortcut(std::u16string_view path, const LocalDirectoryListing* listing)
{
    if (listing && listing->folderDescriptor() >= 0) {
        const std::u16string& folder = listing->folder();
        if (path.size() > folder.size() + 1 && path.starts_with(folder) && path[folder.size()] == hostSeparator()) {
            const std::u16string_view name = path.substr(folder.size() + 1);
            if (name.find(hostSeparator()) == std::u16string_view::npos)
                return ::openat(listing->folderDescriptor(), toHostBytes(name).c_str(), ReadFlags);
        }
    }
    return ::open(toFsPath(path).c_str(), ReadFlags);
}

// Reads at `offset`; a first read that would wait for the disk tells the
// listing, whose helpers then read ahead of the page.
ssize_t readSome(int file, char* into, std::size_t size, std::size_t offset, LocalDirectoryListing* listing)
{
    if (listing && offset == 0) {
        iovec buffer{into, size};
        const ssize_t got = ::preadv2(file, &buffer, 1, 0, RWF_NOWAIT);
        if (got >= 0 || (errno != EAGAIN && errno != EOPNOTSUPP && errno != ENOSYS))
            return got;
        if (errno == EAGAIN)
            listing->coldReadSeen();
    }
    return ::pread(file, into, size, off_t(offset));
}

// One open, one fstat and, for a file that does not change meanwhile, one
// read: a big tree has a hundred thousand of these.
std::string readShortcutBytes(std::u16string_view path, LocalDirectoryListing* listing)
{
    const Descriptor file(openShortcut(path, listing));
    if (file.get() < 0)
        throw ScriptError(InvalidCall, path, osReason(errno));
    struct stat status {};
    if (::fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode))
        throw ScriptError(InvalidCall, path, "not an ordinary file");
    if (std::size_t(status.st_size) > MaxShortcutFileSize)
        throw ScriptError(InvalidCall, path, "too large for a shortcut");
    // A file that grows while it is read is read up to one byte past the
    // limit, so that growth is seen too.
    std::string bytes(std::size_t(status.st_size) + 1, '\0');
    std::size_t filled = 0;
    while (filled < bytes.size() && filled <= MaxShortcutFileSize) {
        const ssize_t got = readSome(file.get(), bytes.data() + filled, bytes.size() - filled, filled, listing);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            throw ScriptError(InvalidCall, path, osReason(errno));
        if (got == 0)
            break;
        filled += std::size_t(got);
        if (filled == std::size_t(status.st_size) && filled == std::size_t(got))
            break;
        if (filled == bytes.size() && filled <= MaxShortcutFileSize)
            bytes.resize(std::min(bytes.size() * 2, MaxShortcutFileSize + 1));
    }
    if (filled > MaxShortcutFileSize)
        throw ScriptError(InvalidCall, path, "too large for a shortcut");
    bytes.resize(filled);
    return bytes;
}
#endif

} // namespace

std::unique_ptr<Shortcut> InternetShortcutReader::createShortcut(std::u16string_view path)
{
    return std::make_unique<InternetShortcutFile>(internetShortcutTarget(readShortcutBytes(path, listing_)));
}

} // namespace markroll
