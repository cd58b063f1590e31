#include "PageWriter.h"

#include "FolderList.h"
#include "HostPath.h"
#include "Messages.h"
#include "PageFormat.h"
#include "PageLines.h"
#include "Platform.h"
#include "RunReport.h"
#include "Failure.h"
#include "SectionWriter.h"

namespace markroll {
namespace {

// A page cut short by a failure still stands under its name with every line
// written before the failure; the failure itself is what the message tells.
void closeAfterFailure(TextStream* stream)
{
    if (!stream)
        return;
    try {
        stream->close();
    } catch (...) {
    }
}

} // namespace

bool PageWriter::writeLinkPage(const std::u16string& outputFolder, const FolderList& folders)
{
    std::unique_ptr<TextStream> stream;
    try {
        const std::u16string pagePath = joinPath(outputFolder, page::FileName);
        stream = platform_.createFileSystemObject()->createTextFile(pagePath);
        writeWholePage(*stream, folders);
        stream->close();
        return true;
    } catch (...) {
        const Failure error = currentFailure();
        closeAfterFailure(stream.get());
        report_.failure(messages::ErrorOccurred, error);
        return false;
    }
}

void PageWriter::writeWholePage(TextStream& stream, const FolderList& folders)
{
    PageLines page(stream);
    page.write(page::headBlock());
    page.write(page::styleBlock());
    SectionWriter sections(platform_, report_, page);
    const int total = int(folders.size());
    for (std::size_t index = 0; index < folders.size(); ++index) {
        sections.writeFolderSection(folders[index], folders.unlisted(index));
        if (onSection_)
            onSection_(int(index) + 1, total);
    }
    page.write(page::footLine());
}

} // namespace markroll
