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

bool isMissingFolder(std::u16string_view path)
{
    return isNoSuchEntry(errorOf([&] { LocalHost().listSubfolders(path); }));
}

} // namespace

TEST(SubfolderListing, EverySubfolderInNameOrderHiddenOnesIncludedFilesLeftOut)
{
    TempTree tree;
    for (const char16_t* name : {u"Banana", u"apple", u".hidden", u"B", u"日本"})
        tree.folder(std::u16string(u"root/") + name);
    tree.file(u"root/file.url", "x");
    tree.file(u"root/Banana/deeper-file", "x");
    EXPECT_EQ(subfoldersOf(tree.path(u"root")), (Names{u".hidden", u"apple", u"B", u"Banana", u"日本"}));
}

TEST(SubfolderListing, AMissingFolderIsNoSuchEntryAndAFileIsNoFolder)
{
    TempTree tree;
    tree.file(u"afile", "x");
    EXPECT_TRUE(isMissingFolder(tree.path(u"missing")));
    EXPECT_TRUE(isMissingFolder(u""));
    EXPECT_TRUE(errorOf([&] { LocalHost().listSubfolders(tree.path(u"afile")); }));
}

TEST(SubfolderListing, AFolderRemovedSinceItWasNamedIsNoSuchEntry)
{
    TempTree tree;
    const std::u16string path = tree.folder(u"gone");
    std::filesystem::remove_all(tree.fsPath(u"gone"));
    EXPECT_TRUE(isNoSuchEntry(errorOf([&] { listSubfolders(path); })));
}
