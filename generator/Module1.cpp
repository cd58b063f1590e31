#include "Module1.h"

#include "Messages.h"
#include "MessageBoxes.h"
#include "PathBoxes.h"
#include "ScriptError.h"

namespace markroll {

Module1::Module1(GeneratorServices services) : services_(services) {}

void Module1::MakeLinkPage()
{
    try {
        state_.FolderList.clear();
        state_.FolderCount = 1;
        const QString favorites = services_.paths.favoriteText();
        state_.FolderList.store(0, favorites);
        CollectFolders(favorites);
        // A page that could not be written is no completion, whatever the walk did.
        if (!WriteLinkPage())
            return;
        report(messages::completed(), InformationMessage);
    } catch (const ScriptError&) {
        report(messages::errorOccurred(), ExclamationMessage);
    }
}

// Whatever has been written reaches the file before the user is told anything,
// so a page cut short by a failure keeps every line up to it.
void Module1::report(const QString& text, MessageStyle style, const QString& title)
{
    if (state_.PageStream) {
        try {
            state_.PageStream->flush();
        } catch (const ScriptError&) {
            // The message about to be shown covers it.
        }
    }
    services_.boxes.show(text, style, title);
}

} // namespace markroll
