#include "downloads/myqprocess.h"

#include <csignal>
#include <sys/types.h>
#include <unistd.h>
#ifdef __linux__
#include <sys/prctl.h>
#endif

void MyQProcess::setupChildProcess()
{
    // Runs in the child between fork and exec.
    ::setpgid(0, 0);
#ifdef __linux__
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
#endif
}

void MyQProcess::endRun()
{
    const qint64 pid = processId();
    if (state() != QProcess::NotRunning && pid > 0) {
        ::kill(static_cast<pid_t>(-pid), SIGTERM);
        if (!waitForFinished(2000))
            ::kill(static_cast<pid_t>(-pid), SIGKILL);
    }
    // A helper may outlive the extractor itself (it was in the middle of a
    // merge); the group id is still the extractor's pid.
    if (pid > 0)
        ::kill(static_cast<pid_t>(-pid), SIGKILL);
    close();
}
