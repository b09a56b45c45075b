#include "ui/mainwindow.h"

// Asks the vendor service for the latest version.
void MainWindow::onVersionTimeout() { }

// Requests the popular lists of the day, week and month.
void MainWindow::onTopInfoTimeout() { }

// Menu entry "Update": the version check on demand.
void MainWindow::displayupdate() { }
