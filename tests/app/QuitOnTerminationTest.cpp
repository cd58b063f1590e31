#include "tests/support/Process.h"
#include "tests/support/TestSupport.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <signal.h>
#include <thread>

using namespace markroll::test;
namespace fs = std::filesystem;

namespace {

// The window runs with a temporary folder of the test's own, to see what it
// leaves there.
class QuitOnTermination : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("TMPDIR", temporary.fsPath().c_str(), 1);
        // Qt takes a runtime folder only its user may enter.
        fs::permissions(runtime.fsPath(), fs::perms::owner_all);
        setenv("XDG_RUNTIME_DIR", runtime.fsPath().c_str(), 1);
    }
    void TearDown() override
    {
        unsetenv("TMPDIR");
        unsetenv("XDG_RUNTIME_DIR");
    }

    // Sends `signals` once the window has set itself up (its settings folder
    // is there), after `whileSetUp` has looked at it.
    ProcessResult runAndSend(std::vector<int> signals, const std::function<void(int)>& whileSetUp = {})
    {
        return runProcess({MARKROLL_WINDOW_PATH}, {}, std::chrono::seconds(60), [&](int processId) {
            for (int wait = 0; wait < 3000 && filesIn(temporary.path()).empty(); ++wait)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            left = filesIn(temporary.path());
            if (whileSetUp)
                whileSetUp(processId);
            for (const int number : signals)
                ::kill(processId, number);
        });
    }

    TempTree temporary, runtime;
    std::vector<std::string> left;
};

// The signals a process catches, and those it ignores, as the kernel tells.
struct Dispositions {
    unsigned long long caught = 0, ignored = 0;
    bool catches(int number) const { return caught >> (number - 1) & 1; }
    bool ignores(int number) const { return ignored >> (number - 1) & 1; }
};

Dispositions dispositionsOf(int processId)
{
    std::ifstream status("/proc/" + std::to_string(processId) + "/status");
    Dispositions dispositions;
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with("SigCgt:"))
            dispositions.caught = std::stoull(line.substr(7), nullptr, 16);
        if (line.starts_with("SigIgn:"))
            dispositions.ignored = std::stoull(line.substr(7), nullptr, 16);
    }
    return dispositions;
}

} // namespace

TEST_F(QuitOnTermination, ASignalEndsTheWindowByItselfAndLeavesNothingInTheTemporaryFolder)
{
    for (const int number : {SIGTERM, SIGINT, SIGHUP}) {
        Dispositions dispositions;
        const ProcessResult result = runAndSend({number}, [&](int id) { dispositions = dispositionsOf(id); });
        ASSERT_EQ(left.size(), 1u) << "the window's settings folder never appeared";
        EXPECT_TRUE(dispositions.catches(SIGTERM) && dispositions.catches(SIGINT) && dispositions.catches(SIGHUP));
        EXPECT_EQ(result.status, 128 + number) << result.err;
        EXPECT_EQ(filesIn(temporary.path()), std::vector<std::string>{}) << "after signal " << number;
    }
}

// nohup: the user asked the window to outlive the terminal.
TEST_F(QuitOnTermination, AHangUpIgnoredAtStartStaysIgnored)
{
    const auto previous = std::signal(SIGHUP, SIG_IGN);
    Dispositions dispositions;
    const ProcessResult result = runAndSend({SIGHUP, SIGTERM}, [&](int id) { dispositions = dispositionsOf(id); });
    std::signal(SIGHUP, previous);
    EXPECT_TRUE(dispositions.ignores(SIGHUP));
    EXPECT_FALSE(dispositions.catches(SIGHUP));
    EXPECT_EQ(result.status, 128 + SIGTERM) << result.err;
    EXPECT_EQ(filesIn(temporary.path()), std::vector<std::string>{});
}
