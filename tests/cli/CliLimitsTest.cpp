// markroll-cli under real limits and faults of the OS: few descriptors, little
// memory, a small file size limit, a limit on processes, a fast read that a
// sandbox refuses, output streams that are closed pipes, a full disk and a
// signal right after the page is done. Each run ends with its message and
// exit status, never by a signal, and leaves no temporary file. Linux only.
#include "tests/support/Process.h"
#include "tests/support/SmallFileSystem.h"
#include "tests/support/TestSupport.h"

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace markroll::test;
namespace fs = std::filesystem;

namespace {

const std::string completedLine = "Markroll: 出力完了！！\n";
const std::string errorOccurred = "Markroll: エラーが発生しました";
const std::string fileOutputFailed = "警告！: ファイルの出力に失敗しました";
const std::string previousPage = "the previous page";
const std::vector<std::string> onlyThePage{"ALL_Favorites_Link.htm"};

// Folders d00..d09 of five shortcuts each below fav, and out with a previous page.
class CliLimits : public ::testing::Test {
protected:
    CliLimits()
    {
        for (int folder = 0; folder < 10; ++folder)
            for (int shortcut = 0; shortcut < 5; ++shortcut)
                tree.shortcut(numbered("fav/d%02d/", folder) + numbered("s%d.url", shortcut),
                              numbered("http://example.jp/%d", folder * 10 + shortcut));
        tree.folder(u"out");
        keepPreviousPage();
    }

    void keepPreviousPage() const { tree.file(u"out/ALL_Favorites_Link.htm", previousPage); }

    ProcessResult run(const std::vector<std::string>& prefix, const std::u16string& output = {},
                      std::u16string_view favorites = u"fav", const std::u16string& bookmarks = {}) const
    {
        std::vector<std::string> command = prefix;
        command.push_back(MARKROLL_CLI_PATH);
        if (!bookmarks.empty())
            command.insert(command.end(), {"--bookmarks", utf8(bookmarks)});
        command.push_back(utf8(tree.path(favorites)));
        command.push_back(utf8(output.empty() ? tree.path(u"out") : output));
        return runProcess(command);
    }

    std::string page() const { return readBytes(tree.path(u"out/ALL_Favorites_Link.htm")); }
    std::vector<std::string> left() const { return filesIn(tree.path(u"out")); }

    // The page of a run with nothing in the way.
    std::string wholePage() const
    {
        const ProcessResult result = run({});
        EXPECT_EQ(result.status, 0) << result.err;
        return page();
    }

    TempTree tree;
};

std::string tool(const std::string& name)
{
    const std::string path = findProgram(name);
    EXPECT_FALSE(path.empty()) << name << " is not installed";
    return path;
}

std::vector<std::string> withFault(std::initializer_list<std::string> options)
{
    std::vector<std::string> prefix{MARKROLL_FAULT_RUNNER};
    prefix.insert(prefix.end(), options);
    prefix.push_back("--");
    return prefix;
}

// The process doing the work: `processId` itself, or the one child a shell started.
int workerOf(int processId)
{
    const std::string id = std::to_string(processId);
    const std::string children = readFileBytes("/proc/" + id + "/task/" + id + "/children");
    return children.empty() || children.starts_with("<missing") ? processId : std::stoi(children);
}

// The signals the process ignores, bit N - 1 for signal N, as the kernel shows them.
unsigned long long ignoredSignalsOf(int processId)
{
    const std::string status = readFileBytes("/proc/" + std::to_string(processId) + "/status");
    const std::size_t line = status.find("SigIgn:");
    return line == std::string::npos ? 0 : std::stoull(status.substr(line + 7), nullptr, 16);
}

bool waitsOnAFullPipe(int processId)
{
    return readFileBytes("/proc/" + std::to_string(processId) + "/wchan").ends_with("pipe_write");
}

} // namespace

// Which read fails for want of a descriptor must not depend on timing: the
// same tree under the same limit gives the same page and the same messages.
TEST_F(CliLimits, FewDescriptorsGiveTheSamePageAndMessagesEveryRun)
{
    const ProcessResult first = run({tool("prlimit"), "--nofile=5", "--"});
    EXPECT_EQ(first.status, 1) << first.err;
    EXPECT_NE(first.err.find(fileOutputFailed), std::string::npos) << first.err;
    EXPECT_EQ(first.err.find("Aborted"), std::string::npos);
    const std::string firstPage = page();
    EXPECT_NE(firstPage, previousPage);
    for (int again = 1; again < 12; ++again) {
        const ProcessResult result = run({tool("prlimit"), "--nofile=5", "--"});
        EXPECT_EQ(result.status, first.status);
        EXPECT_EQ(result.err, first.err) << "run " << again;
        EXPECT_EQ(page(), firstPage) << "run " << again;
        EXPECT_EQ(left(), onlyThePage);
    }
}

// Descriptors a parent left open, under a limit that looks roomy, leave six
// free: on a cold disk, where the helpers that warm the cache would start,
// every run still gives the whole page. Only root may drop the caches.
TEST_F(CliLimits, DescriptorsAParentLeftOpenChangeNothingOnAColdDisk)
{
    for (int folder = 0; folder < 10; ++folder)
        for (int shortcut = 0; shortcut < 200; ++shortcut)
            tree.shortcut(numbered("fav/d%02d/", folder) + numbered("t%03d.url", shortcut), u"http://example.jp/");
    const std::string whole = wholePage();
    if (!std::ofstream("/proc/sys/vm/drop_caches"))
        GTEST_SKIP() << "the caches cannot be dropped here (needs root and a writable /proc/sys/vm/drop_caches)";
    std::vector<int> leaked;
    for (int descriptor = ::open("/dev/null", O_RDONLY); descriptor >= 0; descriptor = ::open("/dev/null", O_RDONLY)) {
        leaked.push_back(descriptor);
        if (descriptor >= 249)
            break;
    }
    for (int again = 0; again < 5; ++again) {
        keepPreviousPage();
        ::sync();
        std::ofstream("/proc/sys/vm/drop_caches") << "3\n";
        const ProcessResult result = run({tool("prlimit"), "--nofile=256", "--"});
        EXPECT_EQ(result.status, 0) << "run " << again << ": " << result.err;
        EXPECT_SAME_PAGE(whole, page());
    }
    for (const int descriptor : leaked)
        ::close(descriptor);
}

// From the least memory the program loads in to enough for the whole run:
// every run either completes or tells its failure, never ends by a signal,
// and never leaves its temporary page.
TEST_F(CliLimits, LittleMemoryIsAFailureMessageNeverACrash)
{
    const std::string whole = wholePage();
    int told = 0, completed = 0;
    for (int kilobytes = 5000; kilobytes <= 12000; kilobytes += 100) {
        keepPreviousPage();
        const ProcessResult result = run({tool("prlimit"), "--as=" + std::to_string(kilobytes * 1024), "--"});
        // 127 is the loader's: it gave up before the program ran.
        if (result.status == 127 && result.err.find("Markroll") == std::string::npos)
            continue;
        ASSERT_TRUE(result.status == 0 || result.status == 1) << kilobytes << " KiB: status " << result.status << "\n"
                                                              << result.err;
        EXPECT_EQ(left(), onlyThePage) << kilobytes << " KiB";
        if (result.status == 0) {
            ++completed;
            EXPECT_EQ(page(), whole) << kilobytes << " KiB";
        } else {
            ++told;
            EXPECT_NE(result.err.find("ました"), std::string::npos) << kilobytes << " KiB: " << result.err;
            EXPECT_TRUE(page() == previousPage || page().ends_with("\r\n")) << kilobytes << " KiB";
        }
    }
    EXPECT_GT(told, 0) << "no limit was tight enough to fail the run";
    EXPECT_GT(completed, 0) << "no limit was loose enough to complete the run";
}

TEST_F(CliLimits, AFileSizeLimitIsAFailedWriteNotASignal)
{
    const std::string whole = wholePage();
    keepPreviousPage();
    const ProcessResult result = run({tool("prlimit"), "--fsize=2000", "--"});
    EXPECT_EQ(result.status, 1) << result.err;
    EXPECT_NE(result.err.find(errorOccurred), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("File too large"), std::string::npos) << result.err;
    EXPECT_EQ(result.out, "");
    EXPECT_LE(page().size(), 2000u);
    EXPECT_TRUE(page().ends_with("\r\n")) << "the page ends after its last whole line";
    EXPECT_TRUE(whole.starts_with(page()));
    EXPECT_EQ(left(), onlyThePage);
}

// A helper thread that cannot start is help missed, no more. As root the
// limit on processes does not hold, so the run is made as nobody.
TEST_F(CliLimits, NoThreadToSpareStillWritesTheWholePage)
{
    const std::string whole = wholePage();
    TempTree shared;
    const std::u16string out = shared.folder(u"out");
    for (const auto& path : {shared.fsPath(), shared.fsPath(u"out")})
        fs::permissions(path, fs::perms::all);
    std::vector<std::string> prefix;
    if (geteuid() == 0)
        prefix = {tool("setpriv"), "--reuid=65534", "--regid=65534", "--clear-groups"};
    prefix.insert(prefix.end(), {tool("prlimit"), "--nproc=1", "--"});
    fs::permissions(tree.fsPath(), fs::perms::others_read | fs::perms::others_exec, fs::perm_options::add);
    const ProcessResult result = run(prefix, out);
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, completedLine);
    EXPECT_EQ(readBytes(pageFile(out)), whole);
}

// The walk keeps its pending folders off the call stack: a tree as deep as
// the folder table holds runs to its page on a stack of 256 KiB.
TEST_F(CliLimits, ADeepTreeRunsToItsPageOnASmallStack)
{
    std::u16string deepest = u"deep";
    for (int level = 1; level < 1000; ++level)
        deepest += u"/d";
    tree.shortcut(deepest + u"/last.url", u"http://example.jp/last");
    const ProcessResult result = run({tool("prlimit"), "--stack=262144", "--"}, {}, u"deep");
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, completedLine);
    EXPECT_EQ(countOf(page(), "<OL>"), 1000u);
    EXPECT_NE(page().find(">last</A></LI>\r\n</OL>\r\n</BODY></HTML>\r\n"), std::string::npos);
}

// Sandboxes refuse calls they do not know with EPERM; old kernels reject the
// flag with EINVAL. Either way the plain read serves, and no shortcut is
// taken for unreadable.
TEST_F(CliLimits, ARefusedFastReadFallsBackToThePlainRead)
{
    const std::string whole = wholePage();
    for (const std::string error : {"EPERM", "EINVAL"}) {
        keepPreviousPage();
        const ProcessResult result = run(withFault({"--refuse-fast-read=" + error}));
        EXPECT_EQ(result.status, 0) << error << ": " << result.err;
        EXPECT_EQ(result.out, completedLine);
        EXPECT_EQ(page(), whole) << error;
    }
}

// A shortcut that may not be read is unreadable: its notice line, and the run
// completes. A disk that fails while a shortcut is opened is no broken
// shortcut: each section meeting it tells the failure with its reason, and
// the run says it failed.
TEST_F(CliLimits, ADeviceErrorOpeningAShortcutIsAFailureADenialANotice)
{
    const ProcessResult denied = run(withFault({"--fail-shortcut-open=EACCES"}));
    EXPECT_EQ(denied.status, 0) << denied.err;
    EXPECT_EQ(denied.out, completedLine);
    EXPECT_EQ(countOf(page(), "\x81\xa6\x81\xa6"), 50u) << "a notice line for every shortcut";

    keepPreviousPage();
    const ProcessResult failing = run(withFault({"--fail-shortcut-open=EIO"}));
    EXPECT_EQ(failing.status, 1) << failing.err;
    EXPECT_EQ(failing.out, completedLine) << "the page around the failed sections is written";
    EXPECT_EQ(countOf(failing.err, fileOutputFailed), 10u) << failing.err;
    EXPECT_EQ(countOf(failing.err, "Input/output error"), 10u) << failing.err;
    EXPECT_EQ(countOf(page(), "\x81\xa6\x81\xa6"), 0u) << "no shortcut is taken for broken";
    EXPECT_EQ(left(), onlyThePage);
}

// A failure line written into a pipe nobody reads is no SIGPIPE: the run goes
// on, places its page and says by its status that a message was lost.
TEST_F(CliLimits, AClosedPipeOnStandardErrorEndsNoRun)
{
    const std::vector<std::string> fewDescriptors{tool("prlimit"), "--nofile=5", "--"};
    const ProcessResult told = run(fewDescriptors);
    ASSERT_EQ(told.status, 1) << told.err;
    const std::string pageWithFailures = page();
    keepPreviousPage();
    std::vector<std::string> prefix = withFault({"--broken=2"});
    prefix.insert(prefix.end(), fewDescriptors.begin(), fewDescriptors.end());
    const ProcessResult result = run(prefix);
    EXPECT_EQ(result.status, 3) << "its failure lines could not be written";
    EXPECT_EQ(page(), pageWithFailures);
    EXPECT_EQ(left(), onlyThePage);
}

TEST_F(CliLimits, AClosedStandardOutputStillPlacesThePage)
{
    const std::string whole = wholePage();
    keepPreviousPage();
    const ProcessResult result = run(withFault({"--broken=1"}));
    EXPECT_EQ(result.status, 3) << "the completion line could not be written";
    EXPECT_EQ(page(), whole);
    EXPECT_EQ(left(), onlyThePage);
}

// The usage and the version are the program's whole answer: one that cannot
// be written is no success, and a pipe nobody reads is no SIGPIPE.
TEST_F(CliLimits, HelpAndVersionThatCannotBeWrittenGiveStatusThree)
{
    for (const char* question : {"--help", "--version"}) {
        for (const char* fault : {"--broken=1", "--closed=1"}) {
            const ProcessResult result = runProcess({MARKROLL_FAULT_RUNNER, fault, "--", MARKROLL_CLI_PATH, question});
            EXPECT_EQ(result.status, 3) << question << " " << fault;
        }
        EXPECT_EQ(runProcess({MARKROLL_CLI_PATH, question}).status, 0) << question;
    }
}

// Started without a standard stream, the program opens it on the null device
// before anything else, so no file of its own takes that number: the page
// holds only the page, and a message that had nowhere to go gives status 3.
TEST_F(CliLimits, ClosedStandardStreamsNeverTakeThePagesPlace)
{
    const ProcessResult withFailures = run(withFault({"--fail-shortcut-open=EIO"}));
    ASSERT_EQ(withFailures.status, 1) << withFailures.err;
    const std::string pageWithFailures = page();
    ASSERT_TRUE(pageWithFailures.starts_with("<HTML>"));

    keepPreviousPage();
    const ProcessResult noErrorStream = run(withFault({"--closed=2", "--fail-shortcut-open=EIO"}));
    EXPECT_EQ(noErrorStream.status, 3) << "its failure lines had nowhere to go";
    EXPECT_SAME_PAGE(pageWithFailures, page());
    EXPECT_EQ(left(), onlyThePage);

    const std::string whole = wholePage();
    for (const char* stream : {"0", "1"}) {
        keepPreviousPage();
        const ProcessResult result = run(withFault({std::string("--closed=") + stream}));
        EXPECT_EQ(result.status, *stream == '1' ? 3 : 0) << "stream " << stream << ": " << result.err;
        EXPECT_EQ(page(), whole) << "stream " << stream;
        EXPECT_EQ(left(), onlyThePage);
    }
}

TEST_F(CliLimits, AFullDiskEndsThePageAfterItsLastWholeLine)
{
    for (int folder = 0; folder < 40; ++folder)
        tree.shortcut(numbered("fav/big/s%03d.url", folder), u"http://example.jp/" + std::u16string(1000, u'x'));
    const std::string whole = wholePage();
    const std::u16string small = tree.folder(u"small");
    const SmallFileSystem disk(tree.fsPath(u"small"), "16k");
    if (!disk.mounted())
        GTEST_SKIP() << SmallFileSystem::SkipReason;
    tree.file(u"small/ALL_Favorites_Link.htm", previousPage);
    const ProcessResult result = run({}, small);
    EXPECT_EQ(result.status, 1) << result.err;
    EXPECT_NE(result.err.find(errorOccurred), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("No space left on device"), std::string::npos) << result.err;
    const std::string partial = readBytes(pageFile(small));
    EXPECT_TRUE(partial.ends_with("\r\n"));
    EXPECT_TRUE(whole.starts_with(partial));
    EXPECT_EQ(filesIn(small), onlyThePage);
}

// A page that cannot be put on the disk never replaces the previous one: here
// the disk under it fails when the page is written back to it, after every
// write was taken into the cache. The page writer tells why, and no completion
// follows.
TEST_F(CliLimits, AWriteBackFailureOfTheDiskKeepsThePreviousPage)
{
    for (int shortcut = 0; shortcut < 300; ++shortcut)
        tree.shortcut(numbered("fav/big/s%03d.url", shortcut), u"http://example.jp/" + std::u16string(900, u'x'));
    TempTree place;
    const FailingDisk disk(place.fsPath());
    if (!disk.mounted())
        GTEST_SKIP() << FailingDisk::SkipReason;
    const std::u16string out = utf16(disk.root().string());
    std::ofstream(disk.root() / "ALL_Favorites_Link.htm", std::ios::binary) << previousPage;
    disk.fill();
    const ProcessResult result = run({}, out);
    EXPECT_EQ(result.status, 1) << result.err;
    EXPECT_TRUE(result.err.starts_with(errorOccurred + " (" + utf8(pageFile(out)) + ": ")) << result.err;
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(readBytes(pageFile(out)), previousPage);
    EXPECT_EQ(filesIn(out), (std::vector<std::string>{"ALL_Favorites_Link.htm", "lost+found"}));
}

// The bookmark file opens its descriptor only to write: at the tightest
// limit a run without it completes under, the run with it gives the same page
// and the whole file.
TEST_F(CliLimits, TheTightestDescriptorLimitGivesTheSamePageWithBookmarks)
{
    const std::string whole = wholePage();
    int limit = 3;
    for (; limit < 64; ++limit) {
        if (run({tool("prlimit"), "--nofile=" + std::to_string(limit), "--"}).status == 0)
            break;
    }
    ASSERT_LT(limit, 64) << "no descriptor limit lets the run complete";
    const std::u16string bookmarks = tree.path(u"b.html");
    const ProcessResult result = run({tool("prlimit"), "--nofile=" + std::to_string(limit), "--"}, {}, u"fav", bookmarks);
    EXPECT_EQ(result.status, 0) << "at " << limit << " descriptors: " << result.err;
    EXPECT_EQ(page(), whole) << "at " << limit << " descriptors";
    EXPECT_EQ(countOf(readBytes(bookmarks), "<DT><A HREF="), 50u);
}

// After the move, the folder could not be put on the disk: the new page and
// the new bookmark file stand, each failure says so, the run completes and
// says it failed.
TEST_F(CliLimits, AFolderFlushThatFailsAfterTheMoveIsToldAndTheNewFilesStand)
{
    const std::string whole = wholePage();
    keepPreviousPage();
    const std::u16string bookmarks = tree.file(u"out/b.html", "the previous bookmarks");
    const ProcessResult result = run(withFault({"--fail-folder-flush=EIO"}), {}, u"fav", bookmarks);
    EXPECT_EQ(result.status, 1) << result.err;
    const std::string told = " but its folder could not be put on the disk (Input/output error), so its name may not "
                             "survive a power loss)\n";
    EXPECT_EQ(result.err, errorOccurred + " (" + utf8(pageFile(tree.path(u"out"))) + ": the new file is in place," + told +
                              errorOccurred + " (" + utf8(bookmarks) + ": the new file is in place," + told);
    EXPECT_EQ(result.out, completedLine);
    EXPECT_EQ(page(), whole);
    EXPECT_EQ(countOf(readBytes(bookmarks), "<DT><A HREF="), 50u);
    EXPECT_EQ(left(), (std::vector<std::string>{"ALL_Favorites_Link.htm", "b.html"}));
}

// A page that cannot be put on the disk never replaces the previous one; a
// file system that keeps nothing to flush (fsync answers EINVAL) makes a
// normal run.
TEST_F(CliLimits, AFlushThatFailsKeepsThePreviousPageAndOneWithNothingToFlushIsNoFailure)
{
    const std::string whole = wholePage();
    keepPreviousPage();
    const ProcessResult failing = run(withFault({"--fail-fsync=EIO"}));
    EXPECT_EQ(failing.status, 1) << failing.err;
    EXPECT_EQ(failing.err, errorOccurred + " (" + utf8(pageFile(tree.path(u"out"))) + ": Input/output error)\n");
    EXPECT_EQ(failing.out, "");
    EXPECT_EQ(page(), previousPage);
    EXPECT_EQ(left(), onlyThePage);

    const ProcessResult nothingToFlush = run(withFault({"--fail-fsync=EINVAL"}));
    EXPECT_EQ(nothingToFlush.status, 0) << nothingToFlush.err;
    EXPECT_EQ(nothingToFlush.err, "");
    EXPECT_EQ(nothingToFlush.out, completedLine);
    EXPECT_EQ(page(), whole);
}

// A signal set to be ignored by the parent stays ignored: nohup's SIGHUP,
// and the SIGINT a non-interactive shell's background job starts with. While
// the run waits on its full standard output, long after its handlers are in
// place, the kernel still shows the signal ignored; sent, it changes
// nothing, and SIGTERM ends the run.
TEST_F(CliLimits, SignalsIgnoredAtStartStayIgnored)
{
    const std::vector<std::string> stuck = withFault({"--stuck=1"});
    std::vector<std::string> underNohup{tool("nohup")};
    underNohup.insert(underNohup.end(), stuck.begin(), stuck.end());
    std::vector<std::string> inBackground{"/bin/sh", "-c", "\"$@\" & wait $!", "sh"};
    inBackground.insert(inBackground.end(), stuck.begin(), stuck.end());
    for (const auto& [prefix, ignored] : {std::pair{underNohup, SIGHUP}, std::pair{inBackground, SIGINT}}) {
        std::vector<std::string> command = prefix;
        command.insert(command.end(), {MARKROLL_CLI_PATH, utf8(tree.path(u"fav")), utf8(tree.path(u"out"))});
        bool sawItWait = false, stillIgnored = false;
        const ProcessResult result = runProcess(command, {}, std::chrono::seconds(60), [&](int processId) {
            for (int tries = 0; tries < 1000 && !sawItWait; ++tries) {
                sawItWait = waitsOnAFullPipe(workerOf(processId));
                if (!sawItWait)
                    std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
            const int worker = workerOf(processId);
            stillIgnored = ignoredSignalsOf(worker) & (1ull << (ignored - 1));
            if (stillIgnored)
                ::kill(worker, ignored);
            ::kill(worker, SIGTERM);
        });
        EXPECT_TRUE(sawItWait) << "the completion line never blocked";
        EXPECT_TRUE(stillIgnored) << "signal " << ignored << " is caught";
        EXPECT_EQ(result.status, 128 + SIGTERM) << "signal " << ignored << ": " << result.err;
    }
}

// SIGTERM while the completion line is on its way (its output is full, so
// the program waits there) must not remove the page that is done.
TEST_F(CliLimits, ATerminationAfterThePageIsPlacedKeepsIt)
{
    const std::string whole = wholePage();
    keepPreviousPage();
    std::vector<std::string> command = withFault({"--stuck=1"});
    command.insert(command.end(), {MARKROLL_CLI_PATH, utf8(tree.path(u"fav")), utf8(tree.path(u"out"))});
    bool sawItWait = false;
    const ProcessResult result = runProcess(command, {}, std::chrono::seconds(60), [&](int processId) {
        for (int tries = 0; tries < 1000 && !sawItWait; ++tries) {
            sawItWait = waitsOnAFullPipe(processId);
            if (!sawItWait)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        ::kill(processId, SIGTERM);
    });
    EXPECT_TRUE(sawItWait) << "the completion line never blocked";
    EXPECT_EQ(result.status, 128 + SIGTERM);
    EXPECT_EQ(page(), whole);
    EXPECT_EQ(left(), onlyThePage);
}
