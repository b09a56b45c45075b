#include "app/mainwindow.h"

// Proxy detection runs in its own thread and reports through a queued signal.
void MainWindow::startProxyDetection()
{
}

// Connectivity check, every 20 s.
void MainWindow::m_keepalive_sec()
{
}
