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
// a link, a pipe or a device) without ever opening it. Readers see the
// previous file until the new one is whole; a file dropped without close()
// leaves nothing behind.
class AsideFile {
public:
    // What a failed write leaves: the page keeps every whole line before it
    // (`lineEnd` ends each line); a file that must be whole or nothing is
    // dropped at close(), and the previous one stays.
    enum class AfterFailedWrite { KeepWholeLines, DropFile };

    // `shownPath` names the file in failures. Raises when the file cannot be made.
    static std::unique_ptr<AsideFile> create(std::u16string_view shownPath, std::string_view lineEnd,
                                             AfterFailedWrite afterFailedWrite);
    ~AsideFile();
    AsideFile(const AsideFile&) = delete;
    AsideFile& operator=(const AsideFile&) = delete;

    // Where the next whole line is put; handOverIfFull() after it.
    std::string& pending();
    void handOverIfFull();
    // Raises the first failed write, once a write has failed.
    void failIfBroken() const;
    // Puts what was written on the disk and in place (see AfterFailedWrite);
    // raises the write's failure, or the failure of the flush or the move.
    void close();
    const std::u16string& shownPath() const { return shownPath_; }

private:
    AsideFile(int descriptor, int trackedSlot, std::filesystem::path temporary, std::filesystem::path target,
              std::u16string shownPath, std::string_view lineEnd, AfterFailedWrite afterFailedWrite);

    void handOver();
    void cutToWholeLines(std::size_t done);
    void moveIntoPlace();
    void dropTemporary();

    int descriptor_;
    int trackedSlot_;
    // The first write that failed; every later one is refused with it.
    std::error_code writeFailure_;
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
