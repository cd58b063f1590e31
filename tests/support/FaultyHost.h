#pragma once

#include "generator/LinkPageRun.h"
#include "platform/LocalHost.h"
#include "tests/support/TestSupport.h"

#include <functional>

namespace markroll::test {

// The machine's own host with a hook before each operation; a hook that
// throws makes that operation fail with what it threw.
class FaultyHost : public Host {
public:
    std::function<void(std::u16string_view folder)> beforeListSubfolders;
    std::function<void(std::u16string_view folder)> beforeListShortcuts;
    std::function<void()> beforeNextShortcut;
    std::function<void(std::u16string_view shownPath)> beforeReadShortcut;
    std::function<void(std::u16string_view path)> beforeCreatePage;
    std::function<void(std::u16string_view line)> beforeWriteLine;
    std::function<void(std::u16string_view path)> beforeCreateBookmarkFile;
    std::function<void(std::u16string_view line)> beforeWriteBookmarkLine;

    std::u16string joinPath(std::u16string_view parent, std::u16string_view child) const override
    {
        return local_.joinPath(parent, child);
    }
    char16_t separator() const override { return local_.separator(); }
    std::u16string readableText(std::u16string_view text) const override { return local_.readableText(text); }
    SubfolderList listSubfolders(std::u16string_view folder) override;
    ListedEntry listShortcuts(std::u16string_view folder) override;
    void nextShortcut(ListedEntry& entry) override;
    std::string_view readListedFile(const ListedEntry& entry, std::size_t limit, std::u16string_view shownPath) override;
    std::unique_ptr<OutputFile> createOutputFile(std::u16string_view path, OutputFileKind kind) override;
    std::unique_ptr<ScratchFile> createScratchFile() override { return local_.createScratchFile(); }
    std::u16string resolvedPath(std::u16string_view path) override { return local_.resolvedPath(path); }
    FileTimes timesOf(std::u16string_view path) override { return local_.timesOf(path); }
    FileTimes timesOf(const ListedEntry& entry, std::u16string_view shownPath) override
    {
        return local_.timesOf(entry, shownPath);
    }
    std::optional<FileIdentity> identityOf(std::u16string_view path) override { return local_.identityOf(path); }

private:
    LocalHost local_;
};

// A run over a FaultyHost, with recorded message boxes.
struct GeneratorHarness {
    RunPaths paths;
    RecordingMessageBoxes boxes;
    FaultyHost host;
    LinkPageRun generator{{boxes, host}};
    RunOutcome outcome;

    // One whole run; returns the page bytes, or "<missing: ...>" when no file.
    std::string run(std::u16string_view favorites, std::u16string_view output);
};

// A hook whose OS call fails every time with `error`.
std::function<void()> failWith(std::errc error);

} // namespace markroll::test
