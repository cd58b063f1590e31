#include "platform/files/StandardStreams.h"

namespace markroll {

// Each system's own, in StandardStreamsPosix.cpp or StandardStreamsWindows.cpp.
bool isStandardStreamOpen(int descriptor);
// The lower numbers are taken already, so what is opened takes this one.
void takeStandardStreamNumber(int descriptor);

ClosedStandardStreams openClosedStandardStreams() noexcept
{
    bool closed[3] = {};
    for (int descriptor = 0; descriptor < 3; ++descriptor) {
        closed[descriptor] = !isStandardStreamOpen(descriptor);
        if (closed[descriptor])
            takeStandardStreamNumber(descriptor);
    }
    return {closed[0], closed[1], closed[2]};
}

} // namespace markroll
