// markroll-cli on a terminal: its progress line never mixes with a failure
// line. Linux only: the terminal is a pseudo-terminal.
#include "tests/support/Process.h"
#include "tests/support/TestSupport.h"

#include <chrono>
#include <gtest/gtest.h>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <spawn.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

extern char** environ;

using namespace markroll::test;

namespace {

std::string tool(const std::string& name)
{
    const std::string path = findProgram(name);
    EXPECT_FALSE(path.empty()) << name << " is not installed";
    return path;
}

} // namespace

// On a terminal the progress line is cleared before a failure line, so the
// failure starts a line of its own. With too few descriptors every folder
// with a shortcut fails; the first failure line is held up in a terminal whose
// output is suspended for more than a second, so the next section draws the
// progress line, and the failure after it must clear it first.
TEST(CliTerminal, TheProgressLineIsClearedBeforeAFailureLine)
{
    TempTree tree;
    for (int folder = 0; folder < 20; ++folder)
        tree.shortcut(numbered("fav/d%02d/a.url", folder), u"http://a/");
    tree.folder(u"out");
    int terminal = -1, side = -1;
    ASSERT_EQ(::openpty(&terminal, &side, nullptr, nullptr, nullptr), 0);
    // Output to the terminal is suspended, as by Ctrl+S: the program's first
    // line waits until it is resumed.
    ASSERT_EQ(::tcflow(side, TCOOFF), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, side, 2);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addclose(&actions, terminal);
    std::vector<std::string> command{tool("prlimit"), "--nofile=5", "--", MARKROLL_CLI_PATH, utf8(tree.path(u"fav")),
                                     utf8(tree.path(u"out"))};
    std::vector<char*> argv;
    for (std::string& word : command)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    const std::string& program = command.front();
    pid_t child = -1;
    ASSERT_EQ(posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&actions);

    std::this_thread::sleep_for(std::chrono::milliseconds(1300));
    ::tcflow(side, TCOON);
    ::close(side);
    std::string shown;
    char buffer[4096];
    for (;;) {
        pollfd ready{terminal, POLLIN, 0};
        if (::poll(&ready, 1, 10000) <= 0)
            break;
        const ssize_t got = ::read(terminal, buffer, sizeof buffer);
        if (got <= 0)
            break; // EIO: the program has closed its side
        shown.append(buffer, std::size_t(got));
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ::close(terminal);

    EXPECT_EQ(WEXITSTATUS(status), 1);
    const std::size_t progress = shown.find(" / 21 folders");
    ASSERT_NE(progress, std::string::npos) << "no progress line was drawn";
    const std::string afterProgress = shown.substr(progress, shown.find('\n', progress) - progress);
    EXPECT_TRUE(afterProgress.starts_with(" / 21 folders\r\033[K警告！")) << afterProgress;
}
