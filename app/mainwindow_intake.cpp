#include "ui/mainwindow.h"
#include "ui_mainwindow.h"

#include "intake/linkintake.h"

// Wiring of link intake: new tasks go into the download list, which is then
// shown and scheduled.
void MainWindow::createLinkIntake()
{
    m_intake = new LinkIntake([this](ItemInfo *task) { addTask(task); }, this);
    connect(m_intake, &LinkIntake::tasksAdded, this, [this] {
        on_pushButton_download_clicked();
        runScheduler();
    });
}
