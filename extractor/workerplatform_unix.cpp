#include "extractor/workerplatform.h"

#include "extractor/workerframes.h"

#include <QByteArray>
#include <QFile>
#include <QProcess>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#ifdef __linux__
#include <sys/prctl.h>
#endif

namespace {

class WorkerProcess : public QProcess
{
public:
    using QProcess::QProcess;

protected:
    void setupChildProcess() override
    {
        // Runs in the child between fork and exec. A group of its own: a
        // signal meant for the program's group (Ctrl+C in a terminal) must
        // reach the worker only through the program's shutdown.
        ::setpgid(0, 0);
#ifdef __linux__
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
#endif
    }
};

} // namespace

bool WorkerPlatform::supported()
{
    return true;
}

QProcess *WorkerPlatform::newProcess(QObject *parent)
{
    return new WorkerProcess(parent);
}

bool WorkerPlatform::cancel(const QString &socket, qint64 pid, int waitMs)
{
    const QByteArray path = QFile::encodeName(socket);
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    if (path.size() >= static_cast<int>(sizeof address.sun_path))
        return false;
    std::memcpy(address.sun_path, path.constData(), static_cast<size_t>(path.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    bool stopped = false;
    if (::connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0) {
        const std::string frame = WorkerFrames::frame('K', std::to_string(pid));
        char head[5];
        if (::send(fd, frame.data(), frame.size(), MSG_NOSIGNAL)
                == static_cast<ssize_t>(frame.size())
            && WorkerFrames::readExactly(fd, head, sizeof head, deadline) && head[0] == 'D') {
            char answer[16] = {};
            const size_t n = qMin<size_t>(WorkerFrames::length(head + 1), sizeof answer - 1);
            stopped = WorkerFrames::readExactly(fd, answer, n, deadline)
                && std::strcmp(answer, "abandoned") != 0;
        }
    } else {
        // No worker listening any more: its runs are gone with it.
        stopped = errno == ENOENT || errno == ECONNREFUSED;
    }
    ::close(fd);
    return stopped;
}

bool WorkerPlatform::isGone(qint64 pid)
{
    return pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

bool WorkerPlatform::isOwnFolder(const QString &path)
{
    struct stat info
    {
    };
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 && S_ISDIR(info.st_mode)
        && info.st_uid == ::getuid();
}
