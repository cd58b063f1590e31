#include "platform/files/StandardStreams.h"

#include <fcntl.h>
#include <io.h>

namespace markroll {

// The C runtime's descriptors 0 to 2 are what stdio writes through, and the
// page is opened as a C runtime descriptor too.
bool isStandardStreamOpen(int descriptor) { return _get_osfhandle(descriptor) != -1; }

void takeStandardStreamNumber(int descriptor)
{
    const int placeholder = _open("NUL", descriptor == 0 ? _O_RDONLY : _O_WRONLY);
    if (placeholder >= 0 && placeholder != descriptor) {
        _dup2(placeholder, descriptor);
        _close(placeholder);
    }
}

void writeToStandardError(const char* bytes, std::size_t size) noexcept { _write(2, bytes, unsigned(size)); }

} // namespace markroll
