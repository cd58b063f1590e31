#include "PageLines.h"

#include "ScriptError.h"
#include "TextStream.h"

namespace markroll {

void PageLines::write(std::u16string_view line)
{
    try {
        stream_.writeLine(line);
    } catch (...) {
        const ScriptError error = currentFailure();
        if (error.number() != InvalidCall)
            broken_ = true;
        throw error;
    }
}

} // namespace markroll
