#include "cli/CliRun.h"

#include "cli/ConsoleMessageBoxes.h"
#include "cli/EscapedText.h"
#include "cli/ProgressLine.h"
#include "generator/InputCheck.h"
#include "generator/LinkPageRun.h"
#include "generator/Messages.h"
#include "generator/PathBoxes.h"
#include "MarkrollVersion.h"
#include "platform/Failure.h"
#include "platform/files/HostPath.h"
#include "platform/files/PendingFile.h"
#include "platform/files/WriteSignals.h"
#include "platform/LocalHost.h"
#include "platform/text/Unicode.h"

#include <array>
#include <cstdio>
#include <exception>
#include <optional>

namespace markroll {
namespace {

enum ExitStatus { Completed = 0, FailureReported = 1, UnusableCommandLine = 2, MessageUnshown = 3 };

constexpr std::string_view Usage =
    "usage: markroll-cli [--] FAVORITES_FOLDER OUTPUT_FOLDER\n"
    "Writes ALL_Favorites_Link.htm into OUTPUT_FOLDER: one numbered list per folder\n"
    "below FAVORITES_FOLDER, one link per Internet Shortcut (*.url) in it.\n"
    "Exit status: 0 page written, 1 a failure was reported, 2 unusable arguments,\n"
    "3 a message could not be written.";

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

// The two paths, after "--" when it is given; anything else that looks like
// an option is refused with the usage.
std::optional<std::array<std::u16string, 2>> pathArguments(const std::vector<std::u16string>& arguments)
{
    std::vector<std::u16string> paths;
    bool optionsEnded = false;
    for (const std::u16string& argument : arguments) {
        if (!optionsEnded && argument == u"--") {
            optionsEnded = true;
        } else if (!optionsEnded && argument.size() > 1 && argument[0] == u'-') {
            printLine(stderr, "markroll-cli: unknown option '" +
                                  unicode::encodeUtf8(escapedForOneLine(readableHostText(argument))) + "'");
            printLine(stderr, Usage);
            return std::nullopt;
        } else {
            paths.push_back(argument);
        }
    }
    if (paths.size() != 2) {
        printLine(stderr, paths.size() < 2 ? "markroll-cli: two folders are needed, the Favorites folder and the output folder"
                                           : "markroll-cli: too many arguments: only two folders are taken");
        printLine(stderr, Usage);
        return std::nullopt;
    }
    return std::array<std::u16string, 2>{paths[0], paths[1]};
}

int generate(const std::u16string& favorites, const std::u16string& output, ClosedStandardStreams closed)
{
    // A failed write is told as one; it never ends the run by a signal.
    failWritesInsteadOfSignals();
    ConsoleMessageBoxes boxes(closed);
    if (isBlank(favorites) || isBlank(output)) {
        boxes.show(messages::BlankInput, MessageStyle::Exclamation);
        return boxes.someUnshown() ? MessageUnshown : UnusableCommandLine;
    }

    // An interrupted run removes its unfinished page and leaves the previous one.
    pendingfile::removeOnTermination();
    ArgumentPaths paths(favorites, output);
    LocalHost host;
    LinkPageRun run({paths, boxes, host});
    ProgressLine progress(stderr);
    run.onSectionWritten = [&](int done, int total) { progress.update(done, total); };
    boxes.setBeforeMessage([&] { progress.clear(); });
    run.onFailure = [&](const Failure& cause) { boxes.setCause(readableHostText(cause.description())); };
    const RunOutcome outcome = run.run();
    progress.clear();
    if (boxes.someUnshown())
        return MessageUnshown;
    return outcome.succeeded() ? Completed : FailureReported;
}

int runCliOnce(const std::vector<std::u16string>& arguments, ClosedStandardStreams closed)
{
    if (isOnly(arguments, {u"--help", u"-h"})) {
        printLine(stdout, Usage);
        return Completed;
    }
    if (isOnly(arguments, {u"--version"})) {
        printLine(stdout, "markroll-cli " MARKROLL_VERSION_TEXT);
        return Completed;
    }
    const auto paths = pathArguments(arguments);
    if (!paths)
        return UnusableCommandLine;
    return generate((*paths)[0], (*paths)[1], closed);
}

} // namespace

int runCli(const std::vector<std::u16string>& arguments, ClosedStandardStreams closed)
{
    try {
        return runCliOnce(arguments, closed);
    } catch (...) {
        // Nothing escapes; telling of it may need memory there is none of.
        try {
            ConsoleMessageBoxes(closed).show(messages::ErrorOccurred, MessageStyle::Exclamation);
        } catch (...) {
            std::terminate();
        }
        return FailureReported;
    }
}

} // namespace markroll
