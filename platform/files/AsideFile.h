#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <system_error>

namespace markroll {

// A file that replaces another only once it is whole: its bytes go to a new
// hidden file beside the target, which close() puts on the disk and then
// moves to the target's name, replacing whatever entry stands there (a file,
// a link, a pipe or a device) without ever opening it, and taking on the mode
// of the ordinary file it replaces. Readers see the previous file until the
// new one is whole; a file dropped without close() leaves nothing behind.
// A file made by writeThrough() is instead written straight into what its
// path names (a device, a pipe, standard output), which is never replaced.
class AsideFile {
public:
    // What a failed write leaves: the page keeps every whole line before it
    // (`lineEnd` ends each line); a file that must be whole or nothing is
    // dropped at close(), and the previous one stays.
    enum class AfterFailedWrite { KeepWholeLines, DropFile };
    // Whether the file keeps its descriptor open from start to close, or
    // opens it only to write, so a run at its descriptor limit reads its
    // shortcuts with the same room whether this file is written or not.
    enum class Descriptor { HeldOpen, OpenedToWrite };

    // `shownPath` names the file in failures. Raises when the file cannot be made.
    static std::unique_ptr<AsideFile> create(std::u16string_view shownPath, std::string_view lineEnd,
                                             AfterFailedWrite afterFailedWrite, Descriptor descriptor);
    // Into `descriptor`, opened on what `shownPath` names; raises errno when it is -1.
    static std::unique_ptr<AsideFile> writeThrough(int descriptor, std::u16string_view shownPath,
                                                   std::string_view lineEnd);
    ~AsideFile();
    AsideFile(const AsideFile&) = delete;
    AsideFile& operator=(const AsideFile&) = delete;

    // Where the next whole line is put; handOverIfFull() after it.
    std::string& pending();
    void handOverIfFull();
    // Raises the first failed write, once a write has failed.
    void failIfBroken() const;
    // Puts what was written on the disk and in place (see AfterFailedWrite);
    // raises the write's failure, or the failure of the flush or the move. A
    // file moved into place whose folder then could not be put on the disk
    // stands, and that is raised as FolderNotFlushed.
    void close();
    const std::u16string& shownPath() const { return shownPath_; }

private:
    AsideFile(int descriptor, std::filesystem::path temporary, std::filesystem::path target,
              std::u16string shownPath, std::string_view lineEnd, AfterFailedWrite afterFailedWrite);

    void handOver();
    int openForWrite();
    void doneWriting(int descriptor);
    void writeAll(int descriptor);
    void cutToWholeLines(int descriptor, std::size_t done);
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
    std::string lineEnd_;
    AfterFailedWrite afterFailedWrite_;
    std::string pending_;
    // Bytes in the file so far.
    std::uint64_t handedOver_ = 0;
};

} // namespace markroll
