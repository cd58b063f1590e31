#pragma once

#include "Folder.h"
#include "TextStream.h"

#include <memory>
#include <string_view>

namespace markroll {

// The file services: folders to walk and the page's text file.
class FileSystemObject {
public:
    virtual ~FileSystemObject() = default;
    virtual std::unique_ptr<Folder> getFolder(std::u16string_view path) = 0;
    virtual std::unique_ptr<TextStream> createTextFile(std::u16string_view path) = 0;
};

} // namespace markroll
