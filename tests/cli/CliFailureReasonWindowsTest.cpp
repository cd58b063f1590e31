// A failure's reason is the OS's own words in the user's language, and an
// entry the OS lists but will not open is a failure with its reason, never a
// gap in the page.
#include "tests/support/ExtendedTree.h"
#include "tests/support/Process.h"
#include "tests/support/TestSupport.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace markroll::test;

namespace {

std::string missingFavoritesLine(const std::u16string& missing, const std::string& reason)
{
    return "Markroll: エラーが発生しました (" + utf8(missing) + ": " + reason + ")" + std::string(ConsoleLineEnd);
}

} // namespace

TEST(CliFailureReasonWindows, AJapaneseSessionReadsJapaneseReasons)
{
    TempTree tree;
    tree.folder(u"out");
    const ProcessResult result =
        runProcess({MARKROLL_CLI_PATH, utf8(tree.path(u"missing")), utf8(tree.path(u"out"))});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, missingFavoritesLine(tree.path(u"missing"), "ファイルが見つかりません。"));
}

TEST(CliFailureReasonWindows, AListedFolderThatCannotBeOpenedGivesItsReasonAndStatusOne)
{
    TempTree tree;
    tree.shortcut(u"fav/a.url", u"http://a/");
    tree.shortcut(u"fav/held/inside.url", u"http://inside/");
    tree.folder(u"out");
    const ExclusiveHold hold(tree.path(u"fav/held"));
    ASSERT_TRUE(hold.held()) << "the folder could not be held";
    const ProcessResult result = runProcess({MARKROLL_CLI_PATH, utf8(tree.path(u"fav")), utf8(tree.path(u"out"))});
    EXPECT_EQ(result.status, 1);
    // Once, from the walk; the sharing violation in Japanese.
    const std::string held = utf8(tree.path(u"fav/held")) + ": 共有違反です。)" + std::string(ConsoleLineEnd);
    EXPECT_EQ(result.err, "Markroll: エラーが発生しました (" + held);
}
