#include "LocalPlatform.h"

#include "InternetShortcutReader.h"
#include "LocalFileSystem.h"

namespace markroll {

std::unique_ptr<FileSystemObject> LocalPlatform::createFileSystemObject() { return std::make_unique<LocalFileSystem>(); }

std::unique_ptr<ScriptShell> LocalPlatform::createScriptShell() { return std::make_unique<InternetShortcutReader>(); }

} // namespace markroll
