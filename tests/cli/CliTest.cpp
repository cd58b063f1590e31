#include "Process.h"
#include "TestSupport.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace markroll::test;
namespace fs = std::filesystem;

namespace {

ProcessResult runCli(const std::vector<std::u16string>& arguments, const std::u16string& workingFolder = {},
                     const std::vector<std::string>& prefix = {})
{
    std::vector<std::string> command = prefix;
    command.push_back(MARKROLL_CLI_PATH);
    for (const auto& argument : arguments)
        command.push_back(utf8(argument));
    return runProcess(command, workingFolder.empty() ? fs::path() : fs::path(utf8(workingFolder)));
}

const std::string completedLine = "Markroll: 出力完了！！\n";
const std::string errorLine = "Markroll: エラーが発生しました\n";

} // namespace

TEST(Cli, VersionAndHelp)
{
    const ProcessResult version = runCli({u"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "markroll-cli 1.00\n");
    for (const char16_t* help : {u"--help", u"-h"}) {
        const ProcessResult result = runCli({help});
        EXPECT_EQ(result.status, 0);
        EXPECT_TRUE(result.out.starts_with("usage: markroll-cli FAVORITES_FOLDER OUTPUT_FOLDER")) << result.out;
        EXPECT_EQ(result.err, "");
    }
}

TEST(Cli, AWrongArgumentCountIsUsageAndStatusTwo)
{
    for (const auto& arguments : {std::vector<std::u16string>{}, std::vector<std::u16string>{u"a"},
                                  std::vector<std::u16string>{u"a", u"b", u"c"}}) {
        const ProcessResult result = runCli(arguments);
        EXPECT_EQ(result.status, 2) << arguments.size() << " arguments";
        EXPECT_TRUE(result.err.starts_with("usage:"));
        EXPECT_EQ(result.out, "");
    }
}

TEST(Cli, ABlankArgumentIsRefusedBeforeAnyRun)
{
    TempTree out;
    for (const auto& arguments : {std::vector<std::u16string>{u"  ", out.path()},
                                  std::vector<std::u16string>{out.path(), u"\u3000"}}) {
        const ProcessResult result = runCli(arguments);
        EXPECT_EQ(result.status, 2);
        EXPECT_EQ(result.err, "Markroll: 未入力項目が有ります\n");
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
    EXPECT_SAME_PAGE(readBytes(dataPath(u"pages/nested.htm")), readBytes(pageFile(out.path())));
}

TEST(Cli, FailuresGoToStandardErrorInOrderAndGiveStatusOne)
{
    TempTree tree;
    const ProcessResult missingFavorites = runCli({tree.path(u"missing"), tree.path()});
    EXPECT_EQ(missingFavorites.status, 1);
    EXPECT_EQ(missingFavorites.err, errorLine);
    EXPECT_EQ(missingFavorites.out, completedLine);

    tree.folder(u"fav");
    const ProcessResult missingOutput = runCli({tree.path(u"fav"), tree.path(u"missing")});
    EXPECT_EQ(missingOutput.status, 1);
    EXPECT_EQ(missingOutput.err, errorLine);
    EXPECT_EQ(missingOutput.out, "");
}

// Root may write anywhere, so the refusal is made real by running as nobody.
TEST(Cli, AnOutputFolderWithoutWritePermissionIsAFailure)
{
    std::vector<std::string> asNobody;
    if (geteuid() == 0) {
        const std::string setpriv = findProgram("setpriv");
        if (setpriv.empty())
            GTEST_SKIP() << "running as root without setpriv: no way to be refused";
        asNobody = {setpriv, "--reuid=65534", "--regid=65534", "--clear-groups"};
    }
    // Outside the private temporary folder, so nobody can reach it.
    TempTree shared;
    const std::u16string fav = shared.folder(u"fav");
    const std::u16string locked = shared.folder(u"locked");
    const auto readable = fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read | fs::perms::group_exec |
        fs::perms::others_read | fs::perms::others_exec;
    for (const auto& path : {shared.fsPath(), shared.fsPath(u"fav"), shared.fsPath(u"locked")})
        fs::permissions(path, readable);
    const ProcessResult result = runCli({fav, locked}, {}, asNobody);
    EXPECT_EQ(result.status, 1) << result.err;
    EXPECT_EQ(result.err, errorLine);
    EXPECT_FALSE(fs::exists(shared.fsPath(u"locked/ALL_Favorites_Link.htm")));
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
