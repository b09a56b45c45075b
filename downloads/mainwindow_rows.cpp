#include "app/mainwindow.h"

// Refreshes a task's row from its record (status words, figures, busy
// animation). The row widget's code fills this in.
void MainWindow::updateTaskRow(ItemInfo *) { }
