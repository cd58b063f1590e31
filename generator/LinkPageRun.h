#pragma once

#include "generator/FolderList.h"
#include "generator/MessageBoxes.h"
#include "generator/RunOutcome.h"
#include "generator/RunPaths.h"

#include <functional>
#include <optional>
#include <string>

namespace markroll {

class RunReport;
class Host;
class Failure;

// What a run reaches the outside world through.
struct RunServices {
    MessageBoxes& boxes;
    Host& host;
};

// One generation: walks the Favorites tree into the folder list, writes
// "ALL_Favorites_Link.htm" from it and says it is done. Every failure is told
// in a message where it happens, and the run goes on where it can; nothing
// leaves run().
class LinkPageRun {
public:
    explicit LinkPageRun(RunServices services) : services_(services) {}

    RunOutcome run(const RunPaths& paths);
    // Every later run also writes the whole tree as a bookmark file at
    // `path`, when its page is written.
    void writeBookmarksTo(std::u16string path) { bookmarkPath_ = std::move(path); }
    // What the last run's bookmark file holds and could not hold, once it
    // was put in place.
    std::size_t bookmarked() const { return bookmarked_; }
    std::size_t bookmarksLeftOut() const { return bookmarksLeftOut_; }
    // The folders of the last run.
    const FolderList& folders() const { return folders_; }

    // Told after every folder section: sections done, folders in the list.
    std::function<void(int done, int total)> onSectionWritten;

private:
    RunOutcome::Page walkAndWrite(const RunPaths& paths, RunReport& report);

    RunServices services_;
    FolderList folders_;
    std::optional<std::u16string> bookmarkPath_;
    // Shortcuts the last bookmark file put in place could not hold.
    std::size_t bookmarksLeftOut_ = 0;
    std::size_t bookmarked_ = 0;
};

} // namespace markroll
