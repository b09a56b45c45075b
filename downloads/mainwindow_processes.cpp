#include "app/mainwindow.h"

#include "downloads/myqprocess.h"

#include <QDebug>

// The eleven extractor slots. Completion is always taken from
// finished(int, QProcess::ExitStatus): the start function reports a failed
// start through that same signal, so no slot can stay busy forever.
void MainWindow::createProcessSlots()
{
    for (int s = 0; s < SlotCount; ++s) {
        auto *p = new MyQProcess();
        p->setProcessChannelMode(QProcess::MergedChannels);
        processList.append(p);
    }
    connect(processList[0], SIGNAL(finished(int, QProcess::ExitStatus)), this,
            SLOT(on_P0_Finished(int)));
    connect(processList[1], SIGNAL(finished(int, QProcess::ExitStatus)), this,
            SLOT(on_P1_Finished(int)));

    static const char *const readSlots[] = {
        SLOT(on_p2_readFromStdOut()), SLOT(on_p3_readFromStdOut()), SLOT(on_p4_readFromStdOut()),
        SLOT(on_p5_readFromStdOut()), SLOT(on_p6_readFromStdOut()), SLOT(on_p7_readFromStdOut()),
        SLOT(on_p8_readFromStdOut()), SLOT(on_p9_readFromStdOut()), SLOT(on_p10_readFromStdOut())};
    static const char *const finishSlots[] = {
        SLOT(on_P2_Finished(int, QProcess::ExitStatus)), SLOT(on_P3_Finished(int, QProcess::ExitStatus)),
        SLOT(on_P4_Finished(int, QProcess::ExitStatus)), SLOT(on_P5_Finished(int, QProcess::ExitStatus)),
        SLOT(on_P6_Finished(int, QProcess::ExitStatus)), SLOT(on_P7_Finished(int, QProcess::ExitStatus)),
        SLOT(on_P8_Finished(int, QProcess::ExitStatus)), SLOT(on_P9_Finished(int, QProcess::ExitStatus)),
        SLOT(on_P10_Finished(int, QProcess::ExitStatus))};
    for (int s = 2; s < SlotCount; ++s) {
        connect(processList[s], SIGNAL(readyReadStandardOutput()), this, readSlots[s - 2]);
        connect(processList[s], SIGNAL(finished(int, QProcess::ExitStatus)), this,
                finishSlots[s - 2]);
    }
}

void MainWindow::runScheduler()
{
}

void MainWindow::receiveWork()
{
    runScheduler();
}

void MainWindow::analysisFinished(int slot)
{
    processList[slot]->close();
}

void MainWindow::downloadFinished(int slot)
{
    processList[slot]->close();
}

void MainWindow::readDownloadOutput(int slot)
{
    processList[slot]->readAll();
}

void MainWindow::on_P0_Finished(int) { analysisFinished(0); }
void MainWindow::on_P1_Finished(int) { analysisFinished(1); }
void MainWindow::on_P2_Finished(int, QProcess::ExitStatus) { downloadFinished(2); }
void MainWindow::on_P3_Finished(int, QProcess::ExitStatus) { downloadFinished(3); }
void MainWindow::on_P4_Finished(int, QProcess::ExitStatus) { downloadFinished(4); }
void MainWindow::on_P5_Finished(int, QProcess::ExitStatus) { downloadFinished(5); }
void MainWindow::on_P6_Finished(int, QProcess::ExitStatus) { downloadFinished(6); }
void MainWindow::on_P7_Finished(int, QProcess::ExitStatus) { downloadFinished(7); }
void MainWindow::on_P8_Finished(int, QProcess::ExitStatus) { downloadFinished(8); }
void MainWindow::on_P9_Finished(int, QProcess::ExitStatus) { downloadFinished(9); }
void MainWindow::on_P10_Finished(int, QProcess::ExitStatus) { downloadFinished(10); }

void MainWindow::on_p2_readFromStdOut()
{
    qDebug() << "on_p2_readFromStdOut";
    readDownloadOutput(2);
}
void MainWindow::on_p3_readFromStdOut() { readDownloadOutput(3); }
void MainWindow::on_p4_readFromStdOut() { readDownloadOutput(4); }
void MainWindow::on_p5_readFromStdOut() { readDownloadOutput(5); }
void MainWindow::on_p6_readFromStdOut() { readDownloadOutput(6); }
void MainWindow::on_p7_readFromStdOut() { readDownloadOutput(7); }
void MainWindow::on_p8_readFromStdOut() { readDownloadOutput(8); }
void MainWindow::on_p9_readFromStdOut() { readDownloadOutput(9); }
void MainWindow::on_p10_readFromStdOut() { readDownloadOutput(10); }
