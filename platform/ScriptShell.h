#pragma once

#include <QString>
#include <memory>

namespace markroll {

class Shortcut {
public:
    virtual ~Shortcut() = default;
    // The URL the shortcut points to; error 5 when it has none.
    virtual QString targetPath() = 0;
};

class ScriptShell {
public:
    virtual ~ScriptShell() = default;
    // Reads the shortcut file at `path`; error 5 when it cannot be read.
    virtual std::unique_ptr<Shortcut> createShortcut(const QString& path) = 0;
};

class ScriptShellFactory {
public:
    virtual ~ScriptShellFactory() = default;
    virtual std::unique_ptr<ScriptShell> createScriptShell() = 0;
};

// Reads Internet Shortcut files from the host's file system, never writing them.
class LocalScriptShell : public ScriptShell {
public:
    std::unique_ptr<Shortcut> createShortcut(const QString& path) override;
};

class LocalScriptShellFactory : public ScriptShellFactory {
public:
    std::unique_ptr<ScriptShell> createScriptShell() override;
};

} // namespace markroll
