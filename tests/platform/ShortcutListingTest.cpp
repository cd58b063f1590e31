#include "DirectoryListing.h"
#include "HostPath.h"
#include "TestSupport.h"

#include <QFile>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace markroll;
using namespace markroll::test;

namespace {

QStringList listAll(DirectoryListing& listing, const QString& pattern)
{
    QStringList names;
    for (QString name = listing.start(pattern); !name.isEmpty(); name = listing.next())
        names.append(name);
    return names;
}

QStringList listShortcuts(const QString& folder)
{
    LocalDirectoryListing listing;
    return listAll(listing, joinPath(folder, QStringLiteral("*.url")));
}

} // namespace

TEST(ShortcutListing, OrdinaryVisibleShortcutsInAnyLetterCaseInNameOrder)
{
    TempTree tree;
    for (const char* name : {"b.url", "Broken.url", "UPPER.URL", "Mixed.Url", "a.url", "日本.url"})
        tree.file(QStringLiteral("f/") + QString::fromUtf8(name), "x");
    for (const char* name : {".hidden.url", "notes.txt", "url", "x.url.bak", "x.urls"})
        tree.file(QStringLiteral("f/") + QString::fromUtf8(name), "x");
    tree.folder(QStringLiteral("f/Folder.url"));
    tree.file(QStringLiteral("f/Sub/inner.url"), "x");
    EXPECT_EQ(listShortcuts(tree.path(QStringLiteral("f"))),
              (QStringList{QStringLiteral("a.url"), QStringLiteral("b.url"), QStringLiteral("Broken.url"),
                           QStringLiteral("Mixed.Url"), QStringLiteral("UPPER.URL"), QStringLiteral("日本.url")}));
}

TEST(ShortcutListing, LinksCountOnlyWhenTheyLeadToAnOrdinaryFile)
{
    TempTree tree;
    const QString real = tree.file(QStringLiteral("elsewhere/real.url"), "x");
    tree.symlink(real, QStringLiteral("f/linked.url"));
    tree.symlink(tree.path(QStringLiteral("elsewhere")), QStringLiteral("f/folderlink.url"));
    tree.symlink(tree.path(QStringLiteral("nowhere")), QStringLiteral("f/dangling.url"));
    EXPECT_EQ(listShortcuts(tree.path(QStringLiteral("f"))), QStringList{QStringLiteral("linked.url")});
}

TEST(ShortcutListing, ANamedPipeIsNoShortcut)
{
    TempTree tree;
    tree.folder(QStringLiteral("f"));
    ASSERT_EQ(mkfifo(QFile::encodeName(tree.path(QStringLiteral("f/pipe.url"))).constData(), 0600), 0);
    EXPECT_EQ(listShortcuts(tree.path(QStringLiteral("f"))), QStringList());
}

TEST(ShortcutListing, AMissingFolderHasNoNames)
{
    TempTree tree;
    EXPECT_EQ(listShortcuts(tree.path(QStringLiteral("missing"))), QStringList());
}

TEST(ShortcutListing, ANewStartAbandonsTheOldListingAndTheEndStaysEmpty)
{
    TempTree tree;
    tree.file(QStringLiteral("one/a.url"), "x");
    tree.file(QStringLiteral("one/b.url"), "x");
    tree.file(QStringLiteral("two/z.url"), "x");
    LocalDirectoryListing listing;
    EXPECT_EQ(listing.start(joinPath(tree.path(QStringLiteral("one")), QStringLiteral("*.url"))), QStringLiteral("a.url"));
    EXPECT_EQ(listing.start(joinPath(tree.path(QStringLiteral("two")), QStringLiteral("*.url"))), QStringLiteral("z.url"));
    EXPECT_EQ(listing.next(), QString());
    EXPECT_EQ(listing.next(), QString());
}

TEST(ShortcutListing, OtherMasksMatchAsWildcards)
{
    TempTree tree;
    tree.file(QStringLiteral("f/abc.url"), "x");
    tree.file(QStringLiteral("f/ABD.txt"), "x");
    tree.file(QStringLiteral("f/xbc.url"), "x");
    LocalDirectoryListing listing;
    EXPECT_EQ(listAll(listing, joinPath(tree.path(QStringLiteral("f")), QStringLiteral("a?*.*"))),
              (QStringList{QStringLiteral("abc.url"), QStringLiteral("ABD.txt")}));
}
