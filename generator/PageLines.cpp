#include "generator/PageLines.h"

#include "platform/Failure.h"
#include "platform/Host.h"

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
