#include "PageLines.h"

#include "Failure.h"
#include "Host.h"

namespace markroll {

void PageLines::write(std::u16string_view line)
{
    try {
        page_.writeLine(line);
    } catch (...) {
        const Failure error = currentFailure();
        if (!error.isNotice())
            broken_ = true;
        throw error;
    }
}

} // namespace markroll
