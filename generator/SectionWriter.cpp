#include "generator/SectionWriter.h"

#include "generator/BookmarkWriter.h"
#include "generator/FolderShortcuts.h"
#include "generator/Messages.h"
#include "generator/PageFormat.h"
#include "generator/PageLines.h"
#include "generator/RunReport.h"
#include "generator/ShortcutUrl.h"
#include "platform/Failure.h"
#include "platform/Host.h"

#include <optional>

namespace markroll {

// Runs one step of a section. A notice (an unreadable shortcut, a line the code
// page cannot carry) is told inside the page by a notice line
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
        page_.write(page::noticeLine(host_.readableText(page::displayName(currentName))));
        return StepOutcome::RecoveredWithNotice;
    }
    report_.failure(messages::FileOutputFailed, *failure, messages::WarningTitle);
    return StepOutcome::SectionEnded;
}

void SectionWriter::writeFolderSection(const std::u16string& folderPath, bool unlistedByWalk)
{
    constexpr auto Ended = StepOutcome::SectionEnded;
    if (sectionStep({}, [&] { page_.write(page::sectionOpeningLine(host_.readableText(folderPath))); }) == Ended)
        return;
    std::optional<FolderShortcuts> shortcuts;
    if (sectionStep({}, [&] { shortcuts.emplace(host_, folderPath, unlistedByWalk); }) == Ended)
        return;
    if (!writeLinkLines(*shortcuts))
        return;
    sectionStep({}, [&] { page_.write(page::sectionClosingLine()); });
}

// False when a failure ended the section.
bool SectionWriter::writeLinkLines(FolderShortcuts& shortcuts)
{
    constexpr auto Ended = StepOutcome::SectionEnded;
    while (!shortcuts.atEnd()) {
        const ListedEntry& current = shortcuts.current();
        const auto linked = sectionStep(current.name, [&] {
            const std::u16string_view name = page::displayName(current.name);
            const std::u16string url = shortcutUrl(host_, current, shortcuts.path());
            page::linkLineInto(line_, url, host_.readableText(name));
            if (bookmarks_)
                bookmarks_->addLink(current, shortcuts.path(), url);
            page_.write(line_);
        });
        if (linked == Ended)
            return false;
        if (linked == StepOutcome::RecoveredWithNotice && bookmarks_)
            bookmarks_->noteLeftOut();
        const auto fetched = sectionStep(current.name, [&] { shortcuts.next(); });
        if (fetched == Ended)
            return false;
        // A listing that cannot go on ends here rather than repeat a name.
        if (fetched == StepOutcome::RecoveredWithNotice)
            break;
    }
    return true;
}

} // namespace markroll
