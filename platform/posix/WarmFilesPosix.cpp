#include "platform/files/WarmFiles.h"

#include "platform/posix/ListedFolderPosix.h"
#include "platform/files/FreeDescriptors.h"

#include <fcntl.h>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

namespace markroll {
namespace {

// Each helper holds a file open for a moment, and a job the folder of an
// abandoned listing. Were those the last descriptors free, the generator's
// own read would fail, and which one would depend on timing. So the helpers
// start only with this many free, counted as they are (a parent may have
// left many open): far more than they and the generator hold at once.
constexpr int DescriptorsFreeForHelpers = 64;

} // namespace

bool roomForWarmingHelpers() { return descriptorsFree(DescriptorsFreeForHelpers); }

void nameWarmingHelper() noexcept { pthread_setname_np(pthread_self(), "markroll-warm"); }

// Opening pulls in the file's inode, the advice its bytes; both are what a
// cold disk is slow at.
void warmFile(const ListedFolder& folder, const HostName& listed) noexcept
{
    const int file = ::openat(folder.descriptor(), listed.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (file < 0)
        return;
    struct stat status {};
    if (::fstat(file, &status) == 0 && S_ISREG(status.st_mode))
        ::posix_fadvise(file, 0, status.st_size, POSIX_FADV_WILLNEED);
    ::close(file);
}

} // namespace markroll
