// With no descriptor left (EMFILE), listing a folder, walking it and reading a
// shortcut are failures with their number, never an empty folder or a
// shortcut taken for unreadable. Linux only: the limit is made real by
// taking every descriptor the process may have.
#include "platform/Failure.h"
#include "platform/files/ShortcutListing.h"
#include "platform/files/SubfolderListing.h"
#include "platform/shortcuts/ShortcutFileReader.h"
#include "tests/support/TestSupport.h"

#include <cerrno>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

using namespace markroll;
using namespace markroll::test;

namespace {

// Takes every free descriptor under a low limit while it lives.
class NoDescriptorLeft {
public:
    NoDescriptorLeft()
    {
        ::getrlimit(RLIMIT_NOFILE, &saved_);
        struct rlimit low = saved_;
        low.rlim_cur = 64;
        ::setrlimit(RLIMIT_NOFILE, &low);
        for (int descriptor; (descriptor = ::open("/dev/null", O_RDONLY | O_CLOEXEC)) >= 0;)
            taken_.push_back(descriptor);
        exhausted_ = errno == EMFILE;
    }
    ~NoDescriptorLeft()
    {
        for (const int descriptor : taken_)
            ::close(descriptor);
        ::setrlimit(RLIMIT_NOFILE, &saved_);
    }
    NoDescriptorLeft(const NoDescriptorLeft&) = delete;
    NoDescriptorLeft& operator=(const NoDescriptorLeft&) = delete;
    bool exhausted() const { return exhausted_; }

private:
    struct rlimit saved_ {};
    std::vector<int> taken_;
    bool exhausted_ = false;
};

} // namespace

TEST(DescriptorLimit, ListingWalkingAndReadingFailWithTheirNumber)
{
    TempTree tree;
    tree.shortcut(u"f/a.url", u"http://a/");
    tree.folder(u"f/sub");
    ShortcutListing listing;
    ShortcutFileReader reader;
    ShortcutListing listingBefore;
    const ListedEntry listedBefore = listingBefore.start(tree.path(u"f"));
    std::error_code listed, walked, read;
    {
        const NoDescriptorLeft limit;
        ASSERT_TRUE(limit.exhausted());
        listed = errorOf([&] { listing.start(tree.path(u"f")); });
        walked = errorOf([&] { listSubfolders(tree.path(u"f")); });
        read = errorOf([&] { reader.read(listedBefore, 4096, listedBefore.name); });
    }
    EXPECT_EQ(listed, std::errc::too_many_files_open);
    EXPECT_EQ(walked, std::errc::too_many_files_open);
    EXPECT_EQ(read, std::errc::too_many_files_open) << "never a notice line, as if the file were broken";
    // With descriptors free again, the same calls succeed.
    EXPECT_EQ(listing.start(tree.path(u"f")).name, u"a.url");
    EXPECT_EQ(listSubfolders(tree.path(u"f")).names, std::vector<std::u16string>{u"sub"});
}
