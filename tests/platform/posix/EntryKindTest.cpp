// Entries are told apart by the type the listing gives, and looked at where
// it gives none (DT_UNKNOWN, as some file systems list every entry), with the
// same outcome either way. Linux only.
#include "platform/Failure.h"
#include "platform/posix/EntryKind.h"
#include "tests/support/TestSupport.h"

#include <dirent.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <map>
#include <unistd.h>

using namespace markroll;
using namespace markroll::test;

namespace {

class EntryKindTest : public ::testing::Test {
protected:
    EntryKindTest()
    {
        tree.shortcut(u"f/file.url", u"http://a/");
        tree.folder(u"f/folder");
        tree.symlink(u"folder", u"f/to-folder");
        tree.symlink(u"file.url", u"f/to-file.url");
        tree.symlink(u"nowhere", u"f/dangling.url");
        tree.symlink(u"loop-b", u"f/loop-a");
        tree.symlink(u"loop-a", u"f/loop-b");
        folder = ::open(tree.fsPath(u"f").c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    }
    ~EntryKindTest() override { ::close(folder); }

    // Every entry of f with the type the listing gave, or with none.
    std::map<std::string, EntryKind> kinds(bool typeGiven) const
    {
        std::map<std::string, EntryKind> seen;
        DIR* stream = ::opendir(tree.fsPath(u"f").c_str());
        while (const dirent* entry = ::readdir(stream)) {
            const std::string name = entry->d_name;
            const unsigned char listedType = typeGiven ? entry->d_type : static_cast<unsigned char>(DT_UNKNOWN);
            if (name != "." && name != "..")
                seen[name] = entryKind(folder, entry->d_name, listedType, u"f");
        }
        ::closedir(stream);
        return seen;
    }

    TempTree tree;
    int folder = -1;
};

} // namespace

TEST_F(EntryKindTest, WithOrWithoutTheListedTypeEveryEntryIsTheSameKind)
{
    const std::map<std::string, EntryKind> expected{
        {"file.url", EntryKind::File},       {"folder", EntryKind::Folder},        {"to-folder", EntryKind::LinkToFolder},
        {"to-file.url", EntryKind::File},    {"dangling.url", EntryKind::Other},   {"loop-a", EntryKind::Other},
        {"loop-b", EntryKind::Other},
    };
    ASSERT_GE(folder, 0);
    EXPECT_EQ(kinds(true), expected);
    EXPECT_EQ(kinds(false), expected) << "a file system that gives no entry types";
}

TEST_F(EntryKindTest, AnEntryGoneSinceItWasListedIsNoFileAndAFailedLookIsRaised)
{
    EXPECT_EQ(entryKind(folder, "gone.url", DT_UNKNOWN, u"f"), EntryKind::Other);
    // A look that fails for another reason than the entry itself is a failure
    // of the listing, never an entry left out.
    EXPECT_EQ(errorOf([&] { entryKind(-1, "file.url", DT_UNKNOWN, u"f"); }), std::errc::bad_file_descriptor);
    EXPECT_EQ(errorOf([&] { entryKind(-1, "file.url", DT_LNK, u"f"); }), std::errc::bad_file_descriptor);
}
