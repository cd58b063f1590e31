#pragma once

#include "FileSystemObject.h"

namespace markroll {

// The host's file system behind the file services.
class LocalFileSystem : public FileSystemObject {
public:
    std::unique_ptr<Folder> getFolder(std::u16string_view path) override;
    std::unique_ptr<TextStream> createTextFile(std::u16string_view path) override;
};

} // namespace markroll
