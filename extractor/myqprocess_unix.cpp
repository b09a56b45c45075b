#include "extractor/myqprocess.h"

#include "extractor/extractorworkers.h"

#include <csignal>
#include <sys/types.h>
#include <unistd.h>
#ifdef __linux__
#include <sys/prctl.h>
#endif

namespace {

// How long a pause or delete waits for a worker-served run to stop; normally
// a few milliseconds.
constexpr int kCancelWaitMs = 2000;

} // namespace

void MyQProcess::setupChildProcess()
{
    // Runs in the child between fork and exec.
    ::setpgid(0, 0);
#ifdef __linux__
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
#endif
}

bool MyQProcess::terminateRun()
{
    const qint64 pid = processId();
    if (state() == QProcess::NotRunning || pid <= 0)
        return false;
    // A run served by the resident worker stops there first: once the
    // client below is gone, nothing may write into its files any more.
    ExtractorWorkers::cancelRun(this, kCancelWaitMs);
    // The group id is the extractor's pid, also once the extractor is gone.
    m_group = pid;
    ::kill(static_cast<pid_t>(-m_group), SIGTERM);
    return true;
}

void MyQProcess::killRun()
{
    if (m_group == 0)
        ExtractorWorkers::cancelRun(this, kCancelWaitMs);
    const qint64 group = m_group > 0 ? m_group : processId();
    m_group = 0;
    if (group > 0)
        ::kill(static_cast<pid_t>(-group), SIGKILL);
}
