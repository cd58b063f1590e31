#include "platform/Failure.h"
#include "platform/LocalHost.h"
#include "tests/support/SmallFileSystem.h"
#include "tests/support/TestSupport.h"

#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace markroll;
using namespace markroll::test;

namespace {

std::unique_ptr<OutputFile> createPage(std::u16string_view path)
{
    return LocalHost().createOutputFile(path, OutputFileKind::Page);
}

// A file size limit stops a write part way, as a full disk does, but for any
// user and on any file system. Lifted again when the test ends.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &previous_);
        previousSignal_ = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{bytes, previous_.rlim_max};
        set_ = ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousSignal_);
    }
    bool set() const { return set_; }

private:
    rlimit previous_{};
    void (*previousSignal_)(int) = nullptr;
    bool set_ = false;
};

// 1,000 bytes a line; a limit of 100,500 bytes stops the file in its 101st.
const std::string thousandByteLine = std::string(998, 'x') + "\r\n";
constexpr rlim_t limitInALine = 100500;

// Writes lines until one fails; its failure.
std::error_code writeUntilRefused(OutputFile& file)
{
    std::error_code failure;
    for (int i = 0; i < 300 && !failure; ++i)
        failure = errorOf([&] { file.write(thousandByteLine); });
    return failure;
}

} // namespace

TEST(AsideFilePosix, ALinkAtThePathIsReplacedAndItsTargetNeverTouched)
{
    TempTree tree;
    const std::u16string target = tree.file(u"elsewhere/precious.txt", "keep me");
    const std::u16string link = tree.symlink(target, u"out/page.htm");
    auto stream = createPage(link);
    stream->write("page\r\n");
    stream->commit();
    EXPECT_EQ(readBytes(target), "keep me");
    EXPECT_FALSE(std::filesystem::is_symlink(tree.fsPath(u"out/page.htm")));
    EXPECT_EQ(readBytes(link), "page\r\n");
}

// Windows has no umask.
TEST(AsideFilePosix, ANewPageGetsTheUsualPermissions)
{
    TempTree tree;
    const mode_t previous = ::umask(027);
    auto stream = createPage(tree.path(u"page.htm"));
    ::umask(previous);
    stream->commit();
    EXPECT_EQ(std::filesystem::status(tree.fsPath(u"page.htm")).permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write | std::filesystem::perms::group_read);
}

// A small file system is mounted for a real full disk.
TEST(AsideFilePosix, AFullDiskFailsWithNoSpaceAndThePageKeepsWhatFitted)
{
    TempTree tree;
    const SmallFileSystem disk(tree.fsPath(u"small"), "8k");
    if (!disk.mounted())
        GTEST_SKIP() << SmallFileSystem::SkipReason;
    auto stream = createPage(tree.path(u"small/page.htm"));
    const std::string line = std::string(1000, 'x') + "\r\n";
    std::error_code failure;
    for (int i = 0; i < 100 && !failure; ++i)
        failure = errorOf([&] { stream->write(line); });
    EXPECT_EQ(failure, std::errc::no_space_on_device);
    // Lines were lost, so nothing written later may land after the hole.
    EXPECT_EQ(errorOf([&] { stream->write("later\r\n"); }), std::errc::no_space_on_device);
    EXPECT_EQ(errorOf([&] { stream->commit(); }), std::errc::no_space_on_device);
    EXPECT_FALSE(failureOf([&] { stream->commit(); }));
    const std::string page = readBytes(tree.path(u"small/page.htm"));
    EXPECT_GT(page.size(), 0u);
    EXPECT_EQ(page.find("later"), std::string::npos);
}

TEST(AsideFilePosix, AWriteCutShortLeavesThePageWithItsWholeLinesOnly)
{
    TempTree tree;
    const std::u16string path = tree.file(u"page.htm", "previous");
    std::error_code failure, later, committed;
    {
        const FileSizeLimit limit(limitInALine);
        ASSERT_TRUE(limit.set());
        auto page = createPage(path);
        failure = writeUntilRefused(*page);
        later = errorOf([&] { page->write("later\r\n"); });
        committed = errorOf([&] { page->commit(); });
    }
    EXPECT_EQ(failure, std::errc::file_too_large);
    EXPECT_EQ(later, std::errc::file_too_large);
    EXPECT_EQ(committed, std::errc::file_too_large);
    std::string wholeLines;
    for (int i = 0; i < 100; ++i)
        wholeLines += thousandByteLine;
    EXPECT_TRUE(readBytes(path) == wholeLines) << readBytes(path).size() << " bytes, not " << wholeLines.size();
    EXPECT_EQ(filesIn(tree.path()), std::vector<std::string>{"page.htm"});
}

TEST(AsideFilePosix, AWriteCutShortDropsTheBookmarkFileAndKeepsThePreviousOne)
{
    TempTree tree;
    const std::u16string path = tree.file(u"bookmarks.html", "previous");
    std::error_code failure, committed;
    {
        const FileSizeLimit limit(limitInALine);
        ASSERT_TRUE(limit.set());
        auto file = LocalHost().createOutputFile(path, OutputFileKind::BookmarkFile);
        failure = writeUntilRefused(*file);
        committed = errorOf([&] { file->commit(); });
    }
    EXPECT_EQ(failure, std::errc::file_too_large);
    EXPECT_EQ(committed, std::errc::file_too_large);
    EXPECT_EQ(readBytes(path), "previous");
    EXPECT_EQ(filesIn(tree.path()), std::vector<std::string>{"bookmarks.html"});
}

// Unlike the page, a bookmark file cut short is never put in place.
TEST(AsideFilePosix, AFullDiskDropsTheFileAndKeepsThePreviousOne)
{
    TempTree tree;
    const SmallFileSystem disk(tree.fsPath(u"small"), "8k");
    if (!disk.mounted())
        GTEST_SKIP() << SmallFileSystem::SkipReason;
    const std::u16string path = tree.file(u"small/bookmarks.html", "previous");
    auto file = LocalHost().createOutputFile(path, OutputFileKind::BookmarkFile);
    const std::string line = std::string(1000, 'x') + "\r\n";
    std::error_code failure;
    for (int i = 0; i < 100 && !failure; ++i)
        failure = errorOf([&] { file->write(line); });
    EXPECT_EQ(failure, std::errc::no_space_on_device);
    EXPECT_EQ(errorOf([&] { file->commit(); }), std::errc::no_space_on_device);
    EXPECT_EQ(readBytes(path), "previous");
    EXPECT_EQ(filesIn(tree.path(u"small")), std::vector<std::string>{"bookmarks.html"});
}
