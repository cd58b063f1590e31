#pragma once

#include "FileServices.h"

namespace markroll {

// The host's file system behind the file services.
class LocalFileSystem : public FileSystemObject {
public:
    std::unique_ptr<Folder> getFolder(const QString& path) override;
    std::unique_ptr<TextStream> createTextFile(const QString& path, bool overwrite) override;
};

class LocalFileSystemFactory : public FileSystemFactory {
public:
    std::unique_ptr<FileSystemObject> createFileSystemObject() override;
};

} // namespace markroll
