#pragma once

#include "LocalPlatform.h"
#include "LinkPageRun.h"
#include "TestSupport.h"

#include <functional>

namespace markroll::test {

// The host's platform with a hook before each operation; a hook that throws
// Failure makes that operation fail with its number.
class FaultyPlatform : public Platform {
public:
    std::function<void()> beforeCreateFileSystem;
    std::function<void(std::u16string_view path)> beforeGetFolder;
    std::function<void(std::u16string_view path)> beforeCreateTextFile;
    std::function<void(std::u16string_view line)> beforeWriteLine;
    std::function<void()> beforeCreateScriptShell;
    std::function<void(std::u16string_view path)> beforeCreateShortcut;
    std::function<void(std::u16string_view pattern)> beforeListingStart;
    std::function<void()> beforeListingNext;

    std::unique_ptr<FileSystemObject> createFileSystemObject() override;
    std::unique_ptr<ScriptShell> createScriptShell() override;
    DirectoryListing& directoryListing() override;

private:
    class Listing : public DirectoryListing {
    public:
        explicit Listing(FaultyPlatform& owner) : owner_(owner) {}
        ListedEntry start(std::u16string_view pattern) override;
        using DirectoryListing::next;
        void next(ListedEntry& entry) override;

    private:
        FaultyPlatform& owner_;
    };

    LocalPlatform local_;
    Listing listing_{*this};
};

// A generator over a FaultyPlatform, with recorded message boxes.
struct GeneratorHarness {
    FixedPaths paths;
    RecordingMessageBoxes boxes;
    FaultyPlatform platform;
    LinkPageRun generator{{paths, boxes, platform}};
    RunOutcome outcome;

    // One whole run; returns the page bytes, or "<missing: ...>" when no file.
    std::string run(std::u16string_view favorites, std::u16string_view output);
};

// A hook whose OS call fails every time with `error`.
std::function<void()> failWith(std::errc error);

} // namespace markroll::test
