#include "HostPath.h"
#include "Messages.h"
#include "Module1.h"
#include "PageFormat.h"
#include "Platform.h"
#include "ScriptError.h"

#include <optional>

namespace markroll {

// Runs one step of a section. Error 5 is told inside the page by a notice line
// naming the current shortcut, and the section goes on; any other failure is
// told in a message box and ends the section. A failure of the notice line
// itself (the empty name before the first shortcut included) is not ours to
// handle: it passes to the page writer.
template <typename Step>
Module1::StepOutcome Module1::sectionStep(std::u16string_view currentName, Step step)
{
    std::optional<ScriptError> failure;
    try {
        step();
        return StepOutcome::Done;
    } catch (...) {
        failure = currentFailure();
    }
    // The page itself could not be written: that is the page writer's to tell, once.
    if (pageWriteFailure_ != 0)
        throw *failure;
    if (failure->number() == InvalidCall) {
        writeLine(page::noticeLine(page::displayName(currentName)));
        return StepOutcome::RecoveredWithNotice;
    }
    report(messages::FileOutputFailed, MessageStyle::Exclamation, messages::WarningTitle, &*failure);
    return StepOutcome::SectionEnded;
}

// A folder the walk could not list is written as an empty section: the walk
// has told of it already. A folder it did list and that cannot be listed
// now (gone, denied) is told here.
void Module1::WriteFolderSection(const std::u16string& folderPath, bool unlistedByWalk)
{
    constexpr auto Ended = StepOutcome::SectionEnded;
    std::unique_ptr<ScriptShell> shell;
    std::unique_ptr<Shortcut> shortcut;
    ListedEntry current;
    DirectoryListing& listing = services_.platform.directoryListing();

    if (sectionStep(current.name, [&] { shell = services_.platform.createScriptShell(); }) == Ended)
        return;
    const std::u16string pattern = joinPath(folderPath, ShortcutMask);
    if (sectionStep(current.name, [&] { writeLine(page::sectionOpeningLine(folderPath)); }) == Ended)
        return;
    const auto listed = sectionStep(current.name, [&] {
        try {
            current = listing.start(pattern);
        } catch (...) {
            if (!unlistedByWalk)
                throw;
        }
    });
    if (listed == Ended)
        return;
    // One path text, as messages show it, and one line serve every shortcut
    // of the folder.
    std::u16string line;
    std::u16string shortcutPath = joinPath(folderPath, u"");
    const std::size_t folderPart = shortcutPath.size();
    while (!current.empty()) {
        shortcutPath.resize(folderPart);
        shortcutPath.append(current.name);
        const auto created =
            sectionStep(current.name, [&] { shortcut = shell->createShortcut(current, shortcutPath); });
        if (created == Ended)
            return;
        // Without this shortcut's own object there is nothing true to link to.
        if (created == StepOutcome::Done) {
            const auto linked = sectionStep(current.name, [&] {
                page::linkLineInto(line, shortcut->targetPath(), page::displayName(current.name));
                writeLine(line);
            });
            if (linked == Ended)
                return;
        }
        const auto fetched = sectionStep(current.name, [&] { listing.next(current); });
        if (fetched == Ended)
            return;
        // A listing that cannot go on ends here rather than repeat a name.
        if (fetched == StepOutcome::RecoveredWithNotice)
            break;
    }
    shell.reset();
    shortcut.reset();
    sectionStep(std::u16string_view(), [&] { writeLine(page::sectionClosingLine()); });
}

} // namespace markroll
