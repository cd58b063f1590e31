#pragma once

#include "LocalPlatform.h"
#include "Module1.h"
#include "TestSupport.h"

#include <functional>

namespace markroll::test {

// The host's platform with a hook before each operation; a hook that throws
// ScriptError makes that operation fail with its number.
class FaultyPlatform {
public:
    FaultyPlatform();
    ~FaultyPlatform();

    std::function<void()> beforeCreateFileSystem;
    std::function<void(const QString& path)> beforeGetFolder;
    std::function<void(const QString& path)> beforeCreateTextFile;
    std::function<void(const QString& line)> beforeWriteLine;
    std::function<void()> beforeCreateScriptShell;
    std::function<void(const QString& path)> beforeCreateShortcut;
    std::function<void(const QString& pattern)> beforeListingStart;
    std::function<void()> beforeListingNext;

    FileSystemFactory& files();
    ScriptShellFactory& shells();
    DirectoryListing& listing();

    struct Adapters;

private:
    LocalPlatform local_;
    std::unique_ptr<Adapters> adapters_;
    friend struct Adapters;
};

// A generator over a FaultyPlatform, with recorded message boxes.
struct GeneratorHarness {
    FixedPaths paths;
    RecordingMessageBoxes boxes;
    FaultyPlatform platform;
    Module1 generator{{paths, boxes, platform.files(), platform.shells(), platform.listing()}};

    // One whole run; returns the page bytes, or "<missing: ...>" when no file.
    QByteArray run(const QString& favorites, const QString& output);
};

// A hook that fails every time with `number`.
std::function<void()> failWith(int number);

} // namespace markroll::test
