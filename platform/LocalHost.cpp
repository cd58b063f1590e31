#include "platform/LocalHost.h"

#include "platform/files/Cp932FileStream.h"
#include "platform/files/SubfolderListing.h"

namespace markroll {

SubfolderList LocalHost::listSubfolders(std::u16string_view folder) { return markroll::listSubfolders(folder); }

ListedEntry LocalHost::listShortcuts(std::u16string_view folder, std::u16string_view mask)
{
    return listing_.start(folder, mask);
}

const std::u16string& LocalHost::readShortcutUrl(const ListedEntry& entry, std::u16string_view shownPath)
{
    return reader_.readUrl(entry, shownPath);
}

std::unique_ptr<PageFile> LocalHost::createPage(std::u16string_view path) { return Cp932FileStream::create(path); }

} // namespace markroll
