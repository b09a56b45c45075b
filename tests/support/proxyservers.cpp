#include "support/proxyservers.h"

#include <QElapsedTimer>
#include <QFile>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

ProxyServerProcess::ProxyServerProcess(Kind kind)
    : m_kind(kind)
{ }

ProxyServerProcess::~ProxyServerProcess()
{
    stop();
}

quint16 ProxyServerProcess::freePort()
{
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost, 0))
        return 0;
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}

bool ProxyServerProcess::start(QString *error)
{
    m_port = freePort();
    QString program;
    QStringList arguments;
    if (m_kind == Http) {
        const QString config = m_dir.filePath(QStringLiteral("tinyproxy.conf"));
        QFile file(config);
        if (!file.open(QIODevice::WriteOnly)) {
            if (error)
                *error = QStringLiteral("cannot write %1").arg(config);
            return false;
        }
        file.write(QStringLiteral("Port %1\nListen 127.0.0.1\nTimeout 30\nMaxClients 20\n"
                                  "Allow 127.0.0.1\nLogLevel Warning\nPidFile \"%2\"\n")
                       .arg(m_port)
                       .arg(m_dir.filePath(QStringLiteral("tinyproxy.pid")))
                       .toUtf8());
        file.close();
        program = QStringLiteral("tinyproxy");
        arguments = QStringList {QStringLiteral("-d"), QStringLiteral("-c"), config};
    } else {
        program = QStringLiteral("microsocks");
        arguments = QStringList {QStringLiteral("-i"), QStringLiteral("127.0.0.1"),
            QStringLiteral("-p"), QString::number(m_port)};
    }
    // Both servers log every connection; the test output stays readable.
    m_process.setStandardOutputFile(QProcess::nullDevice());
    m_process.setStandardErrorFile(QProcess::nullDevice());
    m_process.start(program, arguments);
    if (!m_process.waitForStarted(5000)) {
        if (error)
            *error = program + QStringLiteral(": ") + m_process.errorString();
        return false;
    }
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 10000 && m_process.state() == QProcess::Running) {
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, m_port);
        if (socket.waitForConnected(500))
            return true;
        QThread::msleep(50);
    }
    if (error)
        *error = program + QStringLiteral(" did not listen on port %1").arg(m_port);
    stop();
    return false;
}

void ProxyServerProcess::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.kill();
    m_process.waitForFinished(5000);
}
