#include "platform/files/DiskScratchFile.h"

#include "platform/Failure.h"
#include "platform/files/AsideFile.h"
#include "platform/files/HostPath.h"
#include "platform/files/PageFileCalls.h"
#include "platform/files/PendingFile.h"

#include <cerrno>
#include <utility>

namespace fs = std::filesystem;

namespace markroll {

using namespace pagefile;

std::unique_ptr<DiskScratchFile> DiskScratchFile::create()
{
    const fs::path folder = temporaryFolder();
    if (folder.empty())
        raiseSystemFailure(ENOENT, u"TMP");
    const pendingfile::TerminationHeld held;
    auto [descriptor, path] = createTemporaryBeside(folder / "scratch");
    if (descriptor < 0)
        raiseSystemFailure(errno, fromFsPath(folder));
    closeDescriptor(descriptor);
    const int slot = pendingfile::track(path);
    return std::unique_ptr<DiskScratchFile>(new DiskScratchFile(std::move(path), slot));
}

DiskScratchFile::DiskScratchFile(fs::path path, int trackedSlot) : path_(std::move(path)), trackedSlot_(trackedSlot) {}

DiskScratchFile::~DiskScratchFile()
{
    if (readDescriptor_ >= 0)
        closeDescriptor(readDescriptor_);
    removeEntry(path_);
    pendingfile::untrack(trackedSlot_);
}

void DiskScratchFile::raise(int osError) const { raiseSystemFailure(osError, fromFsPath(path_)); }

void DiskScratchFile::append(std::string_view bytes)
{
    const int descriptor = openToAppend(path_);
    if (descriptor < 0)
        raise(errno);
    while (!bytes.empty()) {
        const long written = writeSome(descriptor, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            const int osError = written < 0 ? errno : ENOSPC;
            closeDescriptor(descriptor);
            raise(osError);
        }
        bytes.remove_prefix(std::size_t(written));
    }
    if (closeDescriptor(descriptor) != 0)
        raise(errno);
}

void DiskScratchFile::read(std::uint64_t offset, std::span<char> into)
{
    if (readDescriptor_ < 0 && (readDescriptor_ = openToRead(path_)) < 0)
        raise(errno);
    while (!into.empty()) {
        const long got = readSomeAt(readDescriptor_, into.data(), into.size(), offset);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            raise(got < 0 ? errno : EIO);
        into = into.subspan(std::size_t(got));
        offset += std::uint64_t(got);
    }
}

} // namespace markroll
