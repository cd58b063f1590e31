// Starts a program with a fault of the OS made real around it, for the tests
// of markroll-cli: through a seccomp filter, the fast read refused (as
// sandboxes do) or every shortcut's open failed; or a standard stream that is a pipe nobody reads, one that is full,
// or one that is closed.
//
//   markroll-fault-runner [--refuse-fast-read=ERROR] [--fail-shortcut-open=ERROR]
//                         [--broken=1|2] [--stuck=1] [--closed=0|1|2] -- PROGRAM [ARGUMENT...]
//   ERROR: EPERM, EINVAL, EIO or EACCES
#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <cstdint>
#include <cstring>
#include <utility>
#include <string_view>

#include <fcntl.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

bool install(sock_filter* program, std::size_t size)
{
    sock_fprog filter{static_cast<unsigned short>(size), program};
    return prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 && prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &filter) == 0;
}

constexpr unsigned failWith(int error) { return SECCOMP_RET_ERRNO | (unsigned(error) & SECCOMP_RET_DATA); }

// Every call of `number` fails with `error`; every other call goes through.
bool failEvery(long number, int error)
{
    sock_filter program[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, unsigned(number), 0, 1),
        BPF_STMT(BPF_RET | BPF_K, failWith(error)),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
    };
    return install(program, std::size(program));
}

bool failShortcutOpens(int error)
{
    sock_filter program[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, SYS_openat, 0, 3),
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, args) + 2 * sizeof(std::uint64_t)),
        BPF_JUMP(BPF_JMP | BPF_JSET | BPF_K, O_NOCTTY, 0, 1),
        BPF_STMT(BPF_RET | BPF_K, failWith(error)),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
    };
    return install(program, std::size(program));
}

// Every open of a folder to flush it after a move fails with `error`: those
// are the only opens with exactly O_RDONLY | O_DIRECTORY | O_CLOEXEC (a
// listing adds O_NONBLOCK), whatever O_LARGEFILE the C library adds.
bool failFolderFlushes(int error)
{
    constexpr unsigned LargeFile = 0100000;
    sock_filter program[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, SYS_openat, 0, 4),
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, args) + 2 * sizeof(std::uint64_t)),
        BPF_STMT(BPF_ALU | BPF_AND | BPF_K, ~LargeFile),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0, 1),
        BPF_STMT(BPF_RET | BPF_K, failWith(error)),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
    };
    return install(program, std::size(program));
}

int errorNamed(std::string_view name)
{
    for (const auto& [known, error] : {std::pair{"EPERM", EPERM}, {"EINVAL", EINVAL}, {"EIO", EIO}, {"EACCES", EACCES}}) {
        if (name == known)
            return error;
    }
    return 0;
}

// `stream` becomes a pipe whose reading end is closed: every write to it fails
// with EPIPE (or ends the program by SIGPIPE, unless it ignores that).
bool breakStream(int stream)
{
    int ends[2];
    if (pipe(ends) != 0 || dup2(ends[1], stream) < 0)
        return false;
    close(ends[0]);
    close(ends[1]);
    return true;
}

// `stream` becomes a full pipe that nobody empties: the next write to it
// blocks until the program is ended.
bool stickStream(int stream)
{
    int ends[2];
    if (pipe(ends) != 0 || fcntl(ends[1], F_SETFL, O_NONBLOCK) != 0)
        return false;
    static const char filler[4096] = {};
    while (write(ends[1], filler, sizeof filler) > 0 || errno == EINTR) {
    }
    // Only whole pages fit: fill the last bytes one at a time.
    while (write(ends[1], filler, 1) > 0) {
    }
    return fcntl(ends[1], F_SETFL, 0) == 0 && dup2(ends[1], stream) >= 0;
}

} // namespace

int main(int argc, char* argv[])
{
    int at = 1;
    for (; at < argc && std::string_view(argv[at]) != "--"; ++at) {
        const std::string_view option(argv[at]);
        bool done = false;
        const int error = errorNamed(option.substr(option.find('=') + 1));
        if (option.starts_with("--refuse-fast-read=") && error)
            done = failEvery(SYS_preadv2, error);
        else if (option.starts_with("--fail-shortcut-open=") && error)
            done = failShortcutOpens(error);
        else if (option.starts_with("--fail-folder-flush=") && error)
            done = failFolderFlushes(error);
        else if (option.starts_with("--fail-fsync=") && error)
            done = failEvery(SYS_fsync, error);
        else if (option.starts_with("--broken="))
            done = breakStream(option.back() - '0');
        else if (option.starts_with("--stuck="))
            done = stickStream(option.back() - '0');
        else if (option.starts_with("--closed="))
            done = ::close(option.back() - '0') == 0;
        if (!done) {
            std::fprintf(stderr, "markroll-fault-runner: cannot do %s: %s\n", argv[at], std::strerror(errno));
            return 125;
        }
    }
    if (at + 1 >= argc)
        return 125;
    execv(argv[at + 1], argv + at + 1);
    std::fprintf(stderr, "markroll-fault-runner: cannot start %s: %s\n", argv[at + 1], std::strerror(errno));
    return 126;
}
