// Failures that are not the program's own (no memory, a refused system call
// seen as std::system_error, an exception of any other type, even from a
// message box) end as the usual message where they happen, never as the end of
// the program or a page file left behind.
#include "platform/Failure.h"
#include "tests/support/FaultyHost.h"
#include "tests/support/PageText.h"

#include <gtest/gtest.h>
#include <new>
#include <stdexcept>
#include <system_error>

using namespace markroll;
using namespace markroll::test;
using Shown = std::vector<ShownMessage>;

namespace {

// fav holds a and b; fav/sub holds c. out holds a previous page.
class ForeignFailure : public ::testing::Test {
protected:
    ForeignFailure()
    {
        tree.shortcut(u"fav/a.url", u"http://a/");
        tree.shortcut(u"fav/b.url", u"http://b/");
        tree.shortcut(u"fav/sub/c.url", u"http://c/");
        out.file(u"ALL_Favorites_Link.htm", "the previous page");
    }

    std::string run()
    {
        WorkingFolder inside(tree.path());
        return harness.run(u"fav", out.path());
    }

    std::vector<std::string> leftInOutput() const { return filesIn(out.path()); }

    TempTree tree;
    TempTree out;
    GeneratorHarness harness;
    // The kinds of the failures told, in order.
    std::vector<FailureKind> causes() const
    {
        std::vector<FailureKind> kinds;
        for (const Failure& cause : harness.boxes.causes)
            kinds.push_back(cause.kind());
        return kinds;
    }
};

const std::vector<std::string> onlyThePage{"ALL_Favorites_Link.htm"};

} // namespace

TEST_F(ForeignFailure, NoMemoryForAShortcutEndsItsSection)
{
    harness.host.beforeReadShortcut = [](std::u16string_view path) {
        if (path.ends_with(u"b.url"))
            throw std::bad_alloc();
    };
    EXPECT_SAME_PAGE(cp932Lines(headAndStyle() + opening(u"fav") + link(u"a") + opening(u"fav/sub") + link(u"c") +
                                closing() + foot()),
                     run());
    EXPECT_EQ(harness.boxes.shown, (Shown{fileOutputFailedBox(), completedBox()}));
    EXPECT_EQ(causes(), std::vector<FailureKind>{FailureKind::OutOfMemory});
    EXPECT_EQ(leftInOutput(), onlyThePage);
}

TEST_F(ForeignFailure, ASystemErrorFromAListingIsASystemFailure)
{
    harness.host.beforeListShortcuts = [](std::u16string_view folder) {
        if (folder.find(u"sub") != std::u16string_view::npos)
            throw std::system_error(EMFILE, std::generic_category(), "no descriptor");
    };
    EXPECT_SAME_PAGE(cp932Lines(headAndStyle() + opening(u"fav") + link(u"a") + link(u"b") + closing() +
                                opening(u"fav/sub") + foot()),
                     run());
    EXPECT_EQ(harness.boxes.shown, (Shown{fileOutputFailedBox(), completedBox()}));
    EXPECT_EQ(causes(), std::vector<FailureKind>{FailureKind::System});
}

TEST_F(ForeignFailure, NoMemoryToOpenTheFavoritesFolderWritesNothing)
{
    harness.host.beforeListSubfolders = [](std::u16string_view path) {
        if (path == u"fav")
            throw std::bad_alloc();
    };
    EXPECT_EQ(run(), "the previous page");
    EXPECT_EQ(harness.boxes.shown, Shown{errorOccurredBox()});
    EXPECT_EQ(leftInOutput(), onlyThePage);
}

TEST_F(ForeignFailure, NoMemoryForAPageLineEndsThePageAfterItsWholeLines)
{
    harness.host.beforeWriteLine = [](std::u16string_view line) {
        if (line.find(u">b</A>") != std::u16string_view::npos)
            throw std::bad_alloc();
    };
    EXPECT_SAME_PAGE(cp932Lines(headAndStyle() + opening(u"fav") + link(u"a")), run());
    EXPECT_EQ(harness.boxes.shown, Shown{errorOccurredBox()});
    EXPECT_FALSE(harness.outcome.pageWritten());
    EXPECT_EQ(leftInOutput(), onlyThePage);
}

TEST_F(ForeignFailure, AnExceptionOfNoKnownTypeIsStillAMessage)
{
    harness.host.beforeListShortcuts = [](std::u16string_view) { throw 42; };
    run();
    EXPECT_EQ(harness.boxes.shown.front(), fileOutputFailedBox());
    EXPECT_EQ(harness.boxes.shown.back(), completedBox());
    EXPECT_EQ(causes().front(), FailureKind::Unknown);
}

// The box that tells of a failure fails too: the failure passes up handler by
// handler (section writer, page writer, run), the run still ends normally and
// says it failed, the page keeps its lines up to the failure and no hidden
// page file is left behind.
TEST_F(ForeignFailure, AMessageBoxThatFailsPassesUpAndTheRunStillEndsCleanly)
{
    harness.host.beforeReadShortcut = [](std::u16string_view path) {
        if (path.ends_with(u"b.url"))
            throw systemFailure(std::errc::io_error);
    };
    int boxes = 0;
    harness.boxes.onShow = [&](const ShownMessage&) {
        if (++boxes <= 2)
            throw std::bad_alloc();
    };
    std::string page;
    EXPECT_NO_THROW(page = run());
    EXPECT_SAME_PAGE(cp932Lines(headAndStyle() + opening(u"fav") + link(u"a")), page);
    EXPECT_EQ(harness.boxes.shown, (Shown{fileOutputFailedBox(), errorOccurredBox(), errorOccurredBox()}));
    EXPECT_TRUE(harness.outcome.failuresTold);
    EXPECT_FALSE(harness.outcome.pageWritten());
    EXPECT_EQ(leftInOutput(), onlyThePage);
}
