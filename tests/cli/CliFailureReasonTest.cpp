// A failure's reason is the OS's own words in the user's language, and an
// entry the OS lists but will not open is a failure with its reason, never a
// gap in the page.
#include "tests/support/Process.h"
#include "tests/support/TestSupport.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#ifdef _WIN32
#include "tests/support/ExtendedTree.h"
#endif

using namespace markroll::test;

namespace {

std::string missingFavoritesLine(const std::u16string& missing, const std::string& reason)
{
    return "Markroll: エラーが発生しました (" + utf8(missing) + ": " + reason + ")" + std::string(ConsoleLineEnd);
}

} // namespace

#ifndef _WIN32
namespace {

// A Japanese locale of the given codeset made for this test alone, so the
// machine need not have it generated; empty when localedef cannot make it.
std::filesystem::path japaneseLocale(const TempTree& scratch, const std::string& codeset)
{
    const std::string localedef = findProgram("localedef");
    if (localedef.empty())
        return {};
    const std::filesystem::path folder = scratch.fsPath(u"locales");
    std::filesystem::create_directories(folder);
    const ProcessResult made =
        runProcess({localedef, "-i", "ja_JP", "-f", codeset, (folder / ("ja_JP." + codeset)).string()});
    return made.status == 0 ? folder : std::filesystem::path();
}

} // namespace

// The same words whatever the locale's codeset: EUC-JP text is carried as UTF-8.
TEST(CliFailureReason, AJapaneseSessionReadsJapaneseReasons)
{
    for (const std::string codeset : {"UTF-8", "EUC-JP"}) {
        TempTree tree;
        const std::filesystem::path locales = japaneseLocale(tree, codeset);
        if (locales.empty())
            GTEST_SKIP() << "localedef cannot make ja_JP." << codeset << " (the locales package is missing)";
        tree.folder(u"out");
        const ProcessResult result =
            runProcess({"/usr/bin/env", "-u", "LANGUAGE", "LC_ALL=ja_JP." + codeset, "LOCPATH=" + locales.string(),
                        MARKROLL_CLI_PATH, utf8(tree.path(u"missing")), utf8(tree.path(u"out"))});
        EXPECT_EQ(result.status, 1) << codeset;
        EXPECT_EQ(result.err, missingFavoritesLine(tree.path(u"missing"), "そのようなファイルやディレクトリはありません"))
            << codeset << ": the Japanese words come with libc-l10n";
    }
}
#else
TEST(CliFailureReason, AJapaneseSessionReadsJapaneseReasons)
{
    TempTree tree;
    tree.folder(u"out");
    const ProcessResult result =
        runProcess({MARKROLL_CLI_PATH, utf8(tree.path(u"missing")), utf8(tree.path(u"out"))});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, missingFavoritesLine(tree.path(u"missing"), "ファイルが見つかりません。"));
}

TEST(CliFailureReason, AListedFolderThatCannotBeOpenedGivesItsReasonAndStatusOne)
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
#endif
