#include "platform/LocalHost.h"

#include "platform/files/Cp932FileStream.h"
#include "platform/files/SubfolderListing.h"

namespace markroll {

SubfolderList LocalHost::listSubfolders(std::u16string_view folder) { return markroll::listSubfolders(folder); }

ListedEntry LocalHost::listShortcuts(std::u16string_view folder, std::u16string_view mask)
{
    return listing_.start(folder, mask);
}

// A read that had to wait for the disk is told to the listing, which then
// reads ahead; the reader itself knows nothing of listings.
const std::u16string& LocalHost::readShortcutUrl(const ListedEntry& entry, std::u16string_view shownPath)
{
    struct ColdReadTold {
        ~ColdReadTold()
        {
            if (reader.lastReadWaitedForDisk() && listed)
                listing.noteColdRead();
        }
        const InternetShortcutReader& reader;
        LocalDirectoryListing& listing;
        bool listed;
    } told{reader_, listing_, entry.folder != nullptr};
    return reader_.readUrl(entry, shownPath);
}

std::unique_ptr<PageFile> LocalHost::createPage(std::u16string_view path) { return Cp932FileStream::create(path); }

} // namespace markroll
