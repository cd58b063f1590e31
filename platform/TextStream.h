#pragma once

#include <string_view>

namespace markroll {

// An output text file written in code page 932, one line per call with CR LF.
// Every failure is a Failure: UnencodableText for a line that cannot be
// encoded (nothing of that line is written), the OS's failure otherwise.
class TextStream {
public:
    virtual ~TextStream() = default;
    virtual void writeLine(std::u16string_view text) = 0;
    // Hands every line written so far to the OS.
    virtual void flush() = 0;
    // Ends the file: what was written stands under the file's name, also when
    // a write failed on the way, and that failure is raised again.
    virtual void close() = 0;
};

} // namespace markroll
