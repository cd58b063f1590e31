#include "tests/cli/CliRuns.h"
#include "tests/support/Process.h"
#include "tests/support/TestSupport.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

using namespace markroll::test;
namespace fs = std::filesystem;

TEST(Cli, VersionAndHelp)
{
    const ProcessResult version = runCli({u"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "markroll-cli 1.00" + std::string(ConsoleLineEnd));
    for (const char16_t* help : {u"--help", u"-h"}) {
        const ProcessResult result = runCli({help});
        EXPECT_EQ(result.status, 0);
        EXPECT_TRUE(result.out.starts_with("usage: markroll-cli [--bookmarks FILE] [--] FAVORITES_FOLDER OUTPUT_FOLDER")) << result.out;
        EXPECT_EQ(result.err, "");
    }
}

// The manual page says what --help says: the same synopsis, description and
// exit statuses, word for word.
TEST(Cli, TheManualPageMatchesHelp)
{
    const std::string help = runCli({u"--help"}).out;
    const std::string manual = readFileBytes(MARKROLL_MANUAL_PAGE);
    ASSERT_FALSE(manual.starts_with("<missing")) << manual;
    EXPECT_NE(manual.find(".B markroll-cli\n.RB [ \\-\\-bookmarks\n.IR FILE ]\n.RB [ \\-\\- ]\n.I FAVORITES_FOLDER OUTPUT_FOLDER"), std::string::npos);
    std::string description = help.substr(help.find('\n') + 1);
    description = description.substr(0, description.find("Exit status"));
    std::erase(description, '\r');
    EXPECT_NE(manual.find(description), std::string::npos) << description;
    const std::size_t statuses = help.find("Exit status: ");
    ASSERT_NE(statuses, std::string::npos);
    for (const char* status :
         {"0 page written", "1 a failure was reported", "2 unusable arguments", "3 a message could not be written"}) {
        EXPECT_NE(help.find(status, statuses), std::string::npos) << status;
        const std::string entry = ".B " + std::string(status, 1) + "\n" + std::string(status + 2) + "\n";
        EXPECT_NE(manual.find(entry), std::string::npos) << entry;
    }
}

TEST(Cli, AWrongArgumentCountSaysSoBeforeTheUsageAndGivesStatusTwo)
{
    const std::string tooFew = "markroll-cli: two folders are needed, the Favorites folder and the output folder";
    const std::string tooMany = "markroll-cli: too many arguments: only two folders are taken";
    const std::vector<std::pair<std::vector<std::u16string>, std::string>> cases{
        {{}, tooFew}, {{u"a"}, tooFew}, {{u"--", u"a"}, tooFew}, {{u"a", u"b", u"c"}, tooMany}};
    for (const auto& [arguments, said] : cases) {
        const ProcessResult result = runCli(arguments);
        EXPECT_EQ(result.status, 2) << arguments.size() << " arguments";
        EXPECT_TRUE(result.err.starts_with(said + std::string(ConsoleLineEnd) + "usage: ")) << result.err;
        EXPECT_EQ(result.out, "");
    }
}

// "--bookmarks FILE" or "--bookmarks=FILE", once, before "--".
TEST(Cli, TheBookmarkOptionTakesOneFileInEitherSpelling)
{
    TempTree tree;
    tree.shortcut(u"F/a.url", u"http://a/");
    const std::vector<std::pair<std::vector<std::u16string>, std::string>> refused{
        {{u"F", u".", u"--bookmarks"}, "markroll-cli: --bookmarks needs a file name"},
        {{u"--bookmarks=", u"F", u"."}, "markroll-cli: --bookmarks needs a file name"},
        {{u"--bookmarks", u"b", u"--bookmarks=c", u"F", u"."}, "markroll-cli: --bookmarks is taken once"},
        {{u"--bookmarksfile", u"F", u"."}, "markroll-cli: unknown option '--bookmarksfile'"},
        {{u"--", u"--bookmarks", u"b", u"F", u"."}, "markroll-cli: too many arguments: only two folders are taken"},
        {{u"--bookmarks", u"./F/../ALL_Favorites_Link.htm", u"F", u"."},
         "markroll-cli: --bookmarks names the page itself: give the bookmark file a name of its own"}};
    for (const auto& [arguments, said] : refused) {
        const ProcessResult result = runCli(arguments, tree.path());
        EXPECT_EQ(result.status, 2) << said;
        EXPECT_TRUE(result.err.starts_with(said + std::string(ConsoleLineEnd) + "usage: ")) << result.err;
    }
    EXPECT_EQ(filesIn(tree.path()), std::vector<std::string>{"F"});

    for (const auto& arguments : {std::vector<std::u16string>{u"--bookmarks", u"one.html", u"F", u"."},
                                  std::vector<std::u16string>{u"F", u"--bookmarks=two.html", u"--", u"."}}) {
        const ProcessResult result = runCli(arguments, tree.path());
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.out, completedLine);
    }
    for (const char16_t* name : {u"one.html", u"two.html"}) {
        const std::string bookmarks = readBytes(tree.path(name));
        EXPECT_TRUE(bookmarks.starts_with("<!DOCTYPE NETSCAPE-Bookmark-file-1>\n")) << bookmarks;
        EXPECT_NE(bookmarks.find("HREF=\"http://a/\""), std::string::npos) << bookmarks;
    }
}

// Shortcuts the bookmark file could not take are counted after the completion
// line, as the page's notice lines are, with status 0; with "-" both lines go
// to standard error, which leaves standard output to the bookmarks.
TEST(Cli, ShortcutsLeftOutOfTheBookmarkFileAreCountedAfterTheCompletionLine)
{
    TempTree tree;
    tree.shortcut(u"F/a.url", u"http://a/");
    tree.file(u"F/no-url.url", "[InternetShortcut]\r\n");
    tree.file(u"F/sub/broken.url", "[Other]\r\nURL=http://nowhere/\r\n");
    const std::string counted = "Markroll: ブックマークファイルに入れられなかったショートカット：2件" + std::string(ConsoleLineEnd);
    const ProcessResult toFile = runCli({u"--bookmarks", u"b.html", u"F", u"."}, tree.path());
    EXPECT_EQ(toFile.status, 0) << toFile.err;
    EXPECT_EQ(toFile.out, completedLine + counted);
    EXPECT_EQ(toFile.err, "");
    const ProcessResult toOutput = runCli({u"--bookmarks", u"-", u"F", u"."}, tree.path());
    EXPECT_EQ(toOutput.status, 0) << toOutput.err;
    EXPECT_TRUE(toOutput.out.starts_with("<!DOCTYPE NETSCAPE-Bookmark-file-1>")) << toOutput.out;
    EXPECT_EQ(toOutput.err, completedLine + counted);
    const ProcessResult withoutBookmarks = runCli({u"F", u"."}, tree.path());
    EXPECT_EQ(withoutBookmarks.out, completedLine) << "the page tells its own by notice lines";
}

// With a page standing, the page's name in other letter cases is the page
// wherever the folder ignores letter case (always on Windows), and a file of
// its own where the folder tells letter cases apart.
TEST(Cli, ThePagesNameInOtherLetterCasesIsThePageWhereTheFolderIgnoresCase)
{
    TempTree tree;
    tree.shortcut(u"F/a.url", u"http://a/");
    const std::u16string page = tree.file(u"out/ALL_Favorites_Link.htm", "the previous page");
    tree.file(u"probe/Aa", "");
    const bool ignoresCase = fs::exists(tree.fsPath(u"probe/aA"));
    for (const char16_t* name : {u"all_favorites_link.htm", u"ALL_FAVORITES_LINK.HTM", u"All_Favorites_Link.Htm"}) {
        const std::u16string bookmarks = tree.path(std::u16string(u"out/") + name);
        const ProcessResult result = runCli({u"--bookmarks", bookmarks, tree.path(u"F"), tree.path(u"out")});
        EXPECT_EQ(result.status, ignoresCase ? 2 : 0) << utf8(name) << ": " << result.err;
        EXPECT_TRUE(readBytes(page).starts_with(ignoresCase ? "the previous page" : "<HTML>")) << utf8(name);
        if (!ignoresCase)
            fs::remove(tree.fsPath(std::u16string(u"out/") + name));
    }
}

// A bookmark file that cannot be written is a failure with its reason; the
// page is written all the same.
TEST(Cli, ABookmarkFileThatCannotBeMadeSaysWhyAndGivesStatusOne)
{
    TempTree tree;
    tree.shortcut(u"F/a.url", u"http://a/");
    const std::u16string missing = tree.path(u"missing/b.html");
    const ProcessResult result = runCli({u"--bookmarks", missing, tree.path(u"F"), tree.path()});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "Markroll: エラーが発生しました (" + utf8(missing) + ": " + sessionReason(ENOENT) + ")" +
                              std::string(ConsoleLineEnd));
    EXPECT_EQ(result.out, completedLine);
    EXPECT_TRUE(fs::exists(tree.fsPath(u"ALL_Favorites_Link.htm")));
}

TEST(Cli, AnUnknownOptionIsNamedAndRefusedButDashDashEndsTheOptions)
{
    TempTree tree;
    const ProcessResult bogus = runCli({u"--bogus", tree.path()});
    EXPECT_EQ(bogus.status, 2);
    EXPECT_TRUE(bogus.err.starts_with("markroll-cli: unknown option '--bogus'" + std::string(ConsoleLineEnd) + "usage: "))
        << bogus.err;
    EXPECT_FALSE(fs::exists(tree.fsPath(u"ALL_Favorites_Link.htm")));

    tree.shortcut(u"-fav/a.url", u"http://a/");
    const ProcessResult ended = runCli({u"--", u"-fav", u"."}, tree.path());
    EXPECT_EQ(ended.status, 0) << ended.err;
    EXPECT_EQ(ended.out, completedLine);
    EXPECT_NE(readBytes(tree.path(u"ALL_Favorites_Link.htm")).find("http://a/"), std::string::npos);
}

TEST(Cli, ABlankArgumentIsRefusedBeforeAnyRun)
{
    TempTree out;
    for (const auto& arguments : {std::vector<std::u16string>{u"  ", out.path()},
                                  std::vector<std::u16string>{out.path(), u"\u3000"}}) {
        const ProcessResult result = runCli(arguments);
        EXPECT_EQ(result.status, 2);
        EXPECT_EQ(result.err, "Markroll: 未入力項目が有ります" + std::string(ConsoleLineEnd));
        EXPECT_EQ(result.out, "");
    }
    EXPECT_FALSE(fs::exists(out.fsPath(u"ALL_Favorites_Link.htm")));
}

TEST(Cli, ACompletedRunWritesTheSamePageAsTheWindow)
{
    TempTree out;
    const ProcessResult result = runCli({u"nested", out.path()}, dataPath(u"trees"));
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, completedLine);
    EXPECT_EQ(result.err, "");
    EXPECT_SAME_PAGE(withHostSeparators(readBytes(dataPath(u"pages/nested.htm"))), readBytes(pageFile(out.path())));
}

// The same pages on every platform; on Windows only the folder headings
// carry backslashes.
TEST(Cli, EveryFixtureTreeGivesItsGoldenPage)
{
    const std::pair<std::u16string, std::u16string> runs[] = {
        {dataPath(u"trees"), u"nested"}, {dataPath(u"trees"), u"japanese"}, {dataPath(u"trees"), u"empty"},
        {utf16(MARKROLL_EXAMPLES_DIR), u"Favorites"}};
    const std::u16string golden[] = {u"nested", u"japanese", u"empty", u"examples-favorites"};
    for (std::size_t i = 0; i < std::size(runs); ++i) {
        TempTree out;
        const ProcessResult result = runCli({runs[i].second, out.path()}, runs[i].first);
        EXPECT_EQ(result.status, 0) << utf8(runs[i].second) << ": " << result.err;
        EXPECT_SAME_PAGE(withHostSeparators(readBytes(dataPath(u"pages/" + golden[i] + u".htm"))),
                         readBytes(pageFile(out.path())));
    }
}

// A failure line says what failed: the object and the OS's reason.
TEST(Cli, FailuresGoToStandardErrorInOrderSayWhatFailedAndGiveStatusOne)
{
    TempTree tree;
    tree.file(u"ALL_Favorites_Link.htm", "the previous page");
    const ProcessResult missingFavorites = runCli({tree.path(u"missing"), tree.path()});
    EXPECT_EQ(missingFavorites.status, 1);
    EXPECT_EQ(missingFavorites.err, "Markroll: エラーが発生しました (" + utf8(tree.path(u"missing")) + ": " +
                                        sessionReason(ENOENT) + ")" + std::string(ConsoleLineEnd));
    EXPECT_EQ(missingFavorites.out, "") << "a Favorites folder that is not there is no completion";
    EXPECT_EQ(readBytes(tree.path(u"ALL_Favorites_Link.htm")), "the previous page");

    tree.folder(u"fav");
    const ProcessResult missingOutput = runCli({tree.path(u"fav"), tree.path(u"missing")});
    EXPECT_EQ(missingOutput.status, 1);
    EXPECT_EQ(missingOutput.err, "Markroll: エラーが発生しました (" + utf8(pageFile(tree.path(u"missing"))) + ": " +
                                     sessionReason(ENOENT) + ")" + std::string(ConsoleLineEnd));
    EXPECT_EQ(missingOutput.out, "");
}

TEST(Cli, NothingButMessagesReachesAPipe)
{
    TempTree tree;
    for (int i = 0; i < 50; ++i)
        tree.shortcut(u"fav/f" + utf16(std::to_string(i)) + u"/a.url", u"http://a/");
    const ProcessResult result = runCli({tree.path(u"fav"), tree.path()});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, completedLine);
    EXPECT_EQ(result.err, "");
}

TEST(Cli, TwoRunsIntoOneFolderLeaveOneWholePage)
{
    TempTree tree;
    makeWideTree(tree, 2000);
    const std::vector<std::string> command{MARKROLL_CLI_PATH, utf8(tree.path(u"fav")), utf8(tree.path(u"out"))};
    tree.folder(u"out");
    ProcessResult second;
    const ProcessResult first = runProcess(command, {}, std::chrono::seconds(60), [&](int) { second = runProcess(command); });
    EXPECT_EQ(first.status, 0);
    EXPECT_EQ(second.status, 0);
    TempTree reference;
    ASSERT_EQ(runProcess({MARKROLL_CLI_PATH, utf8(tree.path(u"fav")), utf8(reference.path())}).status, 0);
    EXPECT_SAME_PAGE(readBytes(pageFile(reference.path())), readBytes(pageFile(tree.path(u"out"))));
    EXPECT_EQ(hiddenEntries(tree.fsPath(u"out")), std::vector<std::string>());
}

// A full folder table says in words what happened.
TEST(Cli, AFullFolderTableSaysTheRestWereLeftOut)
{
    TempTree tree;
    for (int folder = 0; folder < 1000; ++folder)
        tree.folder(numbered("fav/f%04d", folder));
    const ProcessResult result = runCli({tree.path(u"fav"), tree.path()});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "Markroll: エラーが発生しました (more than 999 folders lie below the Favorites folder; "
                          "the rest were left out)" + std::string(ConsoleLineEnd));
    EXPECT_EQ(result.out, completedLine);
}
