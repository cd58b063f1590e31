#pragma once

#include <string>
#include <string_view>

namespace markroll {

class OutputFile;

// The page's lines, as the page writer and the section writer write them. A
// failed write is remembered, since after it the page ends: every later line
// would be lost as well.
class PageLines {
public:
    explicit PageLines(OutputFile& page) : page_(page) {}
    void write(std::u16string_view line);
    bool broken() const { return broken_; }

private:
    OutputFile& page_;
    bool broken_ = false;
    // Reused from line to line.
    std::string encoded_;
};

} // namespace markroll
