#pragma once

#include "platform/Host.h"

#include <filesystem>
#include <memory>
#include <string>

namespace markroll {

// A scratch file of our own among the system's temporary files, under the
// same hidden name a file written aside has.
class DiskScratchFile : public ScratchFile {
public:
    // Raises when it cannot be made.
    static std::unique_ptr<DiskScratchFile> create();
    ~DiskScratchFile() override;
    DiskScratchFile(const DiskScratchFile&) = delete;
    DiskScratchFile& operator=(const DiskScratchFile&) = delete;

    void append(std::string_view bytes) override;
    void read(std::uint64_t offset, std::span<char> into) override;

private:
    DiskScratchFile(std::filesystem::path path, int trackedSlot);
    [[noreturn]] void raise(int osError) const;

    std::filesystem::path path_;
    int trackedSlot_;
    // Open from the first read on; -1 before.
    int readDescriptor_ = -1;
};

} // namespace markroll
