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
        state_.FolderCount = 0;
        state_.PageStream->writeLine(page::headBlock());
        state_.PageStream->writeLine(page::styleBlock());
        const int total = tableSize();
        while (!state_.FolderList.isEmpty(state_.FolderCount)) {
            WriteFolderSection(state_.FolderList.at(state_.FolderCount));
            ++state_.FolderCount;
            if (onSectionWritten)
                onSectionWritten(state_.FolderCount, total);
        }
        state_.PageStream->writeLine(page::footLine());
        state_.PageStream->close();
        state_.PageFso.reset();
        state_.PageStream.reset();
        return true;
    } catch (const ScriptError&) {
        report(messages::ErrorOccurred, MessageStyle::Exclamation);
        return false;
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
