#pragma once

#include "platform/Host.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

namespace markroll {

// ".mrXXXXXXXX.tmp" beside `target`, made new: never an entry that exists,
// and open to write; -1 with errno set when it cannot be made. Its length is
// fixed, so any name the folder takes for the target it takes for the
// temporary file too.
std::pair<int, std::filesystem::path> createTemporaryBeside(const std::filesystem::path& target);

// A file that replaces another only once it is whole: its bytes go to a new
// hidden file beside the target, which commit() puts on the disk and then
// moves to the target's name, replacing whatever entry stands there (a file,
// a link, a pipe or a device) without ever opening it, and taking on the mode
// of the ordinary file it replaces. Readers see the previous file until the
// new one is whole; a file dropped without commit() leaves nothing behind.
// A file made by writeThrough() is instead written straight into what its
// path names (a device, a pipe, standard output), which is never replaced.
class AsideFile : public OutputFile {
public:
    // `shownPath` names the file in failures; `kind` says what a failed
    // write leaves and how long the descriptor is held. Raises when the file
    // cannot be made.
    static std::unique_ptr<AsideFile> create(std::u16string_view shownPath, OutputFileKind kind);
    // Into `descriptor`, opened on what `shownPath` names; raises errno when it is -1.
    static std::unique_ptr<AsideFile> writeThrough(int descriptor, std::u16string_view shownPath);
    ~AsideFile() override;
    AsideFile(const AsideFile&) = delete;
    AsideFile& operator=(const AsideFile&) = delete;

    // Raises the first failed write, once a write has failed.
    void write(std::string_view bytes) override;
    // Puts what was written on the disk and in place (see OutputFileKind);
    // raises the write's failure, or the failure of the flush or the move. A
    // file moved into place whose folder then could not be put on the disk
    // stands, and that is raised as FolderNotFlushed.
    void commit() override;

private:
    AsideFile(int descriptor, std::filesystem::path temporary, std::filesystem::path target,
              std::u16string shownPath, bool keepsWholeWrites);

    void failIfBroken() const;

    void handOver();
    int openForWrite();
    void doneWriting(int descriptor);
    void writeAll(int descriptor);
    void cutToWholeWrites(int descriptor, std::size_t done);
    void closeThrough();
    void closeAside();
    void moveIntoPlace();
    void dropTemporary();
    [[noreturn]] void breakWith(int osError);

    // -1 while the file is not held open.
    int descriptor_;
    bool closed_ = false;
    int trackedSlot_ = -1;
    // The first write that failed; every later one is refused with it.
    std::error_code writeFailure_;
    // Empty for a file written through.
    std::filesystem::path temporary_;
    std::filesystem::path target_;
    std::u16string shownPath_;
    // The page keeps what was written before a failed write; the bookmark
    // file is dropped.
    bool keepsWholeWrites_;
    std::string pending_;
    // Where each write ends in `pending_`.
    std::vector<std::size_t> writeEnds_;
    // Bytes in the file so far.
    std::uint64_t handedOver_ = 0;
};

} // namespace markroll
