#pragma once

#include "platform/Host.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>

namespace markroll {

// The page's file: lines in code page 932, each ended by CR LF, buffered and
// handed to the OS when the buffer fills and by close().
//
// The lines go to a new hidden file beside the target, which close() moves to
// the target's name, replacing whatever entry stands there (a file, a link, a
// pipe or a device) without ever opening it. So the target never holds half a
// page: readers see the previous page until the new one is whole, and two runs
// into one folder leave one whole page.
class Cp932FileStream : public PageFile {
public:
    static std::unique_ptr<Cp932FileStream> create(std::u16string_view path);
    ~Cp932FileStream() override;
    Cp932FileStream(const Cp932FileStream&) = delete;
    Cp932FileStream& operator=(const Cp932FileStream&) = delete;

    void writeLine(std::u16string_view text) override;
    // Puts what was written on the disk and then moves it to the target's
    // name, also after a failed write: the page then holds every line up to
    // the failure, and that failure is raised. A page that cannot be put on
    // the disk is dropped and its failure raised: the previous page stays.
    void close() override;

private:
    Cp932FileStream(int descriptor, std::filesystem::path temporary, std::filesystem::path target, std::u16string path);

    void failIfBroken() const;
    void handOver();
    void cutToWholeLines(std::size_t done);
    void moveIntoPlace();
    void dropTemporary();

    int descriptor_;
    // The first write that failed; every later one is refused with it.
    std::error_code writeFailure_;
    std::filesystem::path temporary_;
    std::filesystem::path target_;
    std::u16string path_;
    std::string pending_;
    // Bytes in the file so far.
    std::uint64_t handedOver_ = 0;
};

} // namespace markroll
