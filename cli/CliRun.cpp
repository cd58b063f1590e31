#include "cli/CliRun.h"

#include "cli/ConsoleMessageBoxes.h"
#include "cli/EscapedText.h"
#include "cli/ProgressLine.h"
#include "generator/InputCheck.h"
#include "generator/LinkPageRun.h"
#include "generator/Messages.h"
#include "generator/PageFormat.h"
#include "MarkrollVersion.h"
#include "platform/Failure.h"
#include "platform/files/HostPath.h"
#include "platform/files/PendingFile.h"
#include "platform/files/SamePlace.h"
#include "platform/files/WriteSignals.h"
#include "platform/LocalHost.h"
#include "text/Unicode.h"

#include <cstdio>
#include <exception>
#include <optional>

namespace markroll {
namespace {

enum ExitStatus { Completed = 0, FailureReported = 1, UnusableCommandLine = 2, MessageUnshown = 3 };

constexpr std::string_view Usage =
    "usage: markroll-cli [--bookmarks FILE] [--] FAVORITES_FOLDER OUTPUT_FOLDER\n"
    "Writes ALL_Favorites_Link.htm into OUTPUT_FOLDER: one numbered list per folder\n"
    "below FAVORITES_FOLDER, one link per Internet Shortcut (*.url) in it.\n"
    "--bookmarks FILE also writes the whole tree to FILE as a bookmark file\n"
    "(Netscape format, UTF-8) that every browser imports; - is standard output.\n"
    "Exit status: 0 page written, 1 a failure was reported, 2 unusable arguments,\n"
    "3 a message could not be written.";

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

// What the command line asks for.
struct Request {
    std::u16string favorites;
    std::u16string output;
    std::optional<std::u16string> bookmarks;
};

void refuse(const std::string& complaint)
{
    printLine(stderr, "markroll-cli: " + complaint);
    printLine(stderr, Usage);
}

std::string quoted(const std::u16string& argument)
{
    std::string text(1, '\'');
    unicode::appendUtf8(text, escapedForOneLine(readableHostText(argument)));
    return text += '\'';
}

// "--bookmarks FILE" or "--bookmarks=FILE", once; false when refused.
bool takeBookmarkOption(const std::vector<std::u16string>& arguments, std::size_t& at, Request& request)
{
    constexpr std::u16string_view Option = u"--bookmarks";
    const std::u16string& argument = arguments[at];
    std::optional<std::u16string> file;
    if (argument == Option && at + 1 < arguments.size())
        file = arguments[++at];
    else if (argument.starts_with(Option) && argument.size() > Option.size() && argument[Option.size()] == u'=')
        file = argument.substr(Option.size() + 1);
    if (!file || request.bookmarks || file->empty()) {
        refuse(request.bookmarks ? "--bookmarks is taken once" : "--bookmarks needs a file name");
        return false;
    }
    request.bookmarks = std::move(file);
    return true;
}

// Whether the bookmark file would take the page's place, so one would lose
// the other, as the file system tells it: links, mounts, ".." and letter case
// change nothing. Standard output ("-") is never the page.
bool bookmarksReplaceThePage(const Request& request)
{
    return request.bookmarks && *request.bookmarks != u"-" &&
           takeOnePlace(joinPath(request.output, page::FileName), *request.bookmarks);
}

// Bookmarks on standard output leave it to them alone.
bool bookmarksOnStandardOutput(const Request& request)
{
    return request.bookmarks && (*request.bookmarks == u"-" || leadsToStandardOutput(*request.bookmarks));
}

// The two paths, after "--" when it is given; anything else that looks like
// an option is refused with the usage.
std::optional<Request> requestOf(const std::vector<std::u16string>& arguments)
{
    Request request;
    std::vector<std::u16string> paths;
    bool optionsEnded = false;
    for (std::size_t at = 0; at < arguments.size(); ++at) {
        const std::u16string& argument = arguments[at];
        if (!optionsEnded && argument == u"--") {
            optionsEnded = true;
        } else if (!optionsEnded && (argument == u"--bookmarks" || argument.starts_with(u"--bookmarks="))) {
            if (!takeBookmarkOption(arguments, at, request))
                return std::nullopt;
        } else if (!optionsEnded && argument.size() > 1 && argument[0] == u'-') {
            refuse("unknown option " + quoted(argument));
            return std::nullopt;
        } else {
            paths.push_back(argument);
        }
    }
    if (paths.size() != 2) {
        refuse(paths.size() < 2 ? "two folders are needed, the Favorites folder and the output folder"
                                : "too many arguments: only two folders are taken");
        return std::nullopt;
    }
    request.favorites = paths[0];
    request.output = paths[1];
    if (bookmarksReplaceThePage(request)) {
        refuse("--bookmarks names the page itself: give the bookmark file a name of its own");
        return std::nullopt;
    }
    return request;
}

int generate(const Request& request, ClosedStandardStreams closed, BookmarkTotals* totals)
{
    const std::u16string& favorites = request.favorites;
    const std::u16string& output = request.output;
    ConsoleMessageBoxes boxes(closed);
    if (bookmarksOnStandardOutput(request))
        boxes.tellInformationOnStandardError();
    if (isBlank(favorites) || isBlank(output)) {
        boxes.show(messages::BlankInput, MessageStyle::Exclamation);
        return boxes.someUnshown() ? MessageUnshown : UnusableCommandLine;
    }

    // An interrupted run removes its unfinished page and leaves the previous one.
    pendingfile::removeOnTermination();
    LocalHost host;
    LinkPageRun run({boxes, host});
    if (request.bookmarks)
        run.writeBookmarksTo(*request.bookmarks);
    ProgressLine progress(stderr);
    run.onSectionWritten = [&](int done, int total) { progress.update(done, total); };
    boxes.setBeforeMessage([&] { progress.clear(); });
    // The two paths, used exactly as given, spaces included.
    const RunOutcome outcome = run.run({favorites, output});
    progress.clear();
    if (totals)
        *totals = {run.bookmarked(), run.bookmarksLeftOut()};
    if (boxes.someUnshown())
        return MessageUnshown;
    return outcome.succeeded() ? Completed : FailureReported;
}

int runCliOnce(const std::vector<std::u16string>& arguments, ClosedStandardStreams closed, BookmarkTotals* totals)
{
    // A failed write is told as one; it never ends the program by a signal.
    failWritesInsteadOfSignals();
    // What was asked for and never reached its reader is no success.
    const auto answer = [&](std::string_view text) {
        return !closed.output && printLine(stdout, text) ? Completed : MessageUnshown;
    };
    if (isOnly(arguments, {u"--help", u"-h"}))
        return answer(Usage);
    if (isOnly(arguments, {u"--version"}))
        return answer("markroll-cli " MARKROLL_VERSION_TEXT);
    const auto request = requestOf(arguments);
    if (!request)
        return UnusableCommandLine;
    return generate(*request, closed, totals);
}

} // namespace

int runCli(const std::vector<std::u16string>& arguments, ClosedStandardStreams closed, BookmarkTotals* totals)
{
    try {
        return runCliOnce(arguments, closed, totals);
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
