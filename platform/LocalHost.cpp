#include "platform/LocalHost.h"

#include "platform/files/AsideFile.h"
#include "platform/files/DiskScratchFile.h"
#include "platform/files/FileTimes.h"
#include "platform/files/HostPath.h"
#include "platform/files/PageFileCalls.h"
#include "platform/files/SamePlace.h"
#include "platform/files/SubfolderListing.h"

namespace markroll {

std::u16string LocalHost::joinPath(std::u16string_view parent, std::u16string_view child) const
{
    return markroll::joinPath(parent, child);
}

char16_t LocalHost::separator() const { return hostSeparator(); }

std::u16string LocalHost::readableText(std::u16string_view text) const
{
    return isReadableAsIs(text) ? std::u16string(text) : readableHostText(text);
}

SubfolderList LocalHost::listSubfolders(std::u16string_view folder) { return markroll::listSubfolders(folder); }

ListedEntry LocalHost::listShortcuts(std::u16string_view folder) { return listing_.start(folder); }

// A read that had to wait for the disk is told to the listing, which then
// reads ahead; the reader itself knows nothing of listings.
std::string_view LocalHost::readListedFile(const ListedEntry& entry, std::size_t limit, std::u16string_view shownPath)
{
    struct ColdReadTold {
        ~ColdReadTold()
        {
            if (reader.lastReadWaitedForDisk())
                listing.noteColdRead();
        }
        const ShortcutFileReader& reader;
        ShortcutListing& listing;
    } told{reader_, listing_};
    return reader_.read(entry, limit, shownPath);
}

// What the user named to receive the bookmarks as they come (standard output,
// /dev/null, a pipe) is written into, never replaced by a file. The page
// keeps its rule: whatever stands at its name is replaced.
std::unique_ptr<OutputFile> LocalHost::createOutputFile(std::u16string_view path, OutputFileKind kind)
{
    if (kind == OutputFileKind::BookmarkFile) {
        if (path == u"-" || leadsToStandardOutput(path))
            return AsideFile::writeThrough(pagefile::duplicateStandardOutput(), path);
        if (pagefile::isDeviceOrPipe(path))
            return AsideFile::writeThrough(pagefile::openThrough(path), path);
    }
    return AsideFile::create(path, kind);
}

std::unique_ptr<ScratchFile> LocalHost::createScratchFile() { return DiskScratchFile::create(); }

std::u16string LocalHost::resolvedPath(std::u16string_view path) { return resolvedHostPath(path); }

FileTimes LocalHost::timesOf(std::u16string_view path) { return fileTimesOf(path); }

FileTimes LocalHost::timesOf(const ListedEntry& entry, std::u16string_view shownPath)
{
    return fileTimesOf(entry, shownPath);
}

std::optional<FileIdentity> LocalHost::identityOf(std::u16string_view path) { return markroll::identityOf(path); }

} // namespace markroll
