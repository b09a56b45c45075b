#include "support/throttledserver.h"

#include <QFileInfo>
#include <QTest>

ThrottledServer::ThrottledServer(const QString &folder, int seconds)
{
    const qint64 rate = qMax<qint64>(4000, QFileInfo(folder + "/plain.mp4").size() / seconds);
    connect(&m_server, &QProcess::readyReadStandardOutput, this,
        [this] { requests += m_server.readAllStandardOutput(); });
    m_server.start("python3",
        {qEnvironmentVariable("QUILLON_SOURCE_DIR") + "/tests/support/throttled_range_server.py",
            folder, QString::number(rate)});
    // The server's first line is its port.
    if (QTest::qWaitFor([this] { return requests.contains('\n'); }, 10000))
        m_base = "http://127.0.0.1:" + requests.left(requests.indexOf('\n')) + "/";
    requests.clear();
}

ThrottledServer::~ThrottledServer()
{
    m_server.kill();
    m_server.waitForFinished();
}
