// Windows reaches every entry its listing gives: paths past 260 characters,
// given as drive paths or in the extended-length form, and names ending in a
// dot or a space, which ordinary Win32 paths silently rewrite.
#include "tests/support/ExtendedTree.h"
#include "tests/support/FaultyHost.h"
#include "tests/support/PageText.h"

#include <gtest/gtest.h>

using namespace markroll;
using namespace markroll::test;

namespace {

constexpr int Levels = 12;

std::u16string levelName(int level) { return numbered("日本語で名付けた深いフォルダーの第%02d階層", level); }
std::u16string linkName(int level) { return numbered("リンク%02d", level); }
std::u16string linkUrl(int level) { return numbered("http://example.jp/%02d", level); }

std::u16string linkLine(std::u16string_view url, std::u16string_view name)
{
    return u"<LI><A Href=\"" + std::u16string(url) + u"\">" + std::u16string(name) + u"</A></LI>\n";
}

// Each level holds one shortcut and the next level; returns the relative path
// of the deepest folder.
std::u16string makeDeepTree(const ExtendedTree& tree)
{
    std::u16string relative = u"fav";
    tree.folder(relative);
    for (int level = 1; level <= Levels; ++level) {
        relative += u'\\';
        relative += levelName(level);
        tree.folder(relative);
        tree.shortcut(relative + u"\\" + linkName(level) + u".url", linkUrl(level));
    }
    return relative;
}

std::string deepTreePage(const std::u16string& favorites)
{
    std::u16string page = headAndStyle() + opening(favorites) + closing();
    std::u16string folder = favorites;
    for (int level = 1; level <= Levels; ++level) {
        folder += u'\\';
        folder += levelName(level);
        page += opening(folder) + linkLine(linkUrl(level), linkName(level)) + closing();
    }
    return cp932Lines(page + foot());
}

} // namespace

TEST(WindowsNames, ATreeDeeperThan260CharactersIsWalkedWholeFromADriveOrAnExtendedPath)
{
    ExtendedTree tree;
    const std::u16string deepest = tree.path(makeDeepTree(tree));
    ASSERT_GE(deepest.size(), 300u);
    for (const std::u16string& favorites : {tree.path(u"fav"), u"\\\\?\\" + tree.path(u"fav")}) {
        TempTree out;
        GeneratorHarness harness;
        EXPECT_SAME_PAGE(deepTreePage(favorites), harness.run(favorites, out.path())) << utf8(favorites);
        EXPECT_EQ(harness.boxes.shown, std::vector<ShownMessage>{completedBox()}) << utf8(favorites);
    }
}

TEST(WindowsNames, APageIsWrittenIntoAnOutputFolderDeeperThan260Characters)
{
    ExtendedTree tree;
    const std::u16string deepest = tree.path(makeDeepTree(tree));
    tree.folder(u"empty");
    GeneratorHarness harness;
    const std::string page = harness.run(tree.path(u"empty"), deepest);
    EXPECT_SAME_PAGE(cp932Lines(headAndStyle() + opening(tree.path(u"empty")) + closing() + foot()), page);
    EXPECT_EQ(harness.boxes.shown, std::vector<ShownMessage>{completedBox()});
}

TEST(WindowsNames, FoldersEndingInADotOrASpaceAreListedOpenedAndLinked)
{
    ExtendedTree tree;
    tree.folder(u"fav");
    for (const char16_t* name : {u"fav\\末尾の点.", u"fav\\末尾の空白 ", u"fav\\点と空白. ."}) {
        tree.folder(name);
        tree.shortcut(std::u16string(name) + u"\\中身.url", u"http://example.jp/inside");
    }
    tree.folder(u"fav\\末尾の点.\\下の階層..");
    tree.shortcut(u"fav\\末尾の点.\\下の階層..\\深い.url", u"http://example.jp/deep");
    tree.shortcut(u"fav\\名前の点..url", u"http://example.jp/dotted");

    const std::u16string favorites = tree.path(u"fav");
    TempTree out;
    GeneratorHarness harness;
    const std::string page = harness.run(favorites, out.path());
    const std::u16string inside = linkLine(u"http://example.jp/inside", u"中身");
    // Sorted as the listing sorts: 末 (U+672B) before 点 (U+70B9) before 空 (U+7A7A).
    const std::u16string expected = headAndStyle() +
                                    opening(favorites) + linkLine(u"http://example.jp/dotted", u"名前の点.") + closing() +
                                    opening(favorites + u"\\末尾の点.") + inside + closing() +
                                    opening(favorites + u"\\末尾の点.\\下の階層..") +
                                    linkLine(u"http://example.jp/deep", u"深い") + closing() +
                                    opening(favorites + u"\\末尾の空白 ") + inside + closing() +
                                    opening(favorites + u"\\点と空白. .") + inside + closing() + foot();
    EXPECT_SAME_PAGE(cp932Lines(expected), page);
    EXPECT_EQ(harness.boxes.shown, std::vector<ShownMessage>{completedBox()});
}

// The walk meets the held folder and tells of it; its section, which cannot
// list it either, is written empty without a second message, and the folders
// around it are written as usual.
TEST(WindowsNames, AListedFolderThatCannotBeOpenedIsAFailureNotAGap)
{
    TempTree tree;
    tree.shortcut(u"fav/a.url", u"http://a/");
    tree.shortcut(u"fav/held/inside.url", u"http://inside/");
    tree.shortcut(u"fav/later/b.url", u"http://b/");
    const ExclusiveHold hold(tree.path(u"fav/held"));
    ASSERT_TRUE(hold.held()) << "the folder could not be held";

    const std::u16string favorites = tree.path(u"fav");
    TempTree out;
    GeneratorHarness harness;
    const std::string page = harness.run(favorites, out.path());
    EXPECT_SAME_PAGE(cp932Lines(headAndStyle() + opening(favorites) + link(u"a") + closing() +
                                opening(favorites + u"\\held") + closing() + opening(favorites + u"\\later") +
                                link(u"b") + closing() + foot()),
                     page);
    EXPECT_EQ(harness.boxes.shown, (std::vector<ShownMessage>{errorOccurredBox(), completedBox()}));
}
