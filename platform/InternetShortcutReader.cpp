#include "InternetShortcutReader.h"

#include "HostPath.h"
#include "InternetShortcut.h"
#include "ScriptError.h"

#include <cerrno>
#include <filesystem>
#include <optional>

#ifdef _WIN32
#include <fstream>
#else
#include <fcntl.h>
#include <sys/stat.h>
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
std::string readOrdinaryFile(std::u16string_view path)
{
    std::ifstream file(toFsPath(path), std::ios::binary);
    if (!file)
        throw ScriptError(InvalidCall, path, "cannot be read as a shortcut");
    std::string bytes(MaxShortcutFileSize + 1, '\0');
    file.read(bytes.data(), std::streamsize(bytes.size()));
    if (file.bad() || std::size_t(file.gcount()) > MaxShortcutFileSize)
        throw ScriptError(InvalidCall, path, "cannot be read as a shortcut");
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

// One open, one fstat and one read: a big tree has a hundred thousand of these.
std::string readOrdinaryFile(std::u16string_view path)
{
    const Descriptor file(::open(toFsPath(path).c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (file.get() < 0)
        throw ScriptError(InvalidCall, path, "cannot be read as a shortcut");
    struct stat status {};
    if (::fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode) || std::size_t(status.st_size) > MaxShortcutFileSize)
        throw ScriptError(InvalidCall, path, "cannot be read as a shortcut");
    // A file that grew since fstat is read up to one byte past the limit, so
    // that growth is seen too.
    std::string bytes(std::size_t(status.st_size) + 1, '\0');
    std::size_t filled = 0;
    while (filled < bytes.size() && filled <= MaxShortcutFileSize) {
        const ssize_t got = ::read(file.get(), bytes.data() + filled, bytes.size() - filled);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            throw ScriptError(InvalidCall, path, "cannot be read as a shortcut");
        if (got == 0)
            break;
        filled += std::size_t(got);
        if (filled == bytes.size() && filled <= MaxShortcutFileSize)
            bytes.resize(std::min(bytes.size() * 2, MaxShortcutFileSize + 1));
    }
    if (filled > MaxShortcutFileSize)
        throw ScriptError(InvalidCall, path, "cannot be read as a shortcut");
    bytes.resize(filled);
    return bytes;
}
#endif

// Only an ordinary file is opened: a FIFO or a device could block or never end.
std::string readShortcutBytes(std::u16string_view path)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(toFsPath(path), error))
        throw ScriptError(InvalidCall, path, "cannot be read as a shortcut");
    return readOrdinaryFile(path);
}

} // namespace

std::unique_ptr<Shortcut> InternetShortcutReader::createShortcut(std::u16string_view path)
{
    return std::make_unique<InternetShortcutFile>(internetShortcutTarget(readShortcutBytes(path)));
}

} // namespace markroll
