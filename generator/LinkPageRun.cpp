#include "generator/LinkPageRun.h"

#include "generator/BookmarkWriter.h"
#include "generator/FolderWalk.h"
#include "generator/Messages.h"
#include "generator/PageWriter.h"
#include "generator/RunReport.h"
#include "platform/Failure.h"

namespace markroll {

RunOutcome LinkPageRun::run(const RunPaths& paths)
{
    RunReport report(services_.boxes);
    RunOutcome outcome;
    try {
        outcome.page = walkAndWrite(paths, report);
        if (outcome.page == RunOutcome::Page::Written)
            report.completion();
        if (outcome.page == RunOutcome::Page::Written && bookmarksLeftOut_ > 0)
            report.information(messages::leftOutOfBookmarks(bookmarksLeftOut_));
    } catch (...) {
        try {
            report.failure(messages::ErrorOccurred, currentFailure());
        } catch (...) {
            report.lastResort();
        }
    }
    outcome.failuresTold = report.failuresTold();
    return outcome;
}

// A Favorites folder that cannot be listed (mistyped, or on a drive that is
// not there) gives no page at all: the previous page stays as it was.
RunOutcome::Page LinkPageRun::walkAndWrite(const RunPaths& paths, RunReport& report)
{
    bookmarksLeftOut_ = 0;
    bookmarked_ = 0;
    folders_.clear(bookmarkPath_.has_value());
    folders_.add(paths.favorites);
    if (!FolderWalk(services_.host, report).collectFolders(folders_))
        return RunOutcome::Page::NoTree;
    std::optional<BookmarkWriter> bookmarks;
    if (bookmarkPath_ && !bookmarks.emplace(services_.host, report).start(*bookmarkPath_))
        bookmarks.reset();
    BookmarkWriter* const bookmarkWriter = bookmarks ? &*bookmarks : nullptr;
    const bool written = PageWriter(services_.host, report, onSectionWritten, bookmarkWriter)
                             .writeLinkPage(paths.output, folders_);
    // The bookmarks stand only beside a page of the same run.
    if (written && bookmarkWriter && bookmarkWriter->finish()) {
        bookmarksLeftOut_ = bookmarkWriter->leftOut();
        bookmarked_ = bookmarkWriter->linkCount();
    }
    return written ? RunOutcome::Page::Written : RunOutcome::Page::Failed;
}

} // namespace markroll
