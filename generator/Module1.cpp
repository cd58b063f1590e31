#include "Module1.h"

#include "Messages.h"
#include "PathBoxes.h"
#include "ScriptError.h"

namespace markroll {

Module1::Module1(GeneratorServices services) : services_(services) {}

// A Favorites folder that cannot be read (mistyped, or on a drive that is not
// there) gives no page at all: the previous page stays as it was.
RunOutcome Module1::MakeLinkPage()
{
    outcome_ = {};
    favoritesUnreadable_ = false;
    unlistedByWalk_.reset();
    try {
        state_.FolderList.clear();
        state_.FolderCount = 1;
        const std::u16string favorites = services_.paths.favoriteText();
        state_.FolderList.store(0, favorites);
        CollectFolders(favorites);
        if (favoritesUnreadable_)
            return outcome_;
        // A page that could not be written is no completion, whatever the walk did.
        if (WriteLinkPage())
            report(messages::Completed, MessageStyle::Information);
    } catch (...) {
        try {
            const ScriptError error = currentFailure();
            report(messages::ErrorOccurred, MessageStyle::Exclamation, {}, &error);
        } catch (...) {
            lastResort();
        }
        // An unfinished page left by a failure past every handler is dropped,
        // so its hidden file does not outlive the run; the previous page stays.
        state_.PageStream.reset();
    }
    return outcome_;
}

// Even telling of the failure failed (no memory left for it, say): the run
// still says it failed.
void Module1::lastResort() noexcept
{
    outcome_.failuresReported = true;
    try {
        services_.boxes.show(messages::ErrorOccurred, MessageStyle::Exclamation);
    } catch (...) {
    }
}

void Module1::report(std::u16string_view text, MessageStyle style, std::u16string_view title, const ScriptError* cause)
{
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
    } catch (...) {
        // Error 5 is a line that could not be encoded; the stream itself is fine.
        const ScriptError error = currentFailure();
        if (error.number() != InvalidCall && pageWriteFailure_ == 0)
            pageWriteFailure_ = error.number();
        throw error;
    }
}

} // namespace markroll
