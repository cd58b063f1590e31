#pragma once

#include "FileSystemObject.h"
#include "TextStream.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace markroll {

// The 1000 slots of folder paths. An index outside 0 to 999 touches no slot and
// raises error 9.
class FolderSlots {
public:
    static constexpr int Capacity = 1000;

    void clear();
    void store(int index, std::u16string path);
    bool isEmpty(int index) const;
    const std::u16string& at(int index) const;

private:
    static void checkIndex(int index);
    std::array<std::optional<std::u16string>, Capacity> slots_;
};

// The generator's state, shared by the walk, the page writer and the section
// writer, and kept from one run to the next.
struct FolderTable {
    FolderSlots FolderList;
    std::int16_t FolderCount = 0;
    std::unique_ptr<FileSystemObject> PageFso;
    std::unique_ptr<TextStream> PageStream;
};

} // namespace markroll
