#pragma once

#include "TextStream.h"

#include <memory>
#include <string>

namespace markroll {

// The page's text stream: lines in code page 932, each ended by CR LF, buffered
// and handed to the OS by flush(), close() or when the buffer fills.
class Cp932FileStream : public TextStream {
public:
    // Replaces the directory entry `path`; a symbolic link there is itself
    // replaced, and the file it points to is never opened.
    static std::unique_ptr<Cp932FileStream> create(std::u16string_view path, bool overwrite);
    ~Cp932FileStream() override;
    Cp932FileStream(const Cp932FileStream&) = delete;
    Cp932FileStream& operator=(const Cp932FileStream&) = delete;

    void writeLine(std::u16string_view text) override;
    void flush() override;
    void close() override;

private:
    Cp932FileStream(int descriptor, std::u16string path);

    void failIfBroken() const;

    int descriptor_;
    int failedWith_ = 0;
    std::u16string path_;
    std::string pending_;
};

} // namespace markroll
