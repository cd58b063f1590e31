#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace markroll::test;

namespace {

struct CliResult {
    int status = -1;
    QString out;
    QString err;
};

CliResult runCli(const QStringList& arguments, const QString& workingFolder = {}, const QStringList& prefix = {})
{
    QProcess process;
    if (!workingFolder.isEmpty())
        process.setWorkingDirectory(workingFolder);
    const QStringList command = prefix + QStringList{QStringLiteral(MARKROLL_CLI_PATH)} + arguments;
    process.start(command.first(), command.mid(1));
    process.closeWriteChannel();
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

const QString completedLine = QStringLiteral("Markroll: 出力完了！！\n");
const QString errorLine = QStringLiteral("Markroll: エラーが発生しました\n");

} // namespace

TEST(Cli, VersionAndHelp)
{
    const CliResult version = runCli({QStringLiteral("--version")});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, QStringLiteral("markroll-cli 1.00\n"));
    const CliResult help = runCli({QStringLiteral("--help")});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.startsWith(QStringLiteral("usage: markroll-cli FAVORITES_FOLDER OUTPUT_FOLDER")));
    EXPECT_TRUE(help.err.isEmpty());
}

TEST(Cli, AWrongArgumentCountIsUsageAndStatusTwo)
{
    for (const QStringList& arguments : {QStringList{}, QStringList{QStringLiteral("a")},
                                         QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}}) {
        const CliResult result = runCli(arguments);
        EXPECT_EQ(result.status, 2) << arguments.join(QLatin1Char(' ')).toStdString();
        EXPECT_TRUE(result.err.startsWith(QStringLiteral("usage:")));
        EXPECT_TRUE(result.out.isEmpty());
    }
}

TEST(Cli, ABlankArgumentIsRefusedBeforeAnyRun)
{
    TempTree out;
    for (const QStringList& arguments : {QStringList{QStringLiteral("  "), out.path()},
                                         QStringList{out.path(), QStringLiteral("\u3000")}}) {
        const CliResult result = runCli(arguments);
        EXPECT_EQ(result.status, 2);
        EXPECT_EQ(result.err, QStringLiteral("Markroll: 未入力項目が有ります\n"));
        EXPECT_TRUE(result.out.isEmpty());
    }
    EXPECT_FALSE(QFileInfo::exists(pageFile(out.path())));
}

TEST(Cli, ACompletedRunWritesTheSamePageAsTheWindow)
{
    TempTree out;
    const CliResult result = runCli({QStringLiteral("nested"), out.path()}, dataPath(QStringLiteral("trees")));
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, completedLine);
    EXPECT_EQ(result.err, QString());
    EXPECT_EQ(readBytes(pageFile(out.path())), readBytes(dataPath(QStringLiteral("pages/nested.htm"))));
}

TEST(Cli, FailuresGoToStandardErrorInOrderAndGiveStatusOne)
{
    TempTree tree;
    const CliResult missingFavorites = runCli({tree.path(QStringLiteral("missing")), tree.path()});
    EXPECT_EQ(missingFavorites.status, 1);
    EXPECT_EQ(missingFavorites.err, errorLine);
    EXPECT_EQ(missingFavorites.out, completedLine);

    tree.folder(QStringLiteral("fav"));
    const CliResult missingOutput = runCli({tree.path(QStringLiteral("fav")), tree.path(QStringLiteral("missing"))});
    EXPECT_EQ(missingOutput.status, 1);
    EXPECT_EQ(missingOutput.err, errorLine);
    EXPECT_EQ(missingOutput.out, QString());
}

// Root may write anywhere, so the refusal is made real by running as nobody.
TEST(Cli, AnOutputFolderWithoutWritePermissionIsAFailure)
{
    const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
    QStringList asNobody;
    if (geteuid() == 0) {
        if (setpriv.isEmpty())
            GTEST_SKIP() << "running as root without setpriv: no way to be refused";
        asNobody = {setpriv, QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"), QStringLiteral("--clear-groups")};
    }
    // Outside the private temporary folder, so nobody can reach it.
    QTemporaryDir shared(QStringLiteral("/tmp/markroll-cli-XXXXXX"));
    ASSERT_TRUE(shared.isValid());
    const QString fav = shared.filePath(QStringLiteral("fav"));
    const QString locked = shared.filePath(QStringLiteral("locked"));
    ASSERT_TRUE(QDir().mkpath(fav) && QDir().mkpath(locked));
    const auto readable = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
    for (const QString& path : {shared.path(), fav, locked})
        ASSERT_TRUE(QFile::setPermissions(path, readable));
    const CliResult result = runCli({fav, locked}, {}, asNobody);
    QFile::setPermissions(locked, readable | QFile::WriteOwner);
    EXPECT_EQ(result.status, 1) << result.err.toStdString();
    EXPECT_EQ(result.err, errorLine);
    EXPECT_FALSE(QFileInfo::exists(pageFile(locked)));
}

TEST(Cli, NothingButMessagesReachesAPipe)
{
    TempTree tree;
    for (int i = 0; i < 50; ++i)
        tree.shortcut(QStringLiteral("fav/f%1/a.url").arg(i), QStringLiteral("http://a/"));
    const CliResult result = runCli({tree.path(QStringLiteral("fav")), tree.path()});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, completedLine);
    EXPECT_EQ(result.err, QString());
}
