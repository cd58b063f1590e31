// A failure's reason is the OS's own words in the user's language, and an
// entry the OS lists but will not open is a failure with its reason, never a
// gap in the page.
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
TEST(CliFailureReasonPosix, AJapaneseSessionReadsJapaneseReasons)
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
