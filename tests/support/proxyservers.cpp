#include "support/proxyservers.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

quint16 ProxyServerProcess::freePort()
{
    QTcpServer probe;
    return probe.listen(QHostAddress::LocalHost, 0) ? probe.serverPort() : 0;
}

bool ProxyServerProcess::start(QString *error)
{
    const auto fail = [&](const QString &why) {
        if (error)
            *error = why;
        stop();
        return false;
    };
    m_port = freePort();
    const QString port = QString::number(m_port);
    QString program = QStringLiteral("microsocks");
    QStringList arguments {
        QStringLiteral("-i"), QStringLiteral("127.0.0.1"), QStringLiteral("-p"), port};
    if (m_kind == Http) {
        QFile config(m_dir.filePath(QStringLiteral("tinyproxy.conf")));
        if (!config.open(QIODevice::WriteOnly))
            return fail(QStringLiteral("cannot write ") + config.fileName());
        config.write("Port " + port.toUtf8()
            + "\nListen 127.0.0.1\nTimeout 30\nMaxClients 20\n"
              "Allow 127.0.0.1\nLogLevel Warning\nPidFile \""
            + m_dir.filePath(QStringLiteral("tinyproxy.pid")).toUtf8() + "\"\n");
        program = QStringLiteral("tinyproxy");
        arguments = QStringList {QStringLiteral("-d"), QStringLiteral("-c"), config.fileName()};
    }
    // Both servers log every connection; the test output stays readable.
    m_process.setStandardOutputFile(QProcess::nullDevice());
    m_process.setStandardErrorFile(QProcess::nullDevice());
    m_process.start(program, arguments);
    if (!m_process.waitForStarted(5000))
        return fail(program + QStringLiteral(": ") + m_process.errorString());
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 10000 && m_process.state() == QProcess::Running) {
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, m_port);
        if (socket.waitForConnected(500))
            return true;
        QThread::msleep(50);
    }
    return fail(program + QStringLiteral(" did not listen on port ") + port);
}

void ProxyServerProcess::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.kill();
    m_process.waitForFinished(5000);
}
