#pragma once

#include "platform/files/AsideFile.h"
#include "platform/Host.h"

#include <memory>
#include <string>

namespace markroll {

// The page's file: lines in code page 932, each ended by CR LF, written aside
// and put in place by close() (AsideFile.h), so the target never holds half
// a page and two runs into one folder leave one whole page. A page cut short
// by a failed write still replaces the previous one with every line before
// the failure.
class Cp932FileStream : public OutputFile {
public:
    static std::unique_ptr<Cp932FileStream> create(std::u16string_view path);

    void writeLine(std::u16string_view text) override;
    // Also after a failed write, which is then raised; a page that cannot be
    // put on the disk is dropped and its failure raised: the previous page stays.
    void close() override { file_->close(); }

private:
    explicit Cp932FileStream(std::unique_ptr<AsideFile> file) : file_(std::move(file)) {}

    std::unique_ptr<AsideFile> file_;
};

} // namespace markroll
