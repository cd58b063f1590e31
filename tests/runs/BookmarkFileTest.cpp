#include "platform/files/HostPath.h"
#include "text/Cp932.h"
#include "tests/support/BookmarkTree.h"
#include "tests/support/FaultyHost.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <string_view>

using namespace markroll;
using namespace markroll::test;
using Shown = std::vector<ShownMessage>;
using Lines = std::vector<std::string>;

namespace {

// One run that writes the page into `output` and the bookmarks to `bookmarkPath`.
struct BookmarkRun {
    GeneratorHarness harness;
    std::string page;
    std::string bookmarks;

    BookmarkRun(std::u16string_view favorites, std::u16string_view output, std::u16string_view bookmarkPath,
                const std::function<void(FaultyHost&)>& fault = {})
    {
        if (fault)
            fault(harness.host);
        harness.generator.writeBookmarksTo(std::u16string(bookmarkPath));
        page = harness.run(favorites, output);
        bookmarks = readBytes(bookmarkPath);
    }

    ParsedBookmarks parsed() const
    {
        ParsedBookmarks file = parseBookmarkFile(bookmarks);
        EXPECT_EQ(file.problems, Lines{}) << bookmarks;
        return file;
    }
};

// The page's links in page order, as "name -> url", decoded as a browser reads them.
Lines pageLinks(const std::string& page)
{
    const std::string text = utf8(cp932::decode(page));
    constexpr std::string_view opening = "<LI><A Href=\"", middle = "\">", closing = "</A></LI>";
    Lines links;
    std::vector<std::string> problems;
    for (std::size_t at = text.find(opening); at != text.npos; at = text.find(opening, at)) {
        const std::size_t target = at + opening.size();
        const std::size_t name = text.find(middle, target);
        const std::size_t end = text.find(closing, name);
        if (name == text.npos || end == text.npos)
            break;
        const std::string nameText = text.substr(name + middle.size(), end - name - middle.size());
        links.push_back(decodeReferences(nameText, problems) + " -> " +
                        decodeReferences(text.substr(target, name - target), problems));
        at = end + closing.size();
    }
    EXPECT_EQ(problems, Lines{});
    return links;
}

Lines sorted(Lines lines)
{
    std::sort(lines.begin(), lines.end());
    return lines;
}

// The line after the completion that counts the shortcuts left out.
ShownMessage leftOutBox(int count)
{
    return {u"ブックマークファイルに入れられなかったショートカット：" + utf16(std::to_string(count)) + u"件",
            completedBox().style, completedBox().title};
}

} // namespace

TEST(BookmarkFile, TheSampleTreeAsNestedFoldersWithThePagesNamesUrlsAndOrder)
{
    TempTree out;
    WorkingFolder inside(utf16(MARKROLL_EXAMPLES_DIR));
    const BookmarkRun run(u"Favorites", out.path(), out.path(u"favorites.html"));
    const ParsedBookmarks file = run.parsed();
    EXPECT_EQ(file.doctype, "DOCTYPE NETSCAPE-Bookmark-file-1");
    EXPECT_EQ(file.contentType, "text/html; charset=UTF-8");
    EXPECT_EQ(file.title, "Bookmarks");
    // Links on the toolbar; in each folder its sub-folders, then its links,
    // each in Explorer order.
    EXPECT_EQ(outlineOf(file.top), "[toolbar] Links/\n"
                                   "  Debian -> https://www.debian.org/\n"
                                   "Favorites/\n"
                                   "  Bookmarklets/\n"
                                   "    ページのタイトル -> javascript:(function(){alert(document.title+\"\\n\"+location.href);})();\n"
                                   "  Tools & Utilities/\n"
                                   "    Search & Replace -> https://www.gnu.org/software/sed/manual/sed.html#The-_0022s_0022-Command\n"
                                   "    Search the web -> https://www.google.com/search?q=markroll&hl=ja\n"
                                   "  ニュース/\n"
                                   "    NHK ニュース -> https://www3.nhk.or.jp/news/\n"
                                   "    日本経済新聞 -> https://www.nikkei.com/\n"
                                   "  開発/\n"
                                   "    Debian/\n"
                                   "      Debian パッケージ -> https://packages.debian.org/ja/\n"
                                   "    CMake -> https://cmake.org/cmake/help/latest/\n"
                                   "    Qt ドキュメント -> https://doc.qt.io/qt-6/ja/\n"
                                   "  旅行/\n"
                                   "    東京 観光 -> https://ja.wikipedia.org/wiki/%E6%9D%B1%E4%BA%AC%E9%83%BD\n"
                                   "    서울 여행 -> https://ko.wikipedia.org/wiki/%EC%84%9C%EC%9A%B8%ED%8A%B9%EB%B3%84%EC%8B%9C\n"
                                   "  Google -> https://www.google.co.jp/\n"
                                   "  Wikipedia (日本語) -> https://ja.wikipedia.org/\n");
    // The broken shortcut is a notice on the page and no bookmark, and the
    // line after the completion counts it.
    EXPECT_EQ(sorted(linksOf(file.top)), sorted(pageLinks(run.page)));
    EXPECT_NE(utf8(cp932::decode(run.page)).find("『壊れたリンク』の読み込みに失敗しました"), std::string::npos);
    EXPECT_EQ(run.harness.boxes.shown, (Shown{completedBox(), leftOutBox(1)}));
    EXPECT_TRUE(run.harness.outcome.succeeded());
}

// Deep and empty folders, names with the HTML-special signs, outside
// Shift_JIS and (on Linux) not UTF-8, URLs with quotes, non-ASCII and
// javascript:. Names as a person reads them, each link where the page's leads.
TEST(BookmarkFile, UnusualTreesKeepEveryNameUrlAndFolder)
{
    TempTree tree;
    std::u16string deep = u"F";
    for (int level = 0; level < 40; ++level)
        deep += u"/d";
    tree.shortcut(deep + u"/bottom.url", u"http://bottom/");
    tree.folder(u"F/e/empty inside");
    tree.shortcut(u"F/x/A & B.url", u"http://example.com/?q=\"x\"&y=<z>&w='v'");
    tree.shortcut(u"F/x/😀 한국어.url", u"http://example.com/日本/😀");
    tree.shortcut(u"F/x/js.url", u"javascript:alert(\"hi\")");
    const bool linuxNames = hostSeparator() == u'/';
    if (linuxNames) {
        tree.shortcut(u"F/x/<b> \"quoted\".url", u"http://quoted/");
        // "日本" in code page 932, as a name copied from a Japanese Windows machine.
        tree.shortcut(u"F/x/" + fromHostBytes("\x93\xfa\x96\x7b.url"), u"http://sjis/");
    }
    const BookmarkRun run(tree.path(u"F"), tree.path(), tree.path(u"b.html"));
    std::string expected = "F/\n";
    std::string indent = "  ";
    for (int level = 0; level < 40; ++level, indent += "  ")
        expected += indent + "d/\n";
    expected += indent + "bottom -> http://bottom/\n";
    expected += "  e/\n"
                "    empty inside/\n"
                "  x/\n";
    if (linuxNames)
        expected += "    <b> \"quoted\" -> http://quoted/\n";
    expected += "    A & B -> http://example.com/?q=\"x\"&y=<z>&w='v'\n"
                "    js -> javascript:alert(\"hi\")\n";
    expected += "    😀 한국어 -> http://example.com/%E6%97%A5%E6%9C%AC/%F0%9F%98%80\n";
    // Kanji after other letters, whatever bytes the name was.
    if (linuxNames)
        expected += "    日本 -> http://sjis/\n";
    const ParsedBookmarks file = run.parsed();
    EXPECT_EQ(outlineOf(file.top), expected);
    EXPECT_EQ(sorted(linksOf(file.top)), sorted(pageLinks(run.page)));
}

// A name's control characters read back as themselves: C0 ones and DEL as
// references, C1 ones (U+0080 to U+009F, legal in Windows names) as the
// characters, since HTML reads "&#128;" to "&#159;" as Windows-1252's "€" to "Ÿ".
TEST(BookmarkFile, ControlCharactersInNamesReadBackAsThemselves)
{
    TempTree tree;
    const std::u16string c1 = u"c1 \u0080\u0085\u0091\u009F";
    tree.shortcut(u"F/" + c1 + u".url", u"http://c1/");
    const bool linuxNames = hostSeparator() == u'/';
    if (linuxNames)
        tree.shortcut(u"F/c0 \t\x1B\x7F.url", u"http://c0/");
    const BookmarkRun run(tree.path(u"F"), tree.path(), tree.path(u"b.html"));
    std::string expected = "F/\n";
    if (linuxNames)
        expected += "  c0 \t\x1B\x7F -> http://c0/\n";
    expected += "  " + utf8(c1) + " -> http://c1/\n";
    EXPECT_EQ(outlineOf(run.parsed().top), expected);
    EXPECT_NE(run.bookmarks.find(utf8(c1)), std::string::npos) << "the C1 characters as they are";
}

// The page's table holds 1000 folders; the bookmarks hold them all. The page
// and every message are what a run without bookmarks gives.
TEST(BookmarkFile, EveryFolderBeyondThePagesThousandAndThePageUnchanged)
{
    TempTree tree;
    for (int i = 0; i < 1004; ++i)
        tree.folder(numbered("F/A/f%04d", i));
    tree.shortcut(u"F/A/f1003/last.url", u"http://last/");
    tree.shortcut(u"F/B/beyond.url", u"http://beyond/");
    tree.folder(u"plain");
    GeneratorHarness plain;
    const std::string plainPage = plain.run(tree.path(u"F"), tree.path(u"plain"));
    tree.folder(u"with");
    const BookmarkRun run(tree.path(u"F"), tree.path(u"with"), tree.path(u"b.html"));
    EXPECT_SAME_PAGE(plainPage, run.page);
    EXPECT_EQ(run.harness.boxes.shown, plain.boxes.shown);
    EXPECT_EQ(run.harness.boxes.shown, (Shown{errorOccurredBox(), errorOccurredBox(), completedBox()}));
    const ParsedBookmarks file = run.parsed();
    ASSERT_EQ(file.top.children.size(), 1u);
    EXPECT_EQ(folderCount(file.top), 1u + 1 + 1004 + 1);
    EXPECT_EQ(linksOf(file.top), (Lines{"last -> http://last/", "beyond -> http://beyond/"}));
    const BookmarkNode& a = file.top.children[0].children.at(0);
    EXPECT_EQ(a.name, "A");
    ASSERT_EQ(a.children.size(), 1004u);
    EXPECT_EQ(a.children.back().name, "f1003");
}

// The file byte for byte: UTF-8 without a byte order mark, LF line ends,
// four spaces for each list a line is in.
TEST(BookmarkFile, TheFileByteForByte)
{
    if (hostSeparator() != u'/')
        GTEST_SKIP() << "the standard library cannot set a folder's time on Windows";
    TempTree tree;
    tree.shortcut(u"F/a & b.url", u"http://a/?x=1&y=2");
    tree.shortcut(u"F/Sub/日本.url", u"http://日本.jp/");
    const auto then = std::chrono::file_clock::from_sys(std::chrono::sys_seconds(std::chrono::seconds(1000000000)));
    for (const char16_t* path : {u"F/a & b.url", u"F/Sub/日本.url", u"F/Sub", u"F"})
        std::filesystem::last_write_time(tree.fsPath(path), then);
    const BookmarkRun run(tree.path(u"F"), tree.path(), tree.path(u"b.html"));
    EXPECT_EQ(run.bookmarks,
              "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n"
              "<!-- This is an automatically generated file.\n"
              "     It will be read and overwritten.\n"
              "     DO NOT EDIT! -->\n"
              "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">\n"
              "<TITLE>Bookmarks</TITLE>\n"
              "<H1>Bookmarks</H1>\n"
              "<DL><p>\n"
              "    <DT><H3 ADD_DATE=\"1000000000\" LAST_MODIFIED=\"1000000000\">F</H3>\n"
              "    <DL><p>\n"
              "        <DT><H3 ADD_DATE=\"1000000000\" LAST_MODIFIED=\"1000000000\">Sub</H3>\n"
              "        <DL><p>\n"
              "            <DT><A HREF=\"http://%E6%97%A5%E6%9C%AC.jp/\" ADD_DATE=\"1000000000\" LAST_MODIFIED=\"1000000000\">日本</A>\n"
              "        </DL><p>\n"
              "        <DT><A HREF=\"http://a/?x=1&amp;y=2\" ADD_DATE=\"1000000000\" LAST_MODIFIED=\"1000000000\">a &amp; b</A>\n"
              "    </DL><p>\n"
              "</DL><p>\n");
}

// Times in seconds since 1970. A link is modified at its last write and
// added at the earlier of its creation time (where the file system keeps
// one) and the last write, so a tree copied with its times keeps them. A
// folder spans what it holds, itself among it: added at the earliest
// addition, modified at the latest change, so a folder copied in 2015 that
// holds links of 2005 says 2005.
TEST(BookmarkFile, LinksKeepTheirTimesAndFoldersSpanWhatTheyHold)
{
    TempTree tree;
    tree.shortcut(u"F/Sub/old.url", u"http://old/");
    tree.shortcut(u"F/Sub/new.url", u"http://new/");
    tree.shortcut(u"F/top.url", u"http://top/");
    using namespace std::chrono;
    const auto at = [&tree](const char16_t* path, int seconds) {
        std::filesystem::last_write_time(tree.fsPath(path),
                                         file_clock::from_sys(sys_seconds(std::chrono::seconds(1000000000 + seconds))));
    };
    at(u"F/Sub/old.url", 0);
    at(u"F/Sub/new.url", 50);
    // The standard library cannot set a folder's time on Windows.
    const bool folderTimesSet = hostSeparator() == u'/';
    if (folderTimesSet) {
        at(u"F/Sub", 7);
        at(u"F", 20);
    }
    const auto now = duration_cast<seconds>(system_clock::now().time_since_epoch()).count();
    const BookmarkRun run(tree.path(u"F"), tree.path(), tree.path(u"b.html"));
    const ParsedBookmarks file = run.parsed();
    const BookmarkNode& favorites = file.top.children.at(0);
    const BookmarkNode& sub = favorites.children.at(0);
    ASSERT_EQ(outlineOf(favorites, false), "Sub/\n  new\n  old\ntop\n");
    EXPECT_EQ(sub.children[1].added, 1000000000);
    EXPECT_EQ(sub.children[1].modified, 1000000000);
    EXPECT_EQ(sub.children[0].modified, 1000000050);
    EXPECT_EQ(sub.added, 1000000000);
    const BookmarkNode& fresh = favorites.children.at(1);
    ASSERT_TRUE(fresh.added && fresh.modified && sub.modified && favorites.modified);
    EXPECT_LE(*fresh.added, *fresh.modified);
    EXPECT_NEAR(double(*fresh.modified), double(now), 600.0);
    EXPECT_EQ(favorites.added, 1000000000);
    // A folder whose time cannot be set was changed now, by what was made in it.
    EXPECT_GE(*sub.modified, 1000000050);
    EXPECT_GE(*favorites.modified, *fresh.modified);
    if (folderTimesSet) {
        EXPECT_EQ(sub.modified, 1000000050);
        EXPECT_EQ(favorites.modified, fresh.modified);
        // The folder's own change, when it is the latest.
        at(u"F/Sub/new.url", 3);
        const BookmarkRun again(tree.path(u"F"), tree.path(), tree.path(u"b.html"));
        EXPECT_EQ(again.parsed().top.children.at(0).children.at(0).modified, 1000000007);
    }
}

// The bookmark file is whole or not there: every failure of it is told once,
// with its reason, the page is written all the same, and the previous file
// stays with nothing left beside it.
TEST(BookmarkFile, AFileThatCannotBeWrittenIsToldAndThePreviousOneStays)
{
    TempTree tree;
    tree.shortcut(u"F/a.url", u"http://a/");
    const std::u16string previous = tree.file(u"keep/b.html", "previous");
    std::vector<Failure> causes;
    const auto failAtTheThirdLine = [](FaultyHost& host) {
        host.beforeWriteBookmarkLine = [lines = 0](std::u16string_view) mutable {
            if (++lines == 3)
                throw systemFailure(std::errc::io_error);
        };
    };
    const BookmarkRun run(tree.path(u"F"), tree.path(), previous, failAtTheThirdLine);
    EXPECT_EQ(run.bookmarks, "previous");
    EXPECT_EQ(filesIn(tree.path(u"keep")), Lines{"b.html"});
    EXPECT_EQ(run.harness.boxes.shown, (Shown{errorOccurredBox(), completedBox()}));
    EXPECT_TRUE(run.harness.outcome.pageWritten());
    EXPECT_FALSE(run.harness.outcome.succeeded());
    EXPECT_NE(run.page.find("http://a/"), std::string::npos);

    const BookmarkRun nowhere(tree.path(u"F"), tree.path(), tree.path(u"missing/b.html"));
    EXPECT_TRUE(nowhere.bookmarks.starts_with("<missing")) << nowhere.bookmarks;
    EXPECT_EQ(nowhere.harness.boxes.shown, (Shown{errorOccurredBox(), completedBox()}));
    EXPECT_TRUE(nowhere.harness.outcome.pageWritten());
}

// The bookmarks stand only beside a page of the same run.
TEST(BookmarkFile, NoPageNoBookmarks)
{
    TempTree tree;
    tree.shortcut(u"F/a.url", u"http://a/");
    const std::u16string previous = tree.file(u"keep/b.html", "previous");
    const auto pageRefused = [](FaultyHost& host) { host.beforeCreatePage = [](auto) { throw systemFailure(std::errc::permission_denied); }; };
    const BookmarkRun refused(tree.path(u"F"), tree.path(), previous, pageRefused);
    EXPECT_EQ(refused.bookmarks, "previous");
    EXPECT_EQ(filesIn(tree.path(u"keep")), Lines{"b.html"});
    EXPECT_EQ(refused.harness.boxes.shown, Shown{errorOccurredBox()});

    const BookmarkRun noTree(tree.path(u"missing"), tree.path(), previous);
    EXPECT_EQ(noTree.bookmarks, "previous");
    EXPECT_EQ(filesIn(tree.path(u"keep")), Lines{"b.html"});
    EXPECT_EQ(noTree.harness.outcome.page, RunOutcome::Page::NoTree);
}

// A folder the page does not show is read for the bookmarks alone: a
// shortcut that cannot be read is left out without a word, a failure of the
// disk is told as a section's.
TEST(BookmarkFile, FoldersBeyondThePageAreReadForTheBookmarksAlone)
{
    TempTree tree;
    for (int i = 0; i < 1000; ++i)
        tree.folder(numbered("F/A/f%04d", i));
    tree.shortcut(u"F/B/good.url", u"http://good/");
    tree.file(u"F/B/no url.url", "[InternetShortcut]\r\n");
    tree.shortcut(u"F/C/lost.url", u"http://lost/");
    tree.shortcut(u"F/D/after.url", u"http://after/");
    tree.shortcut(u"F/E/closed.url", u"http://closed/");
    const auto diskFailsInCAndEIsClosed = [](FaultyHost& host) {
        host.beforeReadShortcut = [](std::u16string_view path) {
            if (path.find(u"lost") != std::u16string_view::npos)
                throw systemFailure(std::errc::io_error);
        };
        const auto closed = [](std::u16string_view folder) {
            if (folder.ends_with(u"E"))
                throw systemFailure(std::errc::permission_denied);
        };
        host.beforeListSubfolders = closed;
        host.beforeListShortcuts = closed;
    };
    const BookmarkRun run(tree.path(u"F"), tree.path(), tree.path(u"b.html"), diskFailsInCAndEIsClosed);
    const ParsedBookmarks file = run.parsed();
    EXPECT_EQ(linksOf(file.top), (Lines{"good -> http://good/", "after -> http://after/"}));
    EXPECT_EQ(file.top.children.at(0).children.back().name, "E");
    // The full table twice, E by the walk, C's disk by its section; the
    // broken shortcut beyond the page's folders is counted.
    EXPECT_EQ(run.harness.boxes.shown, (Shown{errorOccurredBox(), errorOccurredBox(), errorOccurredBox(),
                                              fileOutputFailedBox(), completedBox(), leftOutBox(1)}));
}

// Ten folders that all link to one another: the page follows the links to
// its full thousand, as always; the bookmark file holds each real folder
// once, where the walk first met it, with its one shortcut.
// A broken shortcut in a folder met again through a link is counted once,
// where the file holds the folder, however often the page lists it.
TEST(BookmarkFile, ABrokenShortcutInALinkedFolderIsCountedOnce)
{
    TempTree tree;
    tree.shortcut(u"F/a/s.url", u"http://a/");
    tree.file(u"F/a/broken.url", "[InternetShortcut]\r\n");
    tree.folder(u"F/b");
    try {
        tree.symlink(tree.path(u"F/a"), u"F/b/toA");
    } catch (const std::filesystem::filesystem_error& error) {
        GTEST_SKIP() << "no links to folders can be made here: " << error.what();
    }
    const BookmarkRun run(tree.path(u"F"), tree.path(), tree.path(u"b.html"));
    EXPECT_EQ(countOf(utf8(cp932::decode(run.page)), "『broken』の読み込みに失敗しました"), 2u);
    EXPECT_EQ(run.harness.boxes.shown, (Shown{completedBox(), leftOutBox(1)}));
}

TEST(BookmarkFile, FoldersLinkedToOneAnotherAreWrittenOnceEach)
{
    TempTree tree;
    for (int i = 0; i < 10; ++i)
        tree.shortcut(numbered("F/f%d/s.url", i), numbered("http://example.jp/%d", i));
    try {
        for (int from = 0; from < 10; ++from)
            for (int to = 0; to < 10; ++to)
                if (from != to)
                    tree.symlink(tree.path(numbered("F/f%d", to)), numbered("F/f%d/", from) + numbered("to%d", to));
    } catch (const std::filesystem::filesystem_error& error) {
        GTEST_SKIP() << "no links to folders can be made here: " << error.what();
    }
    tree.folder(u"plain");
    GeneratorHarness plain;
    const std::string plainPage = plain.run(tree.path(u"F"), tree.path(u"plain"));
    tree.folder(u"with");
    const BookmarkRun run(tree.path(u"F"), tree.path(u"with"), tree.path(u"b.html"));
    EXPECT_SAME_PAGE(plainPage, run.page);
    EXPECT_EQ(countOf(run.page, "<OL>"), 1000u);
    EXPECT_EQ(run.harness.boxes.shown, plain.boxes.shown);
    const ParsedBookmarks file = run.parsed();
    // The Favorites folder and its ten, each under the name it was first met by.
    EXPECT_EQ(folderCount(file.top), 1u + 10) << outlineOf(file.top);
    Lines expected;
    for (int i = 0; i < 10; ++i)
        expected.push_back(utf8(numbered("s -> http://example.jp/%d", i)));
    Lines links = linksOf(file.top);
    std::sort(links.begin(), links.end());
    EXPECT_EQ(links, expected);
}

// The top folder takes the name the file system gives the Favorites folder,
// however it was typed: "." from inside it, "..", a trailing separator.
TEST(BookmarkFile, TheTopFolderIsTheFavoritesFoldersOwnName)
{
    TempTree tree;
    tree.shortcut(u"お気に入り/Sub/a.url", u"http://a/");
    const std::u16string separator(1, hostSeparator());
    WorkingFolder inside(tree.path(u"お気に入り"));
    for (const std::u16string& typed : {u"." + std::u16string(), u"Sub" + separator + u"..",
                                        tree.path(u"お気に入り") + separator, u"Sub" + separator + u".." + separator + u"."}) {
        const BookmarkRun run(typed, tree.path(), tree.path(u"b.html"));
        ASSERT_EQ(run.parsed().top.children.size(), 1u) << utf8(typed);
        EXPECT_EQ(run.parsed().top.children[0].name, "お気に入り") << utf8(typed);
    }
}
