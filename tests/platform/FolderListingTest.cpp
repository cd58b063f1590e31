#include "LocalFileSystem.h"
#include "NameOrder.h"
#include "ScriptError.h"
#include "TestSupport.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace markroll;
using namespace markroll::test;

namespace {

QStringList subfoldersOf(const QString& path)
{
    return LocalFileSystem().getFolder(path)->subfolderNames();
}

int getFolderError(const QString& path)
{
    return errorNumberOf([&] { LocalFileSystem().getFolder(path); });
}

} // namespace

TEST(NameOrder, UpperCasedCodeUnitsThenExactNames)
{
    QStringList names{QStringLiteral("Banana"), QStringLiteral("apple"), QStringLiteral("B"), QStringLiteral("a"),
                      QStringLiteral("A"),      QStringLiteral("_x"),    QStringLiteral("ヤ"), QStringLiteral("①"),
                      QStringLiteral("b")};
    sortByNameOrder(names);
    EXPECT_EQ(names, (QStringList{QStringLiteral("A"), QStringLiteral("a"), QStringLiteral("apple"), QStringLiteral("B"),
                                  QStringLiteral("b"), QStringLiteral("Banana"), QStringLiteral("_x"),
                                  QStringLiteral("①"), QStringLiteral("ヤ")}));
}

TEST(FolderListing, EverySubfolderInNameOrderHiddenOnesIncludedFilesLeftOut)
{
    TempTree tree;
    for (const char* name : {"Banana", "apple", ".hidden", "B", "日本"})
        tree.folder(QLatin1String("root/") + QString::fromUtf8(name));
    tree.file(QStringLiteral("root/file.url"), "x");
    tree.file(QStringLiteral("root/Banana/deeper-file"), "x");
    EXPECT_EQ(subfoldersOf(tree.path(QStringLiteral("root"))),
              (QStringList{QStringLiteral(".hidden"), QStringLiteral("apple"), QStringLiteral("B"),
                           QStringLiteral("Banana"), QStringLiteral("日本")}));
}

TEST(FolderListing, LinksToFoldersCountButNotLinksBackUpTheWalkedPath)
{
    TempTree tree;
    tree.folder(QStringLiteral("root/Real"));
    tree.folder(QStringLiteral("outside"));
    tree.file(QStringLiteral("afile"), "x");
    tree.symlink(tree.path(QStringLiteral("outside")), QStringLiteral("root/ToOutside"));
    tree.symlink(tree.path(QStringLiteral("root")), QStringLiteral("root/Real/ToRoot"));
    tree.symlink(tree.path(QStringLiteral("root/Real")), QStringLiteral("root/Real/ToSelf"));
    tree.symlink(tree.path(QStringLiteral("")), QStringLiteral("root/Real/ToTop"));
    tree.symlink(tree.path(QStringLiteral("afile")), QStringLiteral("root/ToFile"));
    tree.symlink(tree.path(QStringLiteral("nowhere")), QStringLiteral("root/Dangling"));
    EXPECT_EQ(subfoldersOf(tree.path(QStringLiteral("root"))),
              (QStringList{QStringLiteral("Real"), QStringLiteral("ToOutside")}));
    EXPECT_EQ(subfoldersOf(tree.path(QStringLiteral("root/Real"))), QStringList());
}

TEST(FolderListing, AncestorsAreThoseOfThePathAsWalkedThroughLinks)
{
    TempTree tree;
    tree.folder(QStringLiteral("A"));
    tree.folder(QStringLiteral("B"));
    tree.symlink(tree.path(QStringLiteral("B")), QStringLiteral("A/ToB"));
    tree.symlink(tree.path(QStringLiteral("A")), QStringLiteral("B/ToA"));
    // Walking A/ToB reaches B, whose link leads back to A: an ancestor as walked.
    EXPECT_EQ(subfoldersOf(tree.path(QStringLiteral("A/ToB"))), QStringList());
    EXPECT_EQ(subfoldersOf(tree.path(QStringLiteral("B"))), QStringList{QStringLiteral("ToA")});
}

TEST(FolderListing, AncestorsOfTheRealFolderCountWhenReachedThroughALink)
{
    TempTree tree;
    tree.folder(QStringLiteral("elsewhere/deep/folder"));
    tree.folder(QStringLiteral("fav"));
    tree.symlink(tree.path(QStringLiteral("elsewhere/deep/folder")), QStringLiteral("fav/Link"));
    tree.symlink(tree.path(QStringLiteral("elsewhere")), QStringLiteral("elsewhere/deep/folder/ToElsewhere"));
    EXPECT_EQ(subfoldersOf(tree.path(QStringLiteral("fav/Link"))), QStringList());
}

TEST(FolderListing, RelativeAndDoubledSeparatorPathsWork)
{
    TempTree tree;
    tree.folder(QStringLiteral("root/Sub"));
    tree.symlink(tree.path(QStringLiteral("root")), QStringLiteral("root/Sub/Up"));
    WorkingFolder inside(tree.path());
    EXPECT_EQ(subfoldersOf(QStringLiteral("root/")), QStringList{QStringLiteral("Sub")});
    EXPECT_EQ(subfoldersOf(QStringLiteral("root//Sub")), QStringList());
}

TEST(FolderListing, AMissingFolderOrAFileIsPathNotFound)
{
    TempTree tree;
    tree.file(QStringLiteral("afile"), "x");
    EXPECT_EQ(getFolderError(tree.path(QStringLiteral("missing"))), PathNotFound);
    EXPECT_EQ(getFolderError(tree.path(QStringLiteral("afile"))), PathNotFound);
    EXPECT_EQ(getFolderError(QString()), PathNotFound);
}

TEST(FolderListing, AFolderRemovedAfterItWasOpenedFailsWhenListed)
{
    TempTree tree;
    const QString path = tree.folder(QStringLiteral("gone"));
    auto folder = LocalFileSystem().getFolder(path);
    QDir(path).removeRecursively();
    try {
        folder->subfolderNames();
        FAIL() << "listing a removed folder succeeded";
    } catch (const ScriptError& error) {
        EXPECT_EQ(error.number(), PathNotFound);
    }
}
