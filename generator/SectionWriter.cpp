#include "SectionWriter.h"

#include "HostPath.h"
#include "Messages.h"
#include "PageFormat.h"
#include "PageLines.h"
#include "Platform.h"
#include "RunReport.h"
#include "Failure.h"

#include <optional>

namespace markroll {

// Runs one step of a section. Error 5 is told inside the page by a notice line
// naming the current shortcut (the empty name before the first shortcut
// cannot be named, and fails too).
template <typename Step>
SectionWriter::StepOutcome SectionWriter::sectionStep(std::u16string_view currentName, Step step)
{
    std::optional<Failure> failure;
    try {
        step();
        return StepOutcome::Done;
    } catch (...) {
        failure = currentFailure();
    }
    if (page_.broken())
        throw *failure;
    if (failure->isNotice()) {
        page_.write(page::noticeLine(page::displayName(currentName)));
        return StepOutcome::RecoveredWithNotice;
    }
    report_.failure(messages::FileOutputFailed, *failure, messages::WarningTitle);
    return StepOutcome::SectionEnded;
}

void SectionWriter::writeFolderSection(const std::u16string& folderPath, bool unlistedByWalk)
{
    constexpr auto Ended = StepOutcome::SectionEnded;
    std::unique_ptr<ScriptShell> shell;
    ListedEntry current;
    if (sectionStep(current.name, [&] { shell = platform_.createScriptShell(); }) == Ended)
        return;
    if (sectionStep(current.name, [&] { page_.write(page::sectionOpeningLine(folderPath)); }) == Ended)
        return;
    if (sectionStep(current.name, [&] { current = startListing(folderPath, unlistedByWalk); }) == Ended)
        return;
    if (!writeLinkLines(*shell, folderPath, current))
        return;
    shell.reset();
    sectionStep(std::u16string_view(), [&] { page_.write(page::sectionClosingLine()); });
}

ListedEntry SectionWriter::startListing(const std::u16string& folderPath, bool unlistedByWalk)
{
    try {
        return platform_.directoryListing().start(joinPath(folderPath, ShortcutMask));
    } catch (...) {
        if (!unlistedByWalk)
            throw;
        return {};
    }
}

// False when a failure ended the section.
bool SectionWriter::writeLinkLines(ScriptShell& shell, const std::u16string& folderPath, ListedEntry& current)
{
    constexpr auto Ended = StepOutcome::SectionEnded;
    DirectoryListing& listing = platform_.directoryListing();
    std::unique_ptr<Shortcut> shortcut;
    // One path text, as messages show it, serves every shortcut of the folder.
    std::u16string shortcutPath = joinPath(folderPath, u"");
    const std::size_t folderPart = shortcutPath.size();
    while (!current.empty()) {
        shortcutPath.resize(folderPart);
        shortcutPath.append(current.name);
        const auto created = sectionStep(current.name, [&] { shortcut = shell.createShortcut(current, shortcutPath); });
        if (created == Ended)
            return false;
        // Without this shortcut's own object there is nothing true to link to.
        if (created == StepOutcome::Done && sectionStep(current.name, [&] {
                page::linkLineInto(line_, shortcut->targetPath(), page::displayName(current.name));
                page_.write(line_);
            }) == Ended)
            return false;
        const auto fetched = sectionStep(current.name, [&] { listing.next(current); });
        if (fetched == Ended)
            return false;
        // A listing that cannot go on ends here rather than repeat a name.
        if (fetched == StepOutcome::RecoveredWithNotice)
            break;
    }
    return true;
}

} // namespace markroll
