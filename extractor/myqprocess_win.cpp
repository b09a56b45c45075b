#include "extractor/myqprocess.h"

void MyQProcess::setupChildProcess() { }

bool MyQProcess::terminateRun()
{
    if (state() == QProcess::NotRunning)
        return false;
    terminate();
    return true;
}

void MyQProcess::killRun()
{
    if (state() != QProcess::NotRunning)
        kill();
}
