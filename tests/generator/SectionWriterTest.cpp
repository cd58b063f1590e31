#include "platform/Failure.h"
#include "platform/files/HostPath.h"
#include "tests/support/FaultyHost.h"
#include "tests/support/PageText.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace markroll;
using namespace markroll::test;
using Shown = std::vector<ShownMessage>;

namespace {

const Failure unreadable(FailureKind::UnreadableShortcut, {}, "injected");

// fav holds a, b and c; fav/sub holds d. Each shortcut points to http://NAME/.
class SectionWriterTest : public ::testing::Test {
protected:
    SectionWriterTest()
    {
        for (const char16_t* name : {u"a", u"b", u"c"})
            tree.shortcut(u"fav/" + std::u16string(name) + u".url", u"http://" + std::u16string(name) + u"/");
        tree.shortcut(u"fav/sub/d.url", u"http://d/");
    }

    std::string run()
    {
        WorkingFolder inside(tree.path());
        return harness.run(u"fav", out.path());
    }

    static std::u16string subSection() { return opening(u"fav/sub") + link(u"d") + closing(); }

    void failLinesContaining(std::vector<std::u16string> markers, const Failure& failure)
    {
        harness.host.beforeWriteLine = [markers, failure](std::u16string_view line) {
            for (const auto& marker : markers) {
                if (line.find(marker) != std::u16string_view::npos)
                    throw failure;
            }
        };
    }

    void failShortcut(std::u16string_view name, const Failure& failure)
    {
        harness.host.beforeReadShortcut = [name = std::u16string(name), failure](std::u16string_view path) {
            if (path.ends_with(name))
                throw failure;
        };
    }

    TempTree tree;
    TempTree out;
    GeneratorHarness harness;
};

} // namespace

// A notice line that cannot be written ends the page as any other line does.
TEST_F(SectionWriterTest, AFailingNoticeLinePassesToThePageWriter)
{
    failShortcut(u"b.url", unreadable);
    failLinesContaining({u"『b』"}, systemFailure(std::errc::io_error));
    const std::string partial = cp932Lines(headAndStyle() + opening(u"fav") + link(u"a"));
    std::string onDiskWhenTold;
    harness.boxes.onShow = [&](const ShownMessage&) { onDiskWhenTold = readBytes(pageFile(out.path())); };
    EXPECT_SAME_PAGE(partial, run());
    EXPECT_SAME_PAGE(partial, onDiskWhenTold);
    EXPECT_EQ(harness.boxes.shown, Shown{errorOccurredBox()});
    EXPECT_FALSE(harness.outcome.pageWritten());
}

TEST_F(SectionWriterTest, AFailingOpeningOrClosingLinePassesToThePageWriter)
{
    failLinesContaining({u"<B>fav</B>"}, systemFailure(std::errc::io_error));
    EXPECT_SAME_PAGE(cp932Lines(headAndStyle()), run());
    EXPECT_EQ(harness.boxes.shown, Shown{errorOccurredBox()});
    harness.boxes.shown.clear();
    failLinesContaining({u"</OL>"}, systemFailure(std::errc::io_error));
    EXPECT_SAME_PAGE(cp932Lines(headAndStyle() + opening(u"fav") + link(u"a") + link(u"b") + link(u"c")), run());
    EXPECT_EQ(harness.boxes.shown, Shown{errorOccurredBox()});
}

TEST_F(SectionWriterTest, AListingThatCannotStartLeavesTheSectionOpen)
{
    harness.host.beforeListShortcuts = [](std::u16string_view folder) {
        if (folder.find(u"sub") == std::u16string_view::npos)
            throw systemFailure(std::errc::permission_denied);
    };
    EXPECT_SAME_PAGE(cp932Lines(headAndStyle() + opening(u"fav") + subSection() + foot()), run());
    EXPECT_EQ(harness.boxes.shown, (Shown{fileOutputFailedBox(), completedBox()}));
}

// The shortcut object of the previous name must never stand in for this one.
TEST_F(SectionWriterTest, AShortcutThatCannotBeCreatedGetsANoticeAndNoLink)
{
    failShortcut(u"b.url", unreadable);
    EXPECT_SAME_PAGE(cp932Lines(headAndStyle() + opening(u"fav") + link(u"a") + notice(u"b") + link(u"c") + closing() +
                                subSection() + foot()),
                     run());
}

// Every failure but a notice is told in a box and ends only the section it happened in.
TEST_F(SectionWriterTest, AShortcutFailingOtherwiseThanUnreadableEndsOnlyItsSection)
{
    const Failure failures[] = {Failure(FailureKind::OutOfMemory, {}, "no memory"),
                                systemFailure(std::errc::no_such_file_or_directory), systemFailure(std::errc::io_error),
                                systemFailure(std::errc::no_space_on_device), systemFailure(std::errc::permission_denied),
                                Failure(FailureKind::Unknown, {}, "unknown")};
    for (const Failure& failure : failures) {
        harness.boxes.shown.clear();
        failShortcut(u"b.url", failure);
        EXPECT_SAME_PAGE(cp932Lines(headAndStyle() + opening(u"fav") + link(u"a") + subSection() + foot()), run());
        EXPECT_EQ(harness.boxes.shown, (Shown{fileOutputFailedBox(), completedBox()})) << failure.what();
    }
}

// A listing that cannot go on would otherwise repeat its last name forever.
TEST_F(SectionWriterTest, ANextNameThatCannotBeFetchedEndsTheListing)
{
    int calls = 0;
    harness.host.beforeNextShortcut = [&] {
        if (++calls == 1)
            throw unreadable;
    };
    EXPECT_SAME_PAGE(cp932Lines(headAndStyle() + opening(u"fav") + link(u"a") + notice(u"a") + closing() + subSection() +
                                foot()),
                     run());
}

TEST_F(SectionWriterTest, AShortcutThatVanishesBeforeItIsReadGetsANotice)
{
    harness.host.beforeReadShortcut = [](std::u16string_view path) {
        if (path.ends_with(u"b.url"))
            std::filesystem::remove(toFsPath(path));
    };
    EXPECT_SAME_PAGE(cp932Lines(headAndStyle() + opening(u"fav") + link(u"a") + notice(u"b") + link(u"c") + closing() +
                                subSection() + foot()),
                     run());
    EXPECT_EQ(harness.boxes.shown, Shown{completedBox()});
}

// Gone between the walk, which listed it, and its section: told once, by the
// section, which ends there.
TEST_F(SectionWriterTest, AFolderGoneSinceTheWalkIsToldByItsSectionOnce)
{
    harness.host.beforeListShortcuts = [&](std::u16string_view folder) {
        if (folder == hostPath(u"fav/sub"))
            std::filesystem::remove_all(tree.fsPath(u"fav/sub"));
    };
    EXPECT_SAME_PAGE(cp932Lines(headAndStyle() + opening(u"fav") + link(u"a") + link(u"b") + link(u"c") + closing() +
                                opening(u"fav/sub") + foot()),
                     run());
    EXPECT_EQ(harness.boxes.shown, (Shown{fileOutputFailedBox(), completedBox()}));
}

TEST_F(SectionWriterTest, AFolderTheWalkCouldNotListIsToldOnceAndWrittenEmpty)
{
    harness.host.beforeListSubfolders = [](std::u16string_view path) {
        if (path.ends_with(hostPath(u"/sub")))
            throw systemFailure(std::errc::permission_denied);
    };
    harness.host.beforeListShortcuts = [](std::u16string_view folder) {
        if (folder == hostPath(u"fav/sub"))
            throw systemFailure(std::errc::permission_denied);
    };
    EXPECT_SAME_PAGE(cp932Lines(headAndStyle() + opening(u"fav") + link(u"a") + link(u"b") + link(u"c") + closing() +
                                opening(u"fav/sub") + closing() + foot()),
                     run());
    EXPECT_EQ(harness.boxes.shown, (Shown{errorOccurredBox(), completedBox()}));
}
