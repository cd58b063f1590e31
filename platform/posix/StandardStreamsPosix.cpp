#include "platform/files/StandardStreams.h"

#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

namespace markroll {

bool isStandardStreamOpen(int descriptor) { return ::fcntl(descriptor, F_GETFD) != -1 || errno != EBADF; }

// Without a null device (a bare chroot) the root folder still holds the number.
void takeStandardStreamNumber(int descriptor)
{
    int placeholder = ::open("/dev/null", descriptor == 0 ? O_RDONLY : O_WRONLY);
    if (placeholder < 0)
        placeholder = ::open("/", O_PATH);
    if (placeholder >= 0 && placeholder != descriptor) {
        ::dup2(placeholder, descriptor);
        ::close(placeholder);
    }
}

void writeToStandardError(const char* bytes, std::size_t size) noexcept
{
    [[maybe_unused]] const auto written = ::write(2, bytes, size);
}

} // namespace markroll
