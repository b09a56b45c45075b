#include "extractor/myqprocess.h"

MyQProcess::MyQProcess(QObject *parent)
    : QProcess(parent)
{ }

MyQProcess::~MyQProcess()
{
    endRun();
}

void MyQProcess::endRun()
{
    if (terminateRun())
        waitForFinished(2000);
    killRun();
    close();
}
