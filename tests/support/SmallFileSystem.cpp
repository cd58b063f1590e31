#include "tests/support/SmallFileSystem.h"

#include "tests/support/Process.h"

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

namespace markroll::test {

FailingDisk::FailingDisk(const std::filesystem::path& folder)
    : folder_(folder), backing_(folder / "backing", "8m")
{
    if (!backing_.mounted())
        return;
    const std::string image = (folder_ / "backing" / "disk.img").string();
    std::filesystem::create_directories(root());
    mounted_ = runProcess({"/usr/bin/truncate", "-s", "64M", image}).status == 0 &&
               runProcess({"/sbin/mkfs.ext4", "-q", "-O", "^has_journal", image}).status == 0 &&
               runProcess({"/bin/mount", "-o", "loop,errors=continue", image, root().string()}).status == 0;
}

FailingDisk::~FailingDisk()
{
    if (mounted_)
        runProcess({"/bin/umount", root().string()});
}

void FailingDisk::fill() const
{
    ::sync();
    runProcess({"/bin/dd", "if=/dev/zero", "of=" + (folder_ / "backing" / "filler").string(), "bs=64k"});
}

} // namespace markroll::test
