#include "platform/Failure.h"
#include "platform/files/SubfolderListing.h"
#include "platform/LocalHost.h"
#include "tests/support/TestSupport.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace markroll;
using namespace markroll::test;
using Names = std::vector<std::u16string>;

namespace {

Names subfoldersOf(std::u16string_view path) { return LocalHost().listSubfolders(path).names; }

} // namespace

// The reason is the OS's own: a file, or a link to one, where a folder was
// asked for is not told as missing.
TEST(SubfolderListingPosix, AFileOrALinkToOneIsNotAFolder)
{
    TempTree tree;
    tree.file(u"afile", "x");
    tree.symlink(tree.path(u"afile"), u"link");
    for (const char16_t* name : {u"afile", u"link"})
        EXPECT_EQ(errorOf([&] { LocalHost().listSubfolders(tree.path(name)); }), std::errc::not_a_directory)
            << utf8(name);
}

// Symbolic links need privileges on Windows; the links of the folder walk are a Linux matter.
TEST(SubfolderListingPosix, LinksToFoldersCountButNotLinksBackUpTheWalkedPath)
{
    TempTree tree;
    tree.folder(u"root/Real");
    tree.folder(u"outside");
    tree.file(u"afile", "x");
    tree.symlink(tree.path(u"outside"), u"root/ToOutside");
    tree.symlink(tree.path(u"root"), u"root/Real/ToRoot");
    tree.symlink(tree.path(u"root/Real"), u"root/Real/ToSelf");
    tree.symlink(tree.path(), u"root/Real/ToTop");
    tree.symlink(tree.path(u"afile"), u"root/ToFile");
    tree.symlink(tree.path(u"nowhere"), u"root/Dangling");
    EXPECT_EQ(subfoldersOf(tree.path(u"root")), (Names{u"Real", u"ToOutside"}));
    EXPECT_EQ(subfoldersOf(tree.path(u"root/Real")), Names());
}

// Symbolic links need privileges on Windows; the links of the folder walk are a Linux matter.
TEST(SubfolderListingPosix, AncestorsAreThoseOfThePathAsWalkedThroughLinks)
{
    TempTree tree;
    tree.folder(u"A");
    tree.folder(u"B");
    tree.symlink(tree.path(u"B"), u"A/ToB");
    tree.symlink(tree.path(u"A"), u"B/ToA");
    // Walking A/ToB reaches B, whose link leads back to A: an ancestor as walked.
    EXPECT_EQ(subfoldersOf(tree.path(u"A/ToB")), Names());
    EXPECT_EQ(subfoldersOf(tree.path(u"B")), Names{u"ToA"});
}

// Symbolic links need privileges on Windows; the links of the folder walk are a Linux matter.
TEST(SubfolderListingPosix, AncestorsOfTheRealFolderCountWhenReachedThroughALink)
{
    TempTree tree;
    tree.folder(u"elsewhere/deep/folder");
    tree.folder(u"fav");
    tree.symlink(tree.path(u"elsewhere/deep/folder"), u"fav/Link");
    tree.symlink(tree.path(u"elsewhere"), u"elsewhere/deep/folder/ToElsewhere");
    EXPECT_EQ(subfoldersOf(tree.path(u"fav/Link")), Names());
}

// Symbolic links need privileges on Windows; the links of the folder walk are a Linux matter.
TEST(SubfolderListingPosix, RelativeAndDoubledSeparatorPathsWork)
{
    TempTree tree;
    tree.folder(u"root/Sub");
    tree.symlink(tree.path(u"root"), u"root/Sub/Up");
    WorkingFolder inside(tree.path());
    EXPECT_EQ(subfoldersOf(u"root/"), Names{u"Sub"});
    EXPECT_EQ(subfoldersOf(u"root//Sub"), Names());
}

// Links whose targets the OS will not look at (a part of the path longer than
// any name: ENAMETOOLONG) are each told with their own path, in name order
// whatever order they were made and listed in, and hide no real folder.
TEST(SubfolderListingPosix, EntriesTheOsWillNotTellAboutAreToldInNameOrder)
{
    TempTree tree;
    const std::string tooLong(300, 'x');
    for (const char16_t* name : {u"zeta", u"alpha", u"mid", u"Beta"})
        tree.symlink(utf16(tooLong), u"root/" + std::u16string(name));
    tree.folder(u"root/real");
    const SubfolderList list = LocalHost().listSubfolders(tree.path(u"root"));
    EXPECT_EQ(list.names, Names{u"real"});
    std::vector<std::u16string> told;
    for (const Failure& failure : list.entryFailures) {
        told.push_back(failure.object());
        EXPECT_EQ(failure.error(), std::errc::filename_too_long) << utf8(failure.object());
    }
    EXPECT_EQ(told, (Names{tree.path(u"root/alpha"), tree.path(u"root/Beta"), tree.path(u"root/mid"),
                           tree.path(u"root/zeta")}));
}
