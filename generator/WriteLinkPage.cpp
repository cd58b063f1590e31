#include "HostPath.h"
#include "Messages.h"
#include "Module1.h"
#include "PageFormat.h"
#include "PathBoxes.h"
#include "Platform.h"
#include "ScriptError.h"

namespace markroll {

bool Module1::WriteLinkPage()
{
    try {
        const std::u16string pagePath = joinPath(services_.paths.outputText(), page::FileName);
        state_.PageFso = services_.platform.createFileSystemObject();
        state_.PageStream = state_.PageFso->createTextFile(pagePath, true);
        pageWriteFailure_ = 0;
        state_.FolderCount = 0;
        writeLine(page::headBlock());
        writeLine(page::styleBlock());
        const int total = tableSize();
        // A full table ends with its last slot: there is no empty one after it.
        while (state_.FolderCount < FolderSlots::Capacity && !state_.FolderList.isEmpty(state_.FolderCount)) {
            WriteFolderSection(state_.FolderList.at(state_.FolderCount), unlistedByWalk_.test(std::size_t(state_.FolderCount)));
            if (pageWriteFailure_ != 0)
                throw ScriptError(pageWriteFailure_, pagePath, "the page could not be written to its end");
            ++state_.FolderCount;
            if (onSectionWritten)
                onSectionWritten(state_.FolderCount, total);
        }
        writeLine(page::footLine());
        state_.PageStream->close();
        state_.PageFso.reset();
        state_.PageStream.reset();
        return true;
    } catch (...) {
        const ScriptError error = currentFailure();
        closePageAfterFailure();
        report(messages::ErrorOccurred, MessageStyle::Exclamation, {}, &error);
        return false;
    }
}

// A page cut short by a failure still stands under its name with every line
// written before the failure; the failure itself is what the message tells.
void Module1::closePageAfterFailure()
{
    if (!state_.PageStream)
        return;
    try {
        state_.PageStream->close();
    } catch (...) {
        // What failed is told by the failure that ended the page.
    }
}

int Module1::tableSize() const
{
    int size = 0;
    while (size < FolderSlots::Capacity && !state_.FolderList.isEmpty(size))
        ++size;
    return size;
}

} // namespace markroll
