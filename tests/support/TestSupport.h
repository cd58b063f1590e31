#pragma once

#include "tests/support/System.h"

#include "platform/Failure.h"
#include "platform/files/HostPath.h"

#include "generator/MessageBoxes.h"
#include "generator/RunPaths.h"

#include <filesystem>
#include <functional>
#include <ostream>
#include <optional>
#include <string>
#include <system_error>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

namespace markroll {
// A failure's kind by name, in a failing test's message.
void PrintTo(FailureKind kind, std::ostream* out);
} // namespace markroll

namespace markroll::test {

std::string utf8(std::u16string_view text);
std::u16string utf16(std::string_view utf8Text);

struct ShownMessage {
    std::u16string text;
    int style = 0;
    std::u16string title;
    bool operator==(const ShownMessage&) const = default;
};
void PrintTo(const ShownMessage& message, std::ostream* out);

// Records every box in order and returns at once, as if OK were pressed.
class RecordingMessageBoxes : public MessageBoxes {
public:
    void show(std::u16string_view text, MessageStyle style, std::u16string_view title = {}) override;
    void showFailure(std::u16string_view text, const Failure& cause, std::u16string_view title = {}) override;
    std::vector<ShownMessage> shown;
    // The failure behind each failure box, in order.
    std::vector<Failure> causes;
    std::function<void(const ShownMessage&)> onShow;
};

ShownMessage errorOccurredBox();
ShownMessage completedBox();
ShownMessage fileOutputFailedBox();

// A scratch folder, removed with everything in it when the test ends.
// Relative paths use "/" and are given as UTF-8 or UTF-16 text.
class TempTree {
public:
    TempTree();
    ~TempTree();
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    std::u16string path() const;
    std::u16string path(std::u16string_view relative) const;
    std::filesystem::path fsPath(std::u16string_view relative = {}) const;
    std::u16string folder(std::u16string_view relative) const;
    std::u16string file(std::u16string_view relative, std::string_view content) const;
    std::u16string shortcut(std::u16string_view relative, std::u16string_view url) const;
    std::u16string symlink(std::u16string_view target, std::u16string_view relative) const;

private:
    std::filesystem::path root_;
};

// A name from a printf format with one number, such as "R/f%04d".
std::u16string numbered(const char* format, int number);

// A relative path written with "/" in the host's own separators.
std::u16string hostPath(std::u16string_view slashPath);
// A page of Linux folder headings as this host writes it: on Windows the
// separators within each heading are backslashes; nothing else differs.
std::string withHostSeparators(std::string page);

std::string readBytes(std::u16string_view path);
// The names in a folder, hidden ones included, in sorted order: what a run left.
std::vector<std::string> filesIn(std::u16string_view folder);
std::string readFileBytes(const std::filesystem::path& path);
std::string shortcutBytes(std::u16string_view url);
// The tree fixtures and expected pages kept with the tests.
std::u16string dataPath(std::u16string_view relative);
std::u16string pageFile(std::u16string_view outputFolder);

// The page bytes as the system's own code page 932 converter makes them, with
// CR LF line ends; an independent reference for what the stream writes.
std::string cp932Lines(std::u16string_view lines);

// Compares two pages; on a difference it shows the first differing line of
// each, decoded from code page 932, so the failure reads as text.
::testing::AssertionResult samePage(const char* expectedExpression, const char* actualExpression,
                                    const std::string& expected, const std::string& actual);
#define EXPECT_SAME_PAGE(expected, actual) EXPECT_PRED_FORMAT2(::markroll::test::samePage, expected, actual)

// How often `needle` occurs in `haystack`.
std::size_t countOf(std::string_view haystack, std::string_view needle);

// The Failure that `action` raised, if any; the OS's error it carries.
std::optional<Failure> failureOf(const std::function<void()>& action);
std::error_code errorOf(const std::function<void()>& action);
// A path of the standard library's as the program's text, and a name as the
// OS lists it.

// What a failing OS call raises, for a hook to throw.
Failure systemFailure(std::errc error);
// The OS said there is no such file or folder (or a file stands where a
// folder was looked for), in errno's words or Win32's.
bool isNoSuchEntry(const std::error_code& error);

// Runs with another working folder, restored at the end.
class WorkingFolder {
public:
    explicit WorkingFolder(std::u16string_view path);
    ~WorkingFolder();
    WorkingFolder(const WorkingFolder&) = delete;
    WorkingFolder& operator=(const WorkingFolder&) = delete;

private:
    std::filesystem::path previous_;
};

} // namespace markroll::test
