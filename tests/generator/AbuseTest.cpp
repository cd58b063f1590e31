#include "FaultyPlatform.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QProcess>
#include <QScopeGuard>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace markroll;
using namespace markroll::test;

namespace {

// Every file and folder below `root` with its bytes' hash and modification time.
QMap<QString, QString> snapshot(const QString& root)
{
    QMap<QString, QString> entries;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info(path);
        QString state = info.lastModified().toString(Qt::ISODateWithMs);
        if (info.isFile() && !info.isSymLink())
            state += QLatin1Char(' ') + QString::fromLatin1(QCryptographicHash::hash(readBytes(path), QCryptographicHash::Sha256).toHex());
        entries.insert(path, state);
    }
    return entries;
}

bool runs(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

} // namespace

TEST(Abuse, TheFavoritesTreeIsUnchangedByARun)
{
    TempTree tree;
    ASSERT_TRUE(runs(QStringLiteral("cp"), {QStringLiteral("-a"), QStringLiteral(MARKROLL_EXAMPLES_DIR "/Favorites"), tree.path()}));
    const QString favorites = tree.path(QStringLiteral("Favorites"));
    const auto before = snapshot(favorites);
    ASSERT_GT(before.size(), 20);
    TempTree out;
    GeneratorHarness harness;
    harness.run(favorites, out.path());
    EXPECT_EQ(snapshot(favorites), before);
    EXPECT_EQ(QDir(out.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{QStringLiteral("ALL_Favorites_Link.htm")});
}

TEST(Abuse, APageNamedLinkIsReplacedAndWhatItPointedToIsUntouched)
{
    TempTree tree;
    tree.shortcut(QStringLiteral("fav/a.url"), QStringLiteral("http://a/"));
    const QString precious = tree.file(QStringLiteral("elsewhere/precious.htm"), "precious");
    tree.symlink(precious, QStringLiteral("out/ALL_Favorites_Link.htm"));
    GeneratorHarness harness;
    const QByteArray page = harness.run(tree.path(QStringLiteral("fav")), tree.path(QStringLiteral("out")));
    EXPECT_TRUE(page.startsWith("<HTML><HEAD>"));
    EXPECT_EQ(readBytes(precious), QByteArray("precious"));
    EXPECT_FALSE(QFileInfo(pageFile(tree.path(QStringLiteral("out")))).isSymLink());
    EXPECT_EQ(harness.boxes.shown, QList<ShownMessage>{completedBox()});
}

// A real full disk: a 32 KiB memory file system, where this machine lets root
// mount one.
TEST(Abuse, ADiskThatFillsMidPageIsReportedAndKeepsWhatWasWritten)
{
    TempTree tree;
    for (int i = 0; i < 400; ++i)
        tree.shortcut(QStringLiteral("fav/link%1.url").arg(i, 3, 10, QLatin1Char('0')),
                      QStringLiteral("http://example.com/") + QString(200, QLatin1Char('a' + i % 26)));
    const QString small = tree.folder(QStringLiteral("small"));
    if (geteuid() != 0 || !runs(QStringLiteral("mount"), {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                                                          QStringLiteral("size=32k"), QStringLiteral("tmpfs"), small}))
        GTEST_SKIP() << "cannot mount a small file system here; the file services' seam covers a full disk "
                        "(WriterFailure.LinesBeforeAWriteFailureAreKeptAndTheNextRunIsClean)";
    const auto unmount = qScopeGuard([&] { runs(QStringLiteral("umount"), {small}); });

    TempTree roomy;
    GeneratorHarness reference;
    const QByteArray full = reference.run(tree.path(QStringLiteral("fav")), roomy.path());
    ASSERT_GT(full.size(), 64 * 1024);

    GeneratorHarness harness;
    QByteArray onDiskWhenTold;
    harness.boxes.onShow = [&](const ShownMessage&) { onDiskWhenTold = readBytes(pageFile(small)); };
    const QByteArray partial = harness.run(tree.path(QStringLiteral("fav")), small);
    // The section being written warns and ends; the page writer then fails on
    // its foot line and says so, with no completion after it.
    EXPECT_EQ(harness.boxes.shown, (QList<ShownMessage>{fileOutputFailedBox(), errorOccurredBox()}));
    EXPECT_GT(partial.size(), 0);
    EXPECT_LT(partial.size(), full.size());
    EXPECT_TRUE(full.startsWith(partial));
    EXPECT_EQ(onDiskWhenTold, partial);
}

TEST(Abuse, FoldersDeeperThanThePathLimitEndTheirBranchOnly)
{
    TempTree tree;
    const QString level = QString(200, QLatin1Char('d'));
    {
        WorkingFolder inside(tree.path());
        for (int depth = 0; depth < 25; ++depth) {
            ASSERT_TRUE(QDir().mkdir(level));
            ASSERT_TRUE(QDir::setCurrent(level));
        }
        tree.shortcut(QStringLiteral("shallow.url"), QStringLiteral("http://shallow/"));
    }
    const auto removeDeepTree = qScopeGuard([&] { runs(QStringLiteral("rm"), {QStringLiteral("-rf"), tree.path(level)}); });
    TempTree out;
    GeneratorHarness harness;
    WorkingFolder inside(tree.path());
    const QByteArray page = harness.run(QStringLiteral("."), out.path());
    EXPECT_TRUE(page.contains("http://shallow/"));
    EXPECT_TRUE(page.endsWith("</BODY></HTML>\r\n"));
    EXPECT_EQ(harness.boxes.shown.last(), completedBox());
    EXPECT_GE(harness.boxes.shown.count(errorOccurredBox()), 1);
    EXPECT_EQ(page.count("<OL>"), harness.generator.state().FolderCount);
}

TEST(Abuse, TwentyThousandShortcutsInOneFolder)
{
    TempTree tree;
    for (int i = 0; i < 20000; ++i)
        tree.file(QStringLiteral("fav/s%1.url").arg(i, 5, 10, QLatin1Char('0')), "[InternetShortcut]\nURL=http://x/\n");
    TempTree out;
    GeneratorHarness harness;
    const QByteArray page = harness.run(tree.path(QStringLiteral("fav")), out.path());
    EXPECT_EQ(page.count("<LI>"), 20000);
    EXPECT_TRUE(page.contains(">s19999</A></LI>\r\n</OL>\r\n</BODY></HTML>\r\n"));
    EXPECT_EQ(harness.boxes.shown, QList<ShownMessage>{completedBox()});
}

TEST(Abuse, PipesAndDevicesNamedLikeShortcutsAreNeverOpened)
{
    TempTree tree;
    tree.shortcut(QStringLiteral("fav/real.url"), QStringLiteral("http://real/"));
    ASSERT_EQ(mkfifo(QFile::encodeName(tree.path(QStringLiteral("fav/pipe.url"))).constData(), 0600), 0);
    tree.symlink(QStringLiteral("/dev/zero"), QStringLiteral("fav/device.url"));
    TempTree out;
    GeneratorHarness harness;
    const QByteArray page = harness.run(tree.path(QStringLiteral("fav")), out.path());
    EXPECT_EQ(page.count("<LI>"), 1);
    EXPECT_FALSE(page.contains("pipe"));
    EXPECT_FALSE(page.contains("device"));
}

TEST(Abuse, LinkLoopsEndWithEachFolderListedOnce)
{
    TempTree tree;
    tree.folder(QStringLiteral("fav/A"));
    tree.folder(QStringLiteral("fav/B"));
    tree.symlink(tree.path(QStringLiteral("fav")), QStringLiteral("fav/A/Up"));
    tree.symlink(tree.path(QStringLiteral("fav/B")), QStringLiteral("fav/A/ToB"));
    tree.symlink(tree.path(QStringLiteral("fav/A")), QStringLiteral("fav/B/ToA"));
    TempTree out;
    GeneratorHarness harness;
    WorkingFolder inside(tree.path());
    const QByteArray page = harness.run(QStringLiteral("fav"), out.path());
    EXPECT_EQ(page.count("<OL>"), 5);
    for (const char* section : {"<B>fav</B>", "<B>fav/A</B>", "<B>fav/A/ToB</B>", "<B>fav/B</B>", "<B>fav/B/ToA</B>"})
        EXPECT_EQ(page.count(section), 1) << section;
    EXPECT_EQ(harness.boxes.shown, QList<ShownMessage>{completedBox()});
}
