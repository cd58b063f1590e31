#pragma once

#include <string_view>

namespace markroll {

class TextStream;

// The page's lines, as the page writer and the section writer write them. A
// line that cannot be encoded (5) leaves the stream as it was; any other
// failed write is remembered, since after it the page ends: every later line
// would be lost as well.
class PageLines {
public:
    explicit PageLines(TextStream& stream) : stream_(stream) {}
    void write(std::u16string_view line);
    bool broken() const { return broken_; }

private:
    TextStream& stream_;
    bool broken_ = false;
};

} // namespace markroll
