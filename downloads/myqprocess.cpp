#include "downloads/myqprocess.h"

MyQProcess::MyQProcess(QObject *parent)
    : QProcess(parent)
{ }

MyQProcess::~MyQProcess()
{
    endRun();
}
