#include "ScriptShell.h"

#include "HostPath.h"
#include "InternetShortcut.h"
#include "ScriptError.h"

#include <QFile>
#include <filesystem>

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

// Only an ordinary file is opened: a FIFO or a device could block or never end.
QByteArray readShortcutBytes(const QString& path)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(toFsPath(path), error))
        throw ScriptError(InvalidCall, path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        throw ScriptError(InvalidCall, path);
    QByteArray bytes = file.read(MaxShortcutFileSize + 1);
    if (file.error() != QFileDevice::NoError || bytes.size() > MaxShortcutFileSize)
        throw ScriptError(InvalidCall, path);
    return bytes;
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
