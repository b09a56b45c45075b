#include "extractor/workerplatform.h"

#include <QByteArray>
#include <QElapsedTimer>
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

// Reads exactly size bytes before the deadline.
bool readFor(int fd, char *data, size_t size, const QElapsedTimer &clock, int waitMs)
{
    while (size > 0) {
        const qint64 left = waitMs - clock.elapsed();
        if (left <= 0)
            return false;
        pollfd p {fd, POLLIN, 0};
        const int ready = ::poll(&p, 1, static_cast<int>(left));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            return false;
        const ssize_t n = ::read(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

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
    QElapsedTimer clock;
    clock.start();
    bool stopped = false;
    if (::connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0) {
        const QByteArray number = QByteArray::number(pid);
        QByteArray frame(1, 'K');
        const auto size = static_cast<quint32>(number.size());
        frame.append(static_cast<char>(size >> 24)).append(static_cast<char>(size >> 16));
        frame.append(static_cast<char>(size >> 8)).append(static_cast<char>(size));
        frame += number;
        char head[5];
        if (::send(fd, frame.constData(), static_cast<size_t>(frame.size()), MSG_NOSIGNAL)
                == frame.size()
            && readFor(fd, head, sizeof head, clock, waitMs) && head[0] == 'D') {
            char answer[16] = {};
            const auto n = qMin<size_t>(static_cast<unsigned char>(head[4]), sizeof answer - 1);
            stopped
                = readFor(fd, answer, n, clock, waitMs) && std::strcmp(answer, "abandoned") != 0;
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
