// Linux only: /proc/self/mem is an ordinary file whose first read fails with
// EIO, as a failing disk's would.
#include "platform/Failure.h"
#include "tests/support/FaultyHost.h"
#include "tests/support/PageText.h"

#include <gtest/gtest.h>

using namespace markroll;
using namespace markroll::test;
using Shown = std::vector<ShownMessage>;

// A shortcut that opens but cannot be read is no broken shortcut: its
// section ends with a warning that gives the reason, with no notice line,
// and the rest of the page is written.
TEST(SectionWriterPosix, AShortcutWhoseReadFailsEndsItsSectionWithTheReason)
{
    TempTree tree;
    TempTree out;
    tree.shortcut(u"fav/a.url", u"http://a/");
    tree.symlink(u"/proc/self/mem", u"fav/b.url");
    tree.shortcut(u"fav/c.url", u"http://c/");
    tree.shortcut(u"fav/sub/d.url", u"http://d/");
    GeneratorHarness harness;
    WorkingFolder inside(tree.path());
    const std::string page = harness.run(u"fav", out.path());
    EXPECT_SAME_PAGE(cp932Lines(headAndStyle() + opening(u"fav") + link(u"a") + opening(u"fav/sub") + link(u"d") +
                                closing() + foot()),
                     page);
    EXPECT_EQ(harness.boxes.shown, (Shown{fileOutputFailedBox(), completedBox()}));
    ASSERT_EQ(harness.boxes.causes.size(), 1u);
    EXPECT_EQ(harness.boxes.causes[0].error(), std::errc::io_error);
    EXPECT_NE(utf8(harness.boxes.causes[0].description()).find("b.url"), std::string::npos)
        << utf8(harness.boxes.causes[0].description());
}
