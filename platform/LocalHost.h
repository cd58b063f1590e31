#pragma once

#include "platform/files/ShortcutListing.h"
#include "platform/Host.h"
#include "platform/shortcuts/ShortcutFileReader.h"

namespace markroll {

// The machine the program runs on: its folders, its shortcut files, the page's
// file and the bookmark file.
class LocalHost : public Host {
public:
    std::u16string joinPath(std::u16string_view parent, std::u16string_view child) const override;
    char16_t separator() const override;
    std::u16string readableText(std::u16string_view text) const override;
    SubfolderList listSubfolders(std::u16string_view folder) override;
    ListedEntry listShortcuts(std::u16string_view folder) override;
    void nextShortcut(ListedEntry& entry) override { listing_.next(entry); }
    std::string_view readListedFile(const ListedEntry& entry, std::size_t limit, std::u16string_view shownPath) override;
    std::unique_ptr<OutputFile> createOutputFile(std::u16string_view path, OutputFileKind kind) override;
    std::unique_ptr<ScratchFile> createScratchFile() override;
    std::u16string resolvedPath(std::u16string_view path) override;
    FileTimes timesOf(std::u16string_view path) override;
    FileTimes timesOf(const ListedEntry& entry, std::u16string_view shownPath) override;
    std::optional<FileIdentity> identityOf(std::u16string_view path) override;

private:
    ShortcutListing listing_;
    ShortcutFileReader reader_;
};

} // namespace markroll
