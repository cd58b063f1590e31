#include "SmallFileSystem.h"

#include "Process.h"

#include <unistd.h>

namespace markroll::test {

SmallFileSystem::SmallFileSystem(std::filesystem::path folder, const std::string& size) : folder_(std::move(folder))
{
    std::filesystem::create_directories(folder_);
    mounted_ = geteuid() == 0
        && runProcess({"/bin/mount", "-t", "tmpfs", "-o", "size=" + size, "tmpfs", folder_.string()}).status == 0;
}

SmallFileSystem::~SmallFileSystem()
{
    if (mounted_)
        runProcess({"/bin/umount", folder_.string()});
}

} // namespace markroll::test
