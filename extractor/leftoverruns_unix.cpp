#include "extractor/leftoverruns.h"

#include "extractor/toolprocess.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSet>
#include <QThread>

#include <csignal>
#include <sys/types.h>
#include <unistd.h>

namespace {

// The processes whose environment has exactly the entry wanted. Processes of
// other users cannot be read and are never touched.
QSet<pid_t> markedProcesses(const QByteArray &wanted)
{
    QSet<pid_t> found;
    const pid_t self = ::getpid();
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString &entry : entries) {
        bool isPid = false;
        const pid_t pid = entry.toInt(&isPid);
        if (!isPid || pid == self)
            continue;
        QFile environ(QStringLiteral("/proc/%1/environ").arg(pid));
        if (!environ.open(QIODevice::ReadOnly))
            continue;
        const QList<QByteArray> variables = environ.readAll().split('\0');
        if (variables.contains(wanted))
            found.insert(pid);
    }
    return found;
}

} // namespace

int LeftoverRuns::end(const QString &marker, int waitMs)
{
    if (marker.isEmpty() || !QDir(QStringLiteral("/proc")).exists())
        return 0;
    const QByteArray wanted = (ToolProcess::runMarkerVariable() + '=' + marker).toUtf8();
    QSet<pid_t> ended;
    QElapsedTimer clock;
    clock.start();
    // A zombie's environment reads empty, so a process drops out of the scan
    // once it has died; a helper started while the scan ran is caught by the
    // next round.
    for (;;) {
        const QSet<pid_t> alive = markedProcesses(wanted);
        if (alive.isEmpty() || clock.elapsed() > waitMs)
            break;
        for (pid_t pid : alive) {
            ::kill(pid, SIGKILL);
            ended.insert(pid);
        }
        QThread::msleep(20);
    }
    return ended.size();
}
