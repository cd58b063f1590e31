// Where markroll-cli --bookmarks FILE points, on Linux: what stands there and
// beside it is never hurt. FILE never takes the page's place however it is
// spelled; devices, pipes and standard output are written through; a replaced
// file keeps its mode; any name the file system takes is written. What needs
// root (a mount, a device node) is skipped, saying so, without it.
#include "tests/support/Process.h"
#include "tests/support/TestSupport.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <thread>
#include <unistd.h>

using namespace markroll::test;
namespace fs = std::filesystem;

namespace {

const std::string previousPage = "the previous page";
const std::string completedLine = "Markroll: 出力完了！！\n";
const std::string refusal = "markroll-cli: --bookmarks names the page itself";
const std::string fileHead = "<!DOCTYPE NETSCAPE-Bookmark-file-1>";
// A setup script's own status for "this machine cannot make it".
constexpr int CannotSetUp = 77;

class BookmarkTargetPosix : public ::testing::Test {
protected:
    BookmarkTargetPosix()
    {
        tree.shortcut(u"fav/a.url", u"http://a.example/");
        tree.shortcut(u"fav/sub/b.url", u"http://b.example/");
        tree.file(u"out/ALL_Favorites_Link.htm", previousPage);
    }

    ProcessResult run(const std::string& bookmarks, const std::vector<std::string>& prefix = {}) const
    {
        std::vector<std::string> command = prefix;
        command.insert(command.end(), {MARKROLL_CLI_PATH, "--bookmarks", bookmarks, utf8(tree.path(u"fav")),
                                       utf8(tree.path(u"out"))});
        return runProcess(command);
    }

    // A shell script run as `sh -c SCRIPT sh ARGUMENT...`.
    static ProcessResult script(const std::string& text, std::vector<std::string> arguments,
                                const std::vector<std::string>& prefix = {}, const std::string& shell = "/bin/sh")
    {
        std::vector<std::string> command = prefix;
        command.insert(command.end(), {shell, "-c", text, "sh"});
        command.insert(command.end(), arguments.begin(), arguments.end());
        return runProcess(command, {}, std::chrono::seconds(120));
    }

    std::string page() const { return readBytes(tree.path(u"out/ALL_Favorites_Link.htm")); }

    TempTree tree;
};

std::vector<std::string> privateMountNamespace() { return {"/usr/bin/unshare", "-m", "--propagation", "private"}; }

void expectRefused(const ProcessResult& result)
{
    EXPECT_EQ(result.status, 2) << result.err;
    EXPECT_TRUE(result.err.starts_with(refusal)) << result.err;
}

mode_t modeOf(const fs::path& path)
{
    struct stat status {};
    EXPECT_EQ(::lstat(path.c_str(), &status), 0) << path;
    return status.st_mode;
}

// What a FIFO's writer sends, read by a reader that is there before the
// writer comes (so the writer's open does not wait) and stops when the
// writer has gone, or after half a minute without one.
std::string readUntilWriterLeaves(const fs::path& fifo)
{
    const int descriptor = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    std::string received;
    pollfd wait{descriptor, POLLIN, 0};
    while (descriptor >= 0 && ::poll(&wait, 1, 30000) > 0) {
        char buffer[4096];
        const ssize_t got = ::read(descriptor, buffer, sizeof buffer);
        if (got > 0)
            received.append(buffer, std::size_t(got));
        else if (got == 0 || errno != EAGAIN)
            break;
    }
    if (descriptor >= 0)
        ::close(descriptor);
    return received;
}

} // namespace

// Links, "..", a link to the page and a hard link of it are all the page.
TEST_F(BookmarkTargetPosix, ThePageUnderAnotherNameIsRefused)
{
    tree.symlink(tree.path(u"out"), u"alias");
    tree.symlink(tree.path(u"out/ALL_Favorites_Link.htm"), u"page-link.htm");
    fs::create_hard_link(tree.fsPath(u"out/ALL_Favorites_Link.htm"), tree.fsPath(u"hard-link.htm"));
    for (const char16_t* spelling : {u"out/ALL_Favorites_Link.htm", u"alias/ALL_Favorites_Link.htm",
                                     u"fav/sub/../../out/ALL_Favorites_Link.htm", u"page-link.htm",
                                     u"hard-link.htm"}) {
        SCOPED_TRACE(utf8(spelling));
        expectRefused(run(utf8(tree.path(spelling))));
        EXPECT_EQ(page(), previousPage);
    }
}

// The output folder bind-mounted elsewhere, in a mount namespace of the test's own.
TEST_F(BookmarkTargetPosix, ABindMountOfTheOutputFolderIsStillThePage)
{
    tree.folder(u"mounted");
    const ProcessResult result =
        script("mount --bind \"$1\" \"$2\" || exit 77; exec \"$3\" --bookmarks \"$2/ALL_Favorites_Link.htm\" \"$4\" \"$1\"",
               {utf8(tree.path(u"out")), utf8(tree.path(u"mounted")), MARKROLL_CLI_PATH, utf8(tree.path(u"fav"))},
               privateMountNamespace());
    if (result.status == CannotSetUp || (result.status == 1 && result.err.starts_with("unshare")))
        GTEST_SKIP() << "no private mount namespace here (needs root): " << result.err;
    expectRefused(result);
    EXPECT_EQ(page(), previousPage);
}

// exFAT through FUSE on a loop device ignores letter case, as FAT, NTFS and a
// Windows share do: the page's name in other letter cases is the page, with
// no page there yet (the folder is asked how it compares names) and with one
// (whose inode FUSE numbers anew for each spelling).
TEST_F(BookmarkTargetPosix, OnAFileSystemThatIgnoresLetterCaseAnyCaseIsThePage)
{
    tree.file(u"disk.img", "");
    fs::resize_file(tree.fsPath(u"disk.img"), 16 << 20);
    const std::string setUp = R"(
        command -v mkfs.exfat > /dev/null && command -v mount.exfat-fuse > /dev/null || exit 77
        mkfs.exfat "$1" > /dev/null 2>&1 || exit 77
        device=$(losetup -f --show "$1") || exit 77
        mkdir -p "$2"
        mount.exfat-fuse "$device" "$2" > /dev/null 2>&1 || { losetup -d "$device"; exit 77; }
        trap 'umount "$2"; losetup -d "$device"' EXIT
        "$3" --bookmarks "$2/all_favorites_link.htm" "$4" "$2"; echo "without a page: $?"
        ls -A "$2"
        printf previous > "$2/ALL_Favorites_Link.htm"
        for name in all_favorites_link.htm ALL_FAVORITES_LINK.HTM All_Favorites_Link.Htm; do
          "$3" --bookmarks "$2/$name" "$4" "$2" 2> /dev/null; echo "$name: $?"
        done
        cat "$2/ALL_Favorites_Link.htm"; echo)";
    const ProcessResult result = script(
        setUp, {utf8(tree.path(u"disk.img")), utf8(tree.path(u"mnt")), MARKROLL_CLI_PATH, utf8(tree.path(u"fav"))},
        privateMountNamespace());
    if (result.status == CannotSetUp || (result.status == 1 && result.err.starts_with("unshare")))
        GTEST_SKIP() << "no exFAT file system can be made here (needs root, a loop device, FUSE, exfatprogs "
                        "and exfat-fuse): "
                     << result.err;
    EXPECT_EQ(result.out, "without a page: 2\n"
                          "all_favorites_link.htm: 2\nALL_FAVORITES_LINK.HTM: 2\nAll_Favorites_Link.Htm: 2\n"
                          "previous\n")
        << result.err;
}

// From a working folder deeper than PATH_MAX, with relative paths: the
// paths cannot be made absolute, yet the folder is known for what it is.
// Bash, as dash's cd cannot go past PATH_MAX.
TEST_F(BookmarkTargetPosix, RelativePathsBelowAWorkingFolderPastThePathLimit)
{
    const std::string deep = R"(
        cd "$1" || exit 77
        step=$(printf '%0200d' 0)
        i=0; while [ $i -lt 25 ]; do mkdir "$step" && cd "$step" || exit 77; i=$((i + 1)); done
        mkdir fav out && printf '[InternetShortcut]\r\nURL=http://a/\r\n' > fav/a.url
        printf previous > out/ALL_Favorites_Link.htm
        "$2" --bookmarks out/ALL_Favorites_Link.htm fav out; echo "status $?"
        "$2" --bookmarks ./out/../out/ALL_Favorites_Link.htm fav out; echo "status $?"
        cat out/ALL_Favorites_Link.htm; echo
        cd "$1" && rm -rf "$step")";
    const ProcessResult result = script(deep, {utf8(tree.path()), MARKROLL_CLI_PATH}, {}, "/bin/bash");
    ASSERT_NE(result.status, CannotSetUp) << result.err;
    EXPECT_EQ(result.out, "status 2\nstatus 2\nprevious\n") << result.err;
}

// "-", /proc/self/fd/1 and a link to it give standard output the bookmark
// file alone (the completion line goes to standard error); a FIFO is written
// into for its reader. Each stays what it was.
TEST_F(BookmarkTargetPosix, StandardOutputAndPipesAreWrittenThroughNeverReplaced)
{
    const ProcessResult dash = run("-");
    ASSERT_EQ(dash.status, 0) << dash.err;
    EXPECT_TRUE(dash.out.starts_with(fileHead)) << dash.out;
    EXPECT_NE(dash.out.find("http://b.example/"), std::string::npos) << dash.out;
    EXPECT_EQ(dash.err, completedLine);
    EXPECT_NE(page(), previousPage);

    tree.symlink(u"/proc/self/fd/1", u"stdout");
    for (const std::string& path : {std::string("/proc/self/fd/1"), utf8(tree.path(u"stdout"))}) {
        const ProcessResult result = run(path);
        EXPECT_EQ(result.status, 0) << path << ": " << result.err;
        EXPECT_EQ(result.out, dash.out) << path;
        EXPECT_EQ(result.err, completedLine) << path;
    }
    EXPECT_TRUE(S_ISLNK(modeOf(tree.fsPath(u"stdout"))));

    const fs::path fifo = tree.fsPath(u"pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::string received;
    std::thread reader([&] { received = readUntilWriterLeaves(fifo); });
    const ProcessResult result = run(fifo.string());
    reader.join();
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, completedLine);
    EXPECT_EQ(received, dash.out);
    EXPECT_TRUE(S_ISFIFO(modeOf(fifo)));
}

// A device node of the null device in the test's own folder, as /dev/null is:
// written into, and still the device after the run.
TEST_F(BookmarkTargetPosix, ADeviceIsWrittenIntoAndStaysTheDevice)
{
    const fs::path null = tree.fsPath(u"null");
    if (::mknod(null.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0)
        GTEST_SKIP() << "no device node can be made here (needs root)";
    const ProcessResult result = run(null.string());
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, completedLine);
    EXPECT_TRUE(S_ISCHR(modeOf(null)));
    EXPECT_NE(page(), previousPage);
}

// A private page and a private bookmark file stay private; as root, their
// owner and group stay too.
TEST_F(BookmarkTargetPosix, AReplacedFileKeepsItsModeOwnerAndGroup)
{
    const fs::path bookmarks = fs::path(utf8(tree.file(u"out/b.html", "previous bookmarks")));
    const fs::path pagePath = tree.fsPath(u"out/ALL_Favorites_Link.htm");
    const bool root = ::geteuid() == 0;
    for (const fs::path& path : {pagePath, bookmarks}) {
        ASSERT_EQ(::chmod(path.c_str(), 0600), 0);
        if (root) {
            ASSERT_EQ(::chown(path.c_str(), 65534, 65534), 0);
        }
    }
    const ProcessResult result = run(bookmarks.string());
    ASSERT_EQ(result.status, 0) << result.err;
    for (const fs::path& path : {pagePath, bookmarks}) {
        struct stat status {};
        ASSERT_EQ(::stat(path.c_str(), &status), 0);
        EXPECT_EQ(status.st_mode & 07777, 0600u) << path;
        if (root) {
            EXPECT_EQ(status.st_uid, 65534u) << path;
            EXPECT_EQ(status.st_gid, 65534u) << path;
        }
    }
    EXPECT_TRUE(readFileBytes(bookmarks).starts_with(fileHead));
}

// 85 Japanese characters are 255 bytes, the most a name may hold: the
// temporary name beside it must not need more.
TEST_F(BookmarkTargetPosix, TheLongestNameTheFileSystemTakesIsWritten)
{
    std::u16string name;
    for (int i = 0; i < 85; ++i)
        name += u"あ";
    const std::u16string path = tree.path(u"out/" + name);
    ASSERT_EQ(utf8(name).size(), 255u);
    const ProcessResult result = run(utf8(path));
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_TRUE(readBytes(path).starts_with(fileHead));
    EXPECT_EQ(filesIn(tree.path(u"out")).size(), 2u);
}
