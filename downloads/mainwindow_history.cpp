#include "app/mainwindow.h"

// Restores the stored tasks into the download list when the setting allows.
void MainWindow::onHistoryTimeout()
{
}
