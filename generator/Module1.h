#pragma once

#include "FolderTable.h"
#include "MessageBoxes.h"

#include <QString>
#include <functional>

namespace markroll {

class DirectoryListing;
class FileSystemFactory;
class PathBoxes;
class ScriptShellFactory;

// What the generator reaches the outside world through.
struct GeneratorServices {
    PathBoxes& paths;
    MessageBoxes& boxes;
    FileSystemFactory& files;
    ScriptShellFactory& shells;
    DirectoryListing& listing;
};

// The link page generator: walks the Favorites tree into the folder table and
// writes "ALL_Favorites_Link.htm" from it. Every procedure reports its own
// failures in a message box and returns normally.
class Module1 {
public:
    explicit Module1(GeneratorServices services);

    // One whole run: collect, write, report completion.
    void MakeLinkPage();
    void CollectFolders(const QString& path);
    // True when the page was written to its end and closed.
    bool WriteLinkPage();
    void WriteFolderSection(const QString& folderPath);

    FolderTable& state() { return state_; }
    const FolderTable& state() const { return state_; }

    // Told after every folder section: sections done, folders in the table.
    std::function<void(int done, int total)> onSectionWritten;

private:
    enum class StepOutcome { Done, RecoveredWithNotice, SectionEnded };
    template <typename Step>
    StepOutcome sectionStep(const QString& currentName, Step step);
    void writeFolderSectionBody(const QString& folderPath);
    int tableSize() const;
    void report(const QString& text, MessageStyle style, const QString& title = {});

    GeneratorServices services_;
    FolderTable state_;
};

} // namespace markroll
