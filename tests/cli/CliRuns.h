#pragma once

// Runs of markroll-cli as a user starts it, for the CLI's tests.
#include "tests/support/Process.h"
#include "tests/support/TestSupport.h"

#include <filesystem>
#include <string>
#include <vector>

namespace markroll::test {

inline ProcessResult runCli(const std::vector<std::u16string>& arguments, const std::u16string& workingFolder = {},
                     const std::vector<std::string>& prefix = {})
{
    std::vector<std::string> command = prefix;
    command.push_back(MARKROLL_CLI_PATH);
    for (const auto& argument : arguments)
        command.push_back(utf8(argument));
    return runProcess(command, workingFolder.empty() ? std::filesystem::path() : std::filesystem::path(utf8(workingFolder)));
}

inline const std::string completedLine = "Markroll: 出力完了！！" + std::string(ConsoleLineEnd);

inline std::vector<std::string> hiddenEntries(const std::filesystem::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().filename().string().starts_with("."))
            names.push_back(entry.path().filename().string());
    }
    return names;
}

inline void makeWideTree(TempTree& tree, int shortcuts)
{
    for (int i = 0; i < shortcuts; ++i)
        tree.file(u"fav/d" + utf16(std::to_string(i % 20)) + u"/s" + utf16(std::to_string(i)) + u".url",
                  "[InternetShortcut]\r\nURL=http://example.com/" + std::string(300, 'a') + "\r\n");
}

} // namespace markroll::test
