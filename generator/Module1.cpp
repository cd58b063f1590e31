#include "Module1.h"

#include "Messages.h"
#include "PathBoxes.h"
#include "ScriptError.h"

namespace markroll {

Module1::Module1(GeneratorServices services) : services_(services) {}

RunOutcome Module1::MakeLinkPage()
{
    outcome_ = {};
    try {
        state_.FolderList.clear();
        state_.FolderCount = 1;
        const std::u16string favorites = services_.paths.favoriteText();
        state_.FolderList.store(0, favorites);
        CollectFolders(favorites);
        // A page that could not be written is no completion, whatever the walk did.
        if (WriteLinkPage())
            report(messages::Completed, MessageStyle::Information);
    } catch (const ScriptError& error) {
        report(messages::ErrorOccurred, MessageStyle::Exclamation, {}, &error);
    }
    return outcome_;
}

// Whatever has been written reaches the file before the user is told anything,
// so a page cut short by a failure keeps every line up to it.
void Module1::report(std::u16string_view text, MessageStyle style, std::u16string_view title, const ScriptError* cause)
{
    if (state_.PageStream) {
        try {
            state_.PageStream->flush();
        } catch (const ScriptError& error) {
            // The message about to be shown covers it; the page ends there.
            if (pageWriteFailure_ == 0)
                pageWriteFailure_ = error.number();
        }
    }
    if (style == MessageStyle::Information)
        outcome_.completed = true;
    else
        outcome_.failuresReported = true;
    if (cause && onFailure)
        onFailure(*cause);
    services_.boxes.show(text, style, title);
}

// Every line of the page goes through here, so a failed write is known.
void Module1::writeLine(std::u16string_view text)
{
    try {
        state_.PageStream->writeLine(text);
    } catch (const ScriptError& error) {
        // Error 5 is a line that could not be encoded; the stream itself is fine.
        if (error.number() != InvalidCall && pageWriteFailure_ == 0)
            pageWriteFailure_ = error.number();
        throw;
    }
}

} // namespace markroll
