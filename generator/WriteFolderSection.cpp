#include "Module1.h"

#include "DirectoryListing.h"
#include "FileServices.h"
#include "HostPath.h"
#include "Messages.h"
#include "MessageBoxes.h"
#include "PageFormat.h"
#include "ScriptError.h"
#include "ScriptShell.h"

namespace markroll {

// Runs one step of a section. Error 5 is told inside the page by a notice line
// naming the current shortcut, and the section goes on; any other failure is
// told in a message box and ends the section. A failure of the notice line
// itself (the empty name before the first shortcut included) is not ours to
// handle: it passes to the page writer.
template <typename Step>
Module1::StepOutcome Module1::sectionStep(const QString& currentName, Step step)
{
    int number = 0;
    try {
        step();
        return StepOutcome::Done;
    } catch (const ScriptError& error) {
        number = error.number();
    }
    if (number == InvalidCall) {
        state_.PageStream->writeLine(page::noticeLine(page::displayName(currentName)));
        return StepOutcome::RecoveredWithNotice;
    }
    report(messages::fileOutputFailed(), ExclamationMessage, messages::warningTitle());
    return StepOutcome::SectionEnded;
}

void Module1::WriteFolderSection(const QString& folderPath)
{
    constexpr auto Ended = StepOutcome::SectionEnded;
    std::unique_ptr<ScriptShell> shell;
    std::unique_ptr<Shortcut> shortcut;
    QString current;
    TextStream& stream = *state_.PageStream;

    if (sectionStep(current, [&] { shell = services_.shells.createScriptShell(); }) == Ended)
        return;
    const QString pattern = joinPath(folderPath, QStringLiteral("*.url"));
    if (sectionStep(current, [&] { stream.writeLine(page::sectionOpeningLine(folderPath)); }) == Ended)
        return;
    if (sectionStep(current, [&] { current = services_.listing.start(pattern); }) == Ended)
        return;
    while (!current.isEmpty()) {
        const auto created = sectionStep(current, [&] {
            shortcut = shell->createShortcut(joinPath(folderPath, current));
        });
        if (created == Ended)
            return;
        // Without this shortcut's own object there is nothing true to link to.
        if (created == StepOutcome::Done) {
            const auto linked = sectionStep(current, [&] {
                stream.writeLine(page::linkLine(shortcut->targetPath(), page::displayName(current)));
            });
            if (linked == Ended)
                return;
        }
        const auto fetched = sectionStep(current, [&] { current = services_.listing.next(); });
        if (fetched == Ended)
            return;
        // A listing that cannot go on ends here rather than repeat a name.
        if (fetched == StepOutcome::RecoveredWithNotice)
            break;
    }
    shell.reset();
    shortcut.reset();
    sectionStep(QString(), [&] { stream.writeLine(page::sectionClosingLine()); });
}

} // namespace markroll
