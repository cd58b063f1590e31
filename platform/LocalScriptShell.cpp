#include "ScriptShell.h"

#include "HostPath.h"
#include "InternetShortcut.h"
#include "ScriptError.h"

#include <QFile>
#include <QScopeGuard>
#include <cerrno>
#include <filesystem>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace markroll {
namespace {

class InternetShortcutFile : public Shortcut {
public:
    explicit InternetShortcutFile(std::optional<QString> target) : target_(std::move(target)) {}

    QString targetPath() override
    {
        if (!target_)
            throw ScriptError(InvalidCall, QStringLiteral("the shortcut has no URL"));
        return *target_;
    }

private:
    std::optional<QString> target_;
};

#ifdef _WIN32
QByteArray readOrdinaryFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        throw ScriptError(InvalidCall, path);
    QByteArray bytes = file.read(MaxShortcutFileSize + 1);
    if (file.error() != QFileDevice::NoError || bytes.size() > MaxShortcutFileSize)
        throw ScriptError(InvalidCall, path);
    return bytes;
}
#else
// One open, one fstat and one read: a big tree has a hundred thousand of these.
QByteArray readOrdinaryFile(const QString& path)
{
    const int descriptor = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (descriptor < 0)
        throw ScriptError(InvalidCall, path);
    const auto closeOnReturn = qScopeGuard([descriptor] { ::close(descriptor); });
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode) || status.st_size > MaxShortcutFileSize)
        throw ScriptError(InvalidCall, path);
    // A file that grew since fstat is read up to one byte past the limit, so
    // that growth is seen too.
    QByteArray bytes(qsizetype(status.st_size) + 1, Qt::Uninitialized);
    qsizetype filled = 0;
    while (filled < bytes.size() && filled <= MaxShortcutFileSize) {
        const ssize_t got = ::read(descriptor, bytes.data() + filled, size_t(bytes.size() - filled));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            throw ScriptError(InvalidCall, path);
        if (got == 0)
            break;
        filled += got;
        if (filled == bytes.size() && filled <= MaxShortcutFileSize)
            bytes.resize(std::min<qsizetype>(bytes.size() * 2, MaxShortcutFileSize + 1));
    }
    if (filled > MaxShortcutFileSize)
        throw ScriptError(InvalidCall, path);
    bytes.truncate(filled);
    return bytes;
}
#endif

// Only an ordinary file is opened: a FIFO or a device could block or never end.
QByteArray readShortcutBytes(const QString& path)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(toFsPath(path), error))
        throw ScriptError(InvalidCall, path);
    return readOrdinaryFile(path);
}

} // namespace

std::unique_ptr<Shortcut> LocalScriptShell::createShortcut(const QString& path)
{
    return std::make_unique<InternetShortcutFile>(internetShortcutTarget(readShortcutBytes(path)));
}

std::unique_ptr<ScriptShell> LocalScriptShellFactory::createScriptShell()
{
    return std::make_unique<LocalScriptShell>();
}

} // namespace markroll
