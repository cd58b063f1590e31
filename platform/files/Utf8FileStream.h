#pragma once

#include "platform/files/AsideFile.h"
#include "platform/Host.h"

#include <memory>
#include <string>

namespace markroll {

// The bookmark file: lines in UTF-8, each ended by LF, written aside and put
// in place by close() only when every line was written (AsideFile.h). Written
// through instead when its path is "-" or leads to standard output, a device
// or a pipe.
class Utf8FileStream : public OutputFile {
public:
    static std::unique_ptr<Utf8FileStream> create(std::u16string_view path);

    void writeLine(std::u16string_view text) override;
    void close() override { file_->close(); }

private:
    explicit Utf8FileStream(std::unique_ptr<AsideFile> file) : file_(std::move(file)) {}

    std::unique_ptr<AsideFile> file_;
};

} // namespace markroll
