#include "tests/cli/CliRuns.h"
#include "tests/support/Process.h"
#include "tests/support/TestSupport.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>
#include <unistd.h>

using namespace markroll::test;
namespace fs = std::filesystem;

namespace {

// What starts a program as an ordinary user: nothing when the tests are one
// already, setpriv to nobody as root; none without setpriv.
std::optional<std::vector<std::string>> asAnOrdinaryUser()
{
    if (geteuid() != 0)
        return std::vector<std::string>();
    const std::string setpriv = findProgram("setpriv");
    if (setpriv.empty())
        return std::nullopt;
    return std::vector<std::string>{setpriv, "--reuid=65534", "--regid=65534", "--clear-groups"};
}

} // namespace

// POSIX only: the refusal is made real by running as an unprivileged user.
// Root may write anywhere, so the refusal is made real by running as nobody.
TEST(CliPosix, AnOutputFolderWithoutWritePermissionIsAFailure)
{
    const auto asNobody = asAnOrdinaryUser();
    if (!asNobody)
        GTEST_SKIP() << "running as root without setpriv: no way to be refused";
    // Outside the private temporary folder, so nobody can reach it.
    TempTree shared;
    const std::u16string fav = shared.folder(u"fav");
    const std::u16string locked = shared.folder(u"locked");
    const auto readable = fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read | fs::perms::group_exec |
        fs::perms::others_read | fs::perms::others_exec;
    for (const auto& path : {shared.fsPath(), shared.fsPath(u"fav"), shared.fsPath(u"locked")})
        fs::permissions(path, readable);
    const ProcessResult result = runCli({fav, locked}, {}, *asNobody);
    EXPECT_EQ(result.status, 1) << result.err;
    EXPECT_EQ(result.err, "Markroll: エラーが発生しました (" + utf8(pageFile(locked)) + ": " + sessionReason(EACCES) + ")\n");
    EXPECT_FALSE(fs::exists(shared.fsPath(u"locked/ALL_Favorites_Link.htm")));
}

// As an ordinary user: a link into a folder nobody may search is left out
// without a word, and an output folder that may be written but not read
// (0333) takes the page, whose folder then cannot be put on the disk: told,
// with status 1, and the page stands.
TEST(CliPosix, AsAnOrdinaryUserAClosedFolderIsLeftOutAndAnUnreadableOutputFolderIsTold)
{
    const auto asNobody = asAnOrdinaryUser();
    if (!asNobody)
        GTEST_SKIP() << "running as root without setpriv: no way to be refused";
    TempTree shared;
    shared.shortcut(u"fav/a.url", u"http://a/");
    shared.shortcut(u"closed/inner/x.url", u"http://x/");
    shared.symlink(shared.path(u"closed/inner"), u"fav/link");
    const std::u16string out = shared.folder(u"out");
    const auto open = fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec | fs::perms::others_read |
        fs::perms::others_exec;
    for (const auto& path : {shared.fsPath(), shared.fsPath(u"fav")})
        fs::permissions(path, open);
    fs::permissions(shared.fsPath(u"closed"), fs::perms::owner_all);
    fs::permissions(shared.fsPath(u"out"), fs::perms::owner_write | fs::perms::owner_exec | fs::perms::group_write |
                                               fs::perms::group_exec | fs::perms::others_write | fs::perms::others_exec);
    if (geteuid() != 0)
        fs::permissions(shared.fsPath(u"closed"), fs::perms::none);
    const ProcessResult result = runCli({shared.path(u"fav"), out}, {}, *asNobody);
    fs::permissions(shared.fsPath(u"out"), fs::perms::owner_all);
    fs::permissions(shared.fsPath(u"closed"), fs::perms::owner_all);
    EXPECT_EQ(result.status, 1) << result.err;
    EXPECT_EQ(result.err, "Markroll: エラーが発生しました (" + utf8(pageFile(out)) +
                              ": the new file is in place, but its folder could not be put on the disk (" +
                              sessionReason(EACCES) + "), so its name may not survive a power loss)\n");
    const std::string page = readBytes(pageFile(out));
    EXPECT_NE(page.find("http://a/"), std::string::npos);
    EXPECT_EQ(page.find("http://x/"), std::string::npos) << "the closed folder is left out";
    EXPECT_EQ(page.find("link"), std::string::npos) << "and its link is not named";
}

// POSIX only: Linux names are bytes; Windows names are UTF-16 already.
// A name that is not UTF-8 is passed on byte for byte and opens.
TEST(CliPosix, PathsAreTakenByteForByte)
{
    TempTree tree;
    const std::string favorites = (tree.fsPath() / "\x82\xA8\x8B\x43\x82\xC9\x93\xFC\x82\xE8").string();  // お気に入り
    fs::create_directories(favorites);
    tree.folder(u"out");
    std::ofstream(favorites + "/a.url", std::ios::binary) << shortcutBytes(u"http://a/");
    const ProcessResult result = runProcess({MARKROLL_CLI_PATH, favorites, utf8(tree.path(u"out"))});
    EXPECT_EQ(result.status, 0) << result.err;
    const std::string page = readBytes(pageFile(tree.path(u"out")));
    EXPECT_NE(page.find("\x82\xA8\x8B\x43\x82\xC9\x93\xFC\x82\xE8</B>"), std::string::npos) << "the heading reads お気に入り";
    EXPECT_NE(page.find("<LI><A Href=\"http://a/\">a</A></LI>"), std::string::npos);
}

// POSIX only: Windows has no named pipes in folders.
// A pipe would block a program that opened it; the page replaces it instead.
TEST(CliPosix, APipeAtThePagesNameIsReplacedWithoutHanging)
{
    TempTree tree;
    tree.shortcut(u"fav/a.url", u"http://a/");
    tree.folder(u"out");
    ASSERT_EQ(::mkfifo(tree.fsPath(u"out/ALL_Favorites_Link.htm").c_str(), 0600), 0);
    const ProcessResult result =
        runProcess({MARKROLL_CLI_PATH, utf8(tree.path(u"fav")), utf8(tree.path(u"out"))}, {}, std::chrono::seconds(20));
    ASSERT_NE(result.status, -1) << "markroll-cli hung on a pipe";
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_TRUE(fs::is_regular_file(tree.fsPath(u"out/ALL_Favorites_Link.htm")));
}

// The system's folder for temporary files, for the processes this test starts.
class TemporaryFolderForChildren {
public:
    explicit TemporaryFolderForChildren(const fs::path& folder)
    {
        if (const char* before = std::getenv("TMPDIR"))
            before_ = before;
        ::setenv("TMPDIR", folder.c_str(), 1);
    }
    ~TemporaryFolderForChildren()
    {
        if (before_)
            ::setenv("TMPDIR", before_->c_str(), 1);
        else
            ::unsetenv("TMPDIR");
    }

private:
    std::optional<std::string> before_;
};

// POSIX only: the run is interrupted with SIGTERM. The bookmark file's
// scratch file among the temporary files goes too.
TEST(CliPosix, AnInterruptedRunLeavesThePreviousPageAndBookmarksAndNoTemporaryFile)
{
    TempTree tree;
    makeWideTree(tree, 20000);
    tree.folder(u"tmp");
    const TemporaryFolderForChildren temporaryFiles(tree.fsPath(u"tmp"));
    const std::u16string out = tree.file(u"out/ALL_Favorites_Link.htm", "the previous page");
    const std::u16string bookmarks = tree.file(u"out/b.html", "the previous bookmarks");
    bool sawTemporary = false;
    const ProcessResult result = runProcess(
        {MARKROLL_CLI_PATH, "--bookmarks", utf8(bookmarks), utf8(tree.path(u"fav")), utf8(tree.path(u"out"))}, {},
        std::chrono::seconds(60),
        [&](int processId) {
            for (int wait = 0; wait < 20000 && !sawTemporary; ++wait) {
                sawTemporary = !hiddenEntries(tree.fsPath(u"out")).empty();
                if (!sawTemporary)
                    ::usleep(100);
            }
            ::kill(processId, SIGTERM);
        });
    if (!sawTemporary && result.status == 0)
        GTEST_SKIP() << "the run ended before it could be interrupted";
    EXPECT_EQ(result.status, 128 + SIGTERM);
    EXPECT_EQ(readBytes(out), "the previous page");
    EXPECT_EQ(readBytes(bookmarks), "the previous bookmarks");
    EXPECT_EQ(hiddenEntries(tree.fsPath(u"out")), std::vector<std::string>());
    EXPECT_EQ(filesIn(tree.path(u"tmp")), std::vector<std::string>());

    const ProcessResult whole = runProcess(
        {MARKROLL_CLI_PATH, "--bookmarks", utf8(bookmarks), utf8(tree.path(u"fav")), utf8(tree.path(u"out"))});
    EXPECT_EQ(whole.status, 0) << whole.err;
    EXPECT_EQ(filesIn(tree.path(u"tmp")), std::vector<std::string>());
}

// The scratch file is the bookmark file's: where it cannot be made, the
// bookmark file fails with the reason and status 1, the previous one stays,
// and the page is written.
TEST(CliPosix, AScratchFileThatCannotBeMadeFailsTheBookmarkFileAlone)
{
    TempTree tree;
    tree.shortcut(u"fav/a.url", u"http://a/");
    const std::u16string bookmarks = tree.file(u"out/b.html", "the previous bookmarks");
    const TemporaryFolderForChildren temporaryFiles(tree.fsPath(u"missing"));
    const ProcessResult result = runCli({u"--bookmarks", bookmarks, tree.path(u"fav"), tree.path(u"out")});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "Markroll: エラーが発生しました (" + utf8(tree.path(u"missing")) + ": " + sessionReason(ENOENT) +
                              ")" + std::string(ConsoleLineEnd));
    EXPECT_EQ(readBytes(bookmarks), "the previous bookmarks");
    EXPECT_NE(readBytes(tree.path(u"out/ALL_Favorites_Link.htm")).find("http://a/"), std::string::npos);
    EXPECT_EQ(hiddenEntries(tree.fsPath(u"out")), std::vector<std::string>());
}

// A name can neither split a message over two lines nor steer the terminal.
// POSIX only: Windows names cannot hold control characters.
TEST(CliPosix, ControlCharactersInNamesAreShownEscapedOnOneLine)
{
    TempTree tree;
    const std::u16string hostile = tree.path(u"line\nfeed\x1b[31m red\u0085next\u2028sep\u007f");
    const ProcessResult result = runCli({hostile, tree.path()});
    EXPECT_EQ(result.status, 1);
    const std::string escaped = utf8(tree.path()) + "/line\\nfeed\\x1b[31m red\\u0085next\\u2028sep\\x7f";
    EXPECT_EQ(result.err, "Markroll: エラーが発生しました (" + escaped + ": " + sessionReason(ENOENT) + ")" +
                              std::string(ConsoleLineEnd));
}
