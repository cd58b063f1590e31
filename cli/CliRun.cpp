#include "CliRun.h"

#include "ConsoleMessageBoxes.h"
#include "InputCheck.h"
#include "LocalPlatform.h"
#include "MarkrollVersion.h"
#include "Messages.h"
#include "HostPath.h"
#include "Module1.h"
#include "ScriptError.h"
#include "PendingFile.h"
#include "PathBoxes.h"
#include "ProgressLine.h"

namespace markroll {
namespace {

enum ExitStatus { Completed = 0, FailureReported = 1, UnusableCommandLine = 2 };

constexpr std::string_view Usage =
    "usage: markroll-cli FAVORITES_FOLDER OUTPUT_FOLDER\n"
    "Writes ALL_Favorites_Link.htm into OUTPUT_FOLDER: one numbered list per folder\n"
    "below FAVORITES_FOLDER, one link per Internet Shortcut (*.url) in it.\n"
    "Exit status: 0 page written, 1 a failure was reported, 2 unusable arguments.";

// The two paths, used exactly as given, spaces included.
class ArgumentPaths : public PathBoxes {
public:
    ArgumentPaths(std::u16string favorites, std::u16string output)
        : favorites_(std::move(favorites)), output_(std::move(output))
    {
    }
    std::u16string favoriteText() const override { return favorites_; }
    std::u16string outputText() const override { return output_; }

private:
    std::u16string favorites_;
    std::u16string output_;
};

bool isOnly(const std::vector<std::u16string>& arguments, std::initializer_list<std::u16string_view> accepted)
{
    if (arguments.size() != 1)
        return false;
    for (const auto word : accepted) {
        if (arguments[0] == word)
            return true;
    }
    return false;
}

} // namespace

int runCli(const std::vector<std::u16string>& arguments)
{
    if (isOnly(arguments, {u"--help", u"-h"})) {
        printLine(stdout, Usage);
        return Completed;
    }
    if (isOnly(arguments, {u"--version"})) {
        printLine(stdout, "markroll-cli " MARKROLL_VERSION_TEXT);
        return Completed;
    }
    if (arguments.size() != 2) {
        printLine(stderr, Usage);
        return UnusableCommandLine;
    }
    ConsoleMessageBoxes boxes;
    if (isBlank(arguments[0]) || isBlank(arguments[1])) {
        boxes.show(messages::BlankInput, MessageStyle::Exclamation);
        return UnusableCommandLine;
    }

    // An interrupted run removes its unfinished page and leaves the previous one.
    pendingfile::removeOnTermination();
    ArgumentPaths paths(arguments[0], arguments[1]);
    LocalPlatform platform;
    Module1 generator({paths, boxes, platform});
    ProgressLine progress(stderr);
    generator.onSectionWritten = [&](int done, int total) { progress.update(done, total); };
    boxes.setBeforeMessage([&] { progress.clear(); });
    generator.onFailure = [&](const ScriptError& cause) { boxes.setCause(readableHostText(cause.description())); };
    const RunOutcome outcome = generator.MakeLinkPage();
    progress.clear();
    return outcome.succeeded() ? Completed : FailureReported;
}

} // namespace markroll
