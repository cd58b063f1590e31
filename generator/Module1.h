#pragma once

#include "FolderTable.h"
#include "MessageBoxes.h"
#include "RunOutcome.h"

#include <bitset>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace markroll {

class PathBoxes;
class Platform;
class ScriptError;

// What the generator reaches the outside world through.
struct GeneratorServices {
    PathBoxes& paths;
    MessageBoxes& boxes;
    Platform& platform;
};

// The link page generator: walks the Favorites tree into the folder table and
// writes "ALL_Favorites_Link.htm" from it. Every procedure reports its own
// failures in a message box and returns normally.
class Module1 {
public:
    explicit Module1(GeneratorServices services);

    // One whole run: collect, write, report completion.
    RunOutcome MakeLinkPage();
    void CollectFolders(const std::u16string& path);
    // True when the page was written to its end and closed.
    bool WriteLinkPage();
    void WriteFolderSection(const std::u16string& folderPath, bool unlistedByWalk = false);

    FolderTable& state() { return state_; }
    const FolderTable& state() const { return state_; }

    // Told after every folder section: sections done, folders in the table.
    std::function<void(int done, int total)> onSectionWritten;
    // Told of the failure behind each failure message, just before it is shown.
    std::function<void(const ScriptError& cause)> onFailure;

private:
    struct PendingFolder;
    void enterFolder(const std::u16string& path, int slot, std::vector<PendingFolder>& pending);
    enum class StepOutcome { Done, RecoveredWithNotice, SectionEnded };
    template <typename Step>
    StepOutcome sectionStep(std::u16string_view currentName, Step step);
    int tableSize() const;
    void writeLine(std::u16string_view text);
    void closePageAfterFailure();
    void lastResort() noexcept;
    void report(std::u16string_view text, MessageStyle style, std::u16string_view title = {},
                const ScriptError* cause = nullptr);

    GeneratorServices services_;
    FolderTable state_;
    RunOutcome outcome_;
    // The number of the first failed write to the page (0: none). After it the
    // page ends: every later line would be lost as well.
    int pageWriteFailure_ = 0;
    // Whether the Favorites folder could not be listed, and which folders of
    // the table the walk could not list (and so has told of already).
    bool favoritesUnreadable_ = false;
    std::bitset<FolderSlots::Capacity> unlistedByWalk_;
};

} // namespace markroll
