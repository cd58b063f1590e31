#include "CliRun.h"

#include "ConsoleMessageBoxes.h"
#include "LocalPlatform.h"
#include "Messages.h"
#include "Module1.h"
#include "PathBoxes.h"
#include "ProgressLine.h"

namespace markroll {
namespace {

enum ExitStatus { Completed = 0, FailureReported = 1, UnusableCommandLine = 2 };

QString usage()
{
    return QStringLiteral("usage: markroll-cli FAVORITES_FOLDER OUTPUT_FOLDER\n"
                          "Writes ALL_Favorites_Link.htm into OUTPUT_FOLDER: one numbered list per folder\n"
                          "below FAVORITES_FOLDER, one link per Internet Shortcut (*.url) in it.\n"
                          "Exit status: 0 page written, 1 a failure was reported, 2 unusable arguments.");
}

// The two paths, used exactly as given, spaces included.
class ArgumentPaths : public PathBoxes {
public:
    ArgumentPaths(QString favorites, QString output) : favorites_(std::move(favorites)), output_(std::move(output)) {}
    QString favoriteText() const override { return favorites_; }
    QString outputText() const override { return output_; }

private:
    QString favorites_;
    QString output_;
};

} // namespace

int runCli(const QStringList& arguments)
{
    const QStringList given = arguments.mid(1);
    if (given == QStringList{QStringLiteral("--help")} || given == QStringList{QStringLiteral("-h")}) {
        printLine(stdout, usage());
        return Completed;
    }
    if (given == QStringList{QStringLiteral("--version")}) {
        printLine(stdout, QStringLiteral("markroll-cli 1.00"));
        return Completed;
    }
    if (given.size() != 2) {
        printLine(stderr, usage());
        return UnusableCommandLine;
    }
    ConsoleMessageBoxes boxes;
    if (given[0].trimmed().isEmpty() || given[1].trimmed().isEmpty()) {
        boxes.show(messages::blankInput(), ExclamationMessage);
        return UnusableCommandLine;
    }

    ArgumentPaths paths(given[0], given[1]);
    LocalPlatform platform;
    Module1 generator({paths, boxes, platform.files, platform.shells, platform.listing});
    ProgressLine progress(stderr);
    generator.onSectionWritten = [&](int done, int total) { progress.update(done, total); };
    boxes.setBeforeMessage([&] { progress.clear(); });
    generator.MakeLinkPage();
    progress.clear();
    return boxes.completionShown() && !boxes.failureShown() ? Completed : FailureReported;
}

} // namespace markroll
