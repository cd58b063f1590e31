#include "generator/PageLines.h"

#include "platform/Failure.h"
#include "platform/Host.h"
#include "text/Cp932.h"

#include <stdexcept>

namespace markroll {

// The page declares Shift_JIS, so its lines are code page 932, ended by CR LF.
// Every line is escaped to what code page 932 holds before it comes here.
void PageLines::write(std::u16string_view line)
{
    encoded_.clear();
    if (!cp932::encodeAppend(line, encoded_))
        throw std::logic_error("a page line holds a character code page 932 lacks");
    encoded_.append("\r\n");
    try {
        page_.write(encoded_);
    } catch (...) {
        const Failure error = currentFailure();
        if (!error.isNotice())
            broken_ = true;
        throw error;
    }
}

} // namespace markroll
