#include "generator/PageWriter.h"

#include "generator/BookmarkWriter.h"
#include "generator/FolderList.h"
#include "generator/Messages.h"
#include "generator/PageFormat.h"
#include "generator/PageLines.h"
#include "generator/RunReport.h"
#include "generator/SectionWriter.h"
#include "platform/Failure.h"
#include "platform/Host.h"

namespace markroll {
namespace {

// A page cut short by a failure still stands under its name with every line
// written before the failure; the failure itself is what the message tells.
void closeAfterFailure(OutputFile* file)
{
    if (!file)
        return;
    try {
        file->commit();
    } catch (...) {
    }
}

} // namespace

bool PageWriter::writeLinkPage(const std::u16string& outputFolder, const FolderList& folders)
{
    std::unique_ptr<OutputFile> file;
    try {
        file = host_.createOutputFile(host_.joinPath(outputFolder, page::FileName), OutputFileKind::Page);
        writeWholePage(*file, folders);
        file->commit();
        return true;
    } catch (...) {
        const Failure error = currentFailure();
        // A page in place whose folder could not be put on the disk is told,
        // and stands.
        const bool placed = error.kind() == FailureKind::FolderNotFlushed;
        if (!placed)
            closeAfterFailure(file.get());
        report_.failure(messages::ErrorOccurred, error);
        return placed;
    }
}

void PageWriter::writeWholePage(OutputFile& file, const FolderList& folders)
{
    PageLines page(file);
    page.write(page::headBlock());
    page.write(page::styleBlock());
    SectionWriter sections(host_, report_, page, bookmarks_);
    const int total = int(folders.pageSize());
    for (std::size_t index = 0; index < folders.pageSize(); ++index) {
        if (bookmarks_)
            bookmarks_->enterFolder(folders, index);
        sections.writeFolderSection(folders[index], folders.unlisted(index));
        if (onSection_)
            onSection_(int(index) + 1, total);
    }
    writeFoldersBeyondPage(folders);
    page.write(page::footLine());
}

void PageWriter::writeFoldersBeyondPage(const FolderList& folders)
{
    if (!bookmarks_)
        return;
    for (std::size_t index = folders.pageSize(); index < folders.size(); ++index) {
        bookmarks_->enterFolder(folders, index);
        bookmarks_->writeLinksOf(folders[index], folders.unlisted(index));
    }
}

} // namespace markroll
