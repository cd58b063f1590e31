#include "tests/support/Process.h"

#ifndef _WIN32

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

#endif

#ifdef _WIN32

#include "text/Unicode.h"

#include <cstdlib>
#include <sstream>
#include <thread>
#include <windows.h>

namespace markroll::test {
namespace {

class Handle {
public:
    explicit Handle(HANDLE handle = nullptr) : handle_(handle) {}
    ~Handle() { reset(); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE get() const { return handle_; }
    HANDLE* out() { return &handle_; }
    void reset()
    {
        if (handle_ && handle_ != INVALID_HANDLE_VALUE)
            CloseHandle(handle_);
        handle_ = nullptr;
    }

private:
    HANDLE handle_;
};

// One argument quoted the way the C runtime splits a command line.
std::wstring quoted(const std::string& argument)
{
    const std::u16string wide = unicode::decodeUtf8(argument);
    std::wstring text(wide.begin(), wide.end());
    if (!text.empty() && text.find_first_of(L" \t\"") == std::wstring::npos)
        return text;
    std::wstring out = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : text) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        out.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        out.push_back(c);
    }
    out.append(backslashes * 2, L'\\');
    return out + L"\"";
}

void drain(HANDLE pipe, std::string& sink)
{
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(pipe, buffer, sizeof buffer, &got, nullptr) && got > 0)
        sink.append(buffer, got);
}

} // namespace

ProcessResult runProcess(const std::vector<std::string>& command, const std::filesystem::path& workingFolder,
                         std::chrono::seconds timeout, const std::function<void(int processId)>& whileRunning)
{
    ProcessResult result;
    SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    Handle outRead, outWrite, errRead, errWrite;
    if (!CreatePipe(outRead.out(), outWrite.out(), &inheritable, 0) || !CreatePipe(errRead.out(), errWrite.out(), &inheritable, 0))
        return result;
    SetHandleInformation(outRead.get(), HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(errRead.get(), HANDLE_FLAG_INHERIT, 0);
    Handle input(CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable, OPEN_EXISTING, 0, nullptr));

    std::wstring line;
    for (const std::string& word : command)
        line += (line.empty() ? L"" : L" ") + quoted(word);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = input.get();
    startup.hStdOutput = outWrite.get();
    startup.hStdError = errWrite.get();
    PROCESS_INFORMATION process{};
    const std::wstring folder = workingFolder.native();
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &process))
        return result;
    Handle processHandle(process.hProcess);
    Handle threadHandle(process.hThread);
    outWrite.reset();
    errWrite.reset();
    if (whileRunning)
        whileRunning(int(process.dwProcessId));
    std::thread errReader([&] { drain(errRead.get(), result.err); });
    std::thread outReader([&] { drain(outRead.get(), result.out); });
    const bool finished = WaitForSingleObject(processHandle.get(), DWORD(timeout.count() * 1000)) == WAIT_OBJECT_0;
    if (!finished)
        TerminateProcess(processHandle.get(), 1);
    outReader.join();
    errReader.join();
    DWORD exitCode = 0;
    if (finished && GetExitCodeProcess(processHandle.get(), &exitCode))
        result.status = int(exitCode);
    return result;
}

std::string findProgram(const std::string& name)
{
    const char* path = std::getenv("PATH");
    std::istringstream folders(path ? path : "");
    for (std::string folder; std::getline(folders, folder, ';');) {
        const std::filesystem::path candidate = std::filesystem::path(folder) / (name + ".exe");
        if (std::filesystem::exists(candidate))
            return candidate.string();
    }
    return {};
}

} // namespace markroll::test

#endif
