#include "downloads/myqprocess.h"

void MyQProcess::setupChildProcess() { }

void MyQProcess::endRun()
{
    close(); // kills the extractor
}
