// quillon-run: one extractor run, served by the resident extractor worker.
//
//   quillon-run SOCKET EXTRACTOR [ARGUMENT...]
//
// The program starts this instead of the extractor; it stays the run's
// process (its process group, exit code and output are the run's), hands the
// arguments to the worker listening on SOCKET and relays what comes back.
// When no worker answers, or the worker cannot serve this run, it becomes
// EXTRACTOR itself with the same arguments, exactly as if the program had
// started it.

#include "extractor/envfingerprint.h"
#include "extractor/workerframes.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdint>
#include <cstring>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>
#include <time.h>
#include <unistd.h>
#include <vector>
#ifdef __linux__
#include <sys/prctl.h>
#endif

extern char **environ;

namespace {

// How long to wait for a worker that is still starting.
constexpr int kConnectWaitMs = 3000;
constexpr int kConnectStepMs = 20;

void sleepMs(int ms)
{
    timespec step {0, ms * 1000000L};
    while (nanosleep(&step, &step) != 0 && errno == EINTR) { }
}

int connectTo(const char *path)
{
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    if (std::strlen(path) >= sizeof address.sun_path)
        return -1;
    std::strcpy(address.sun_path, path);
    for (int waited = 0; waited <= kConnectWaitMs; waited += kConnectStepMs) {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd < 0)
            return -1;
        if (::connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0)
            return fd;
        const int error = errno;
        ::close(fd);
        // Not there yet: the worker is starting. Refused: it is gone.
        if (error != ENOENT && error != EINTR && error != EAGAIN)
            return -1;
        sleepMs(kConnectStepMs);
    }
    return -1;
}

bool writeAll(int fd, const char *data, size_t size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

std::string request(int argc, char *argv[])
{
    std::vector<std::string> entries;
    for (char **e = environ; e && *e; ++e)
        entries.emplace_back(*e);
    std::vector<char> cwd(PATH_MAX + 1);
    if (!::getcwd(cwd.data(), cwd.size()))
        cwd[0] = '\0';
    std::vector<std::string> fields = {EnvFingerprint::of(entries), cwd.data()};
    for (int i = 3; i < argc; ++i)
        fields.emplace_back(argv[i]);
    std::string payload;
    for (const std::string &field : fields) {
        WorkerFrames::appendLength(&payload, static_cast<std::uint32_t>(field.size()));
        payload += field;
    }
    return WorkerFrames::frame('Q', payload);
}

[[noreturn]] void startExtractorItself(char *argv[])
{
    ::execv(argv[2], argv + 2);
    // The same outcome as a start of a program that cannot run.
    _exit(127);
}

// The run ended without its outcome: seen from the program, it crashed.
[[noreturn]] void crash()
{
    ::signal(SIGKILL, SIG_DFL);
    ::kill(::getpid(), SIGKILL);
    _exit(137);
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 3)
        return 2;
#ifdef __linux__
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
#endif
    const int fd = connectTo(argv[1]);
    if (fd < 0)
        startExtractorItself(argv);
    const std::string asked = request(argc, argv);
    // A worker that went away must not kill this run with SIGPIPE.
    if (::send(fd, asked.data(), asked.size(), MSG_NOSIGNAL)
        != static_cast<ssize_t>(asked.size())) {
        ::close(fd);
        startExtractorItself(argv);
    }
    bool accepted = false;
    std::vector<char> payload;
    for (;;) {
        char head[5];
        if (!WorkerFrames::readExactly(fd, head, sizeof head)) {
            ::close(fd);
            if (!accepted)
                startExtractorItself(argv);
            crash();
        }
        const std::uint32_t size = WorkerFrames::length(head + 1);
        payload.resize(size);
        if (size > 0 && !WorkerFrames::readExactly(fd, payload.data(), size)) {
            ::close(fd);
            if (!accepted)
                startExtractorItself(argv);
            crash();
        }
        switch (head[0]) {
        case 'N':
            ::close(fd);
            startExtractorItself(argv);
        case 'A':
            accepted = true;
            break;
        case 'O':
            if (!writeAll(STDOUT_FILENO, payload.data(), size))
                crash();
            break;
        case 'E':
            if (!writeAll(STDERR_FILENO, payload.data(), size))
                crash();
            break;
        case 'X': {
            if (size < 4)
                crash();
            const auto code = static_cast<std::int32_t>(WorkerFrames::length(payload.data()));
            ::close(fd);
            if (code < 0) {
                ::signal(-code, SIG_DFL);
                ::kill(::getpid(), -code);
                crash();
            }
            return code & 0xff;
        }
        default:
            break;
        }
    }
}
