#include "tests/support/Process.h"

#include <array>
#include <cerrno>
#include <cstdlib>
#include <sstream>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace markroll::test {
namespace {

class Pipe {
public:
    Pipe()
    {
        if (::pipe2(ends_.data(), O_CLOEXEC) != 0)
            ends_ = {-1, -1};
    }
    ~Pipe()
    {
        closeRead();
        closeWrite();
    }
    Pipe(const Pipe&) = delete;
    Pipe& operator=(const Pipe&) = delete;
    int read() const { return ends_[0]; }
    int write() const { return ends_[1]; }
    void closeRead() { closeEnd(0); }
    void closeWrite() { closeEnd(1); }

private:
    void closeEnd(int which)
    {
        if (ends_[which] >= 0)
            ::close(ends_[which]);
        ends_[which] = -1;
    }
    std::array<int, 2> ends_{};
};

class SpawnActions {
public:
    SpawnActions() { posix_spawn_file_actions_init(&actions_); }
    ~SpawnActions() { posix_spawn_file_actions_destroy(&actions_); }
    SpawnActions(const SpawnActions&) = delete;
    SpawnActions& operator=(const SpawnActions&) = delete;
    posix_spawn_file_actions_t* get() { return &actions_; }

private:
    posix_spawn_file_actions_t actions_;
};

// Drains both pipes until they close or the time is up.
bool collect(Pipe& out, Pipe& err, ProcessResult& result, std::chrono::steady_clock::time_point deadline)
{
    std::array<pollfd, 2> fds{pollfd{out.read(), POLLIN, 0}, pollfd{err.read(), POLLIN, 0}};
    std::array<std::string*, 2> sinks{&result.out, &result.err};
    int open = 2;
    while (open > 0) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return false;
        if (::poll(fds.data(), fds.size(), int(left.count())) < 0 && errno != EINTR)
            return false;
        for (std::size_t i = 0; i < fds.size(); ++i) {
            if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP | POLLERR)))
                continue;
            char buffer[4096];
            const ssize_t got = ::read(fds[i].fd, buffer, sizeof buffer);
            if (got > 0) {
                sinks[i]->append(buffer, std::size_t(got));
            } else if (got == 0 || errno != EINTR) {
                fds[i].fd = -1;
                --open;
            }
        }
    }
    return true;
}

} // namespace

ProcessResult runProcess(const std::vector<std::string>& command, const std::filesystem::path& workingFolder,
                         std::chrono::seconds timeout, const std::function<void(int processId)>& whileRunning)
{
    ProcessResult result;
    Pipe out;
    Pipe err;
    SpawnActions actions;
    posix_spawn_file_actions_addopen(actions.get(), 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(actions.get(), out.write(), 1);
    posix_spawn_file_actions_adddup2(actions.get(), err.write(), 2);
    if (!workingFolder.empty())
        posix_spawn_file_actions_addchdir_np(actions.get(), workingFolder.c_str());
    std::vector<char*> argv;
    for (const std::string& word : command)
        argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);
    pid_t child = -1;
    if (posix_spawn(&child, argv[0], actions.get(), nullptr, argv.data(), environ) != 0)
        return result;
    out.closeWrite();
    err.closeWrite();
    if (whileRunning)
        whileRunning(int(child));
    const bool finished = collect(out, err, result, std::chrono::steady_clock::now() + timeout);
    if (!finished)
        ::kill(child, SIGKILL);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (finished && WIFEXITED(status))
        result.status = WEXITSTATUS(status);
    else if (finished && WIFSIGNALED(status))
        result.status = 128 + WTERMSIG(status);
    return result;
}

std::string findProgram(const std::string& name)
{
    const char* path = std::getenv("PATH");
    std::istringstream folders(path ? path : "");
    for (std::string folder; std::getline(folders, folder, ':');) {
        const std::string candidate = folder + "/" + name;
        if (::access(candidate.c_str(), X_OK) == 0)
            return candidate;
    }
    return {};
}

} // namespace markroll::test
