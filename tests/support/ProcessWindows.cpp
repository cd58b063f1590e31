#include "tests/support/Process.h"

#include "text/Unicode.h"

#include <cstdlib>
#include <sstream>
#include <string>
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
    if (!CreatePipe(outRead.out(), outWrite.out(), &inheritable, 0) || !CreatePipe(errRead.out(), errWrite.out(), &inheritable, 0)) {
        result.err = "CreatePipe failed with error " + std::to_string(GetLastError());
        return result;
    }
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
    // Wine under load has refused a process now and then: a few tries, and
    // the reason in the result when none takes.
    bool started = false;
    DWORD refusal = 0;
    for (int attempt = 0; attempt < 3 && !started; ++attempt) {
        started = CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                                 folder.empty() ? nullptr : folder.c_str(), &startup, &process);
        if (!started) {
            refusal = GetLastError();
            Sleep(200);
        }
    }
    if (!started) {
        result.err = "CreateProcessW failed with error " + std::to_string(refusal);
        return result;
    }
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
