#include "tests/support/TestSupport.h"

#include "generator/Messages.h"
#include "platform/Failure.h"
#include "platform/files/HostPath.h"
#include "text/Cp932.h"
#include "text/Unicode.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace markroll::test {

std::string utf8(std::u16string_view text) { return unicode::encodeUtf8(text); }

std::u16string utf16(std::string_view utf8Text) { return unicode::decodeUtf8(utf8Text); }

void PrintTo(const ShownMessage& message, std::ostream* out)
{
    *out << "{\"" << utf8(message.text) << "\", " << message.style << ", \"" << utf8(message.title) << "\"}";
}

void RecordingMessageBoxes::showFailure(std::u16string_view text, const Failure& cause, std::u16string_view title)
{
    causes.push_back(cause);
    show(text, MessageStyle::Exclamation, title);
}

void RecordingMessageBoxes::show(std::u16string_view text, MessageStyle style, std::u16string_view title)
{
    shown.push_back({std::u16string(text), int(style), std::u16string(effectiveTitle(title))});
    if (onShow)
        onShow(shown.back());
}

ShownMessage errorOccurredBox()
{
    return {std::u16string(messages::ErrorOccurred), int(MessageStyle::Exclamation), std::u16string(ApplicationTitle)};
}
ShownMessage completedBox()
{
    return {std::u16string(messages::Completed), int(MessageStyle::Information), std::u16string(ApplicationTitle)};
}
ShownMessage fileOutputFailedBox()
{
    return {std::u16string(messages::FileOutputFailed), int(MessageStyle::Exclamation),
            std::u16string(messages::WarningTitle)};
}

TempTree::TempTree()
{
    std::random_device seed;
    std::mt19937_64 random(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path candidate = fs::temp_directory_path() / ("markroll-test-" + std::to_string(random()));
        if (fs::create_directory(candidate)) {
            root_ = candidate;
            return;
        }
    }
    throw std::runtime_error("no temporary folder");
}

TempTree::~TempTree()
{
    std::error_code error;
    // Folders made unreadable by a test must not keep their contents.
    for (auto it = fs::recursive_directory_iterator(root_, error); !error && it != fs::recursive_directory_iterator();
         it.increment(error)) {
        if (it->is_directory(error) && !it->is_symlink(error))
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, error);
    }
    fs::remove_all(root_, error);
}

fs::path TempTree::fsPath(std::u16string_view relative) const
{
    return relative.empty() ? root_ : root_ / toFsPath(hostPath(relative));
}

std::u16string TempTree::path() const { return fromFsPath(root_); }

std::u16string TempTree::path(std::u16string_view relative) const { return fromFsPath(fsPath(relative)); }

std::u16string TempTree::folder(std::u16string_view relative) const
{
    fs::create_directories(fsPath(relative));
    return path(relative);
}

std::u16string TempTree::file(std::u16string_view relative, std::string_view content) const
{
    const fs::path full = fsPath(relative);
    fs::create_directories(full.parent_path());
    std::ofstream out(full, std::ios::binary | std::ios::trunc);
    out.write(content.data(), std::streamsize(content.size()));
    if (!out)
        throw std::runtime_error("cannot write " + full.string());
    return path(relative);
}

std::u16string TempTree::shortcut(std::u16string_view relative, std::u16string_view url) const
{
    return file(relative, shortcutBytes(url));
}

std::u16string TempTree::symlink(std::u16string_view target, std::u16string_view relative) const
{
    const fs::path full = fsPath(relative);
    fs::create_directories(full.parent_path());
    fs::create_symlink(toFsPath(target), full);
    return path(relative);
}

std::string readFileBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return "<missing: " + path.string() + ">";
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::string readBytes(std::u16string_view path) { return readFileBytes(toOsPath(path)); }

std::u16string numbered(const char* format, int number)
{
    char name[64];
    std::snprintf(name, sizeof name, format, number);
    return utf16(name);
}

std::u16string hostPath(std::u16string_view slashPath)
{
    std::u16string path(slashPath);
    std::replace(path.begin(), path.end(), u'/', hostSeparator());
    return path;
}

std::string withHostSeparators(std::string page)
{
    if (hostSeparator() == u'/')
        return page;
    constexpr std::string_view opening = "<OL>\x81\x99<B>";
    for (std::size_t line = page.find(opening); line != std::string::npos; line = page.find(opening, line + 1)) {
        const std::size_t end = page.find("</B>", line);
        std::replace(page.begin() + std::ptrdiff_t(line + opening.size()), page.begin() + std::ptrdiff_t(end), '/', '\\');
    }
    return page;
}

std::string shortcutBytes(std::u16string_view url) { return "[InternetShortcut]\r\nURL=" + utf8(url) + "\r\n"; }

std::u16string dataPath(std::u16string_view relative)
{
    return utf16(MARKROLL_TEST_DATA_DIR "/") + std::u16string(relative);
}

std::u16string pageFile(std::u16string_view outputFolder) { return joinPath(outputFolder, u"ALL_Favorites_Link.htm"); }

std::string cp932Lines(std::u16string_view lines)
{
    std::string utf8Text;
    for (const char byte : utf8(lines)) {
        if (byte == '\n')
            utf8Text.push_back('\r');
        utf8Text.push_back(byte);
    }
    return systemCp932(utf16(utf8Text));
}

namespace {

std::vector<std::string_view> linesOf(std::string_view bytes)
{
    std::vector<std::string_view> lines;
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        const std::size_t length = end == std::string_view::npos ? bytes.size() : end + 1;
        lines.push_back(bytes.substr(0, length));
        bytes.remove_prefix(length);
    }
    return lines;
}

std::string readable(std::string_view line)
{
    std::string text = utf8(cp932::decode(line));
    std::string shown;
    for (const char c : text) {
        if (c == '\r')
            shown += "\\r";
        else if (c == '\n')
            shown += "\\n";
        else
            shown.push_back(c);
    }
    return shown;
}

} // namespace

::testing::AssertionResult samePage(const char* expectedExpression, const char* actualExpression,
                                    const std::string& expected, const std::string& actual)
{
    if (expected == actual)
        return ::testing::AssertionSuccess();
    const auto want = linesOf(expected);
    const auto got = linesOf(actual);
    std::size_t line = 0;
    while (line < want.size() && line < got.size() && want[line] == got[line])
        ++line;
    auto failure = ::testing::AssertionFailure();
    failure << actualExpression << " differs from " << expectedExpression << " first at line " << line + 1 << " of "
            << got.size() << " (expected " << want.size() << " lines)\n";
    failure << "  expected: " << (line < want.size() ? readable(want[line]) : std::string("<end of page>")) << "\n";
    failure << "  actual:   " << (line < got.size() ? readable(got[line]) : std::string("<end of page>"));
    return failure;
}

std::size_t countOf(std::string_view haystack, std::string_view needle)
{
    std::size_t count = 0;
    for (std::size_t at = haystack.find(needle); at != std::string_view::npos; at = haystack.find(needle, at + needle.size()))
        ++count;
    return count;
}

std::optional<Failure> failureOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const Failure& failure) {
        return failure;
    }
    return std::nullopt;
}

std::error_code errorOf(const std::function<void()>& action)
{
    const std::optional<Failure> failure = failureOf(action);
    return failure ? failure->error() : std::error_code();
}

bool isNoSuchEntry(const std::error_code& error)
{
    // ERROR_FILE_NOT_FOUND and ERROR_PATH_NOT_FOUND.
    if (error.category() == std::system_category() && (error.value() == 2 || error.value() == 3))
        return true;
    return error == std::errc::no_such_file_or_directory || error == std::errc::not_a_directory;
}

Failure systemFailure(std::errc error)
{
    return Failure(FailureKind::System, u"injected", "injected", std::make_error_code(error));
}

WorkingFolder::WorkingFolder(std::u16string_view path) : previous_(fs::current_path())
{
    fs::current_path(toFsPath(path));
}

WorkingFolder::~WorkingFolder()
{
    std::error_code error;
    fs::current_path(previous_, error);
}

std::vector<std::string> filesIn(std::u16string_view folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(toFsPath(folder)))
        names.push_back(utf8(fromFsPath(entry.path().filename())));
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace markroll::test

namespace markroll {

void PrintTo(FailureKind kind, std::ostream* out)
{
    static constexpr const char* names[] = {"UnreadableShortcut", "System",      "FolderNotFlushed",
                                            "FolderListFull",     "OutOfMemory", "Unknown"};
    *out << names[int(kind)];
}

} // namespace markroll
