#include "support/testmain.h"

#include "base/global.h"
#include "service/serviceclient.h"
#include "support/loopbackhttpserver.h"

#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpServer>

class TestServiceClient : public QObject
{
    Q_OBJECT

    LoopbackHttpServer m_server;

private slots:
    void initTestCase()
    {
        QVERIFY(m_server.listen());
        // Point the vendor root at the loopback server, as QUILLON_VENDOR_ROOT would.
        Global::SERVICE_URL = m_server.url().toString() + QStringLiteral("//interface//");
    }

    void getReturnsTheFile()
    {
        const QByteArray list = R"({"day":[{"title":"标题 1","url":"abc"}]})";
        m_server.route("/interface/report/quillon/topday.txt", list, "text/plain; charset=utf-8");
        const QByteArray body = ServiceClient::getServiceFile(
            QStringLiteral("/report/") + Global::MODULE_NAME + QStringLiteral("/topday.txt"));
        QCOMPARE(body, list);
        QCOMPARE(m_server.requests().last().method, QByteArray("GET"));
    }

    void postSendsJsonAndReturnsTheAnswer()
    {
        const QByteArray answer = R"({"state":"ok","data":{"active":1,"versionNo":"2.7.0"}})";
        m_server.route("/interface/verInfo/quillon/index1.php", answer, "application/json");
        const QString body = QStringLiteral("{\"version\":\"%1\"}").arg(Global::APP_VER);
        const QByteArray reply = ServiceClient::postServiceJson(
            QStringLiteral("/verInfo/") + Global::MODULE_NAME + QStringLiteral("/index1.php"),
            body);

        QCOMPARE(reply, answer);
        const LoopbackHttpServer::Request &sent = m_server.requests().last();
        QCOMPARE(sent.method, QByteArray("POST"));
        QCOMPARE(sent.headers.value("content-type"), QByteArray("application/json"));
        QCOMPARE(QJsonDocument::fromJson(sent.body).object().value("version").toString(),
            Global::APP_VER);
    }

    void errorPagesAndDeadServersGiveWhatArrived()
    {
        // A 404 page is a body like any other; the caller finds it unusable.
        QCOMPARE(ServiceClient::get(m_server.url("/missing")), QByteArray("not found"));

        // Nobody listening: empty, at once.
        QTcpServer probe;
        QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
        const quint16 deadPort = probe.serverPort();
        probe.close();
        QElapsedTimer clock;
        clock.start();
        QVERIFY(ServiceClient::get(QUrl(QStringLiteral("http://127.0.0.1:%1/x").arg(deadPort)))
                    .isEmpty());
        QVERIFY(clock.elapsed() < ServiceClient::TimeoutMs);
    }

    void silentServerEndsAfterTheBoundAndTheWindowKeepsRunning()
    {
        LoopbackHttpServer silent;
        QVERIFY(silent.listen());
        silent.setSilent(true);

        // A timer stands in for the window: it must keep firing during the wait.
        int ticks = 0;
        QTimer heartbeat;
        connect(&heartbeat, &QTimer::timeout, [&ticks] { ++ticks; });
        heartbeat.start(100);

        QElapsedTimer clock;
        clock.start();
        const QByteArray body = ServiceClient::postJson(silent.url("/verInfo"), "{}");
        const qint64 waited = clock.elapsed();

        QVERIFY(body.isEmpty());
        QVERIFY2(waited >= ServiceClient::TimeoutMs - 100, qPrintable(QString::number(waited)));
        QVERIFY2(waited < ServiceClient::TimeoutMs + 3000, qPrintable(QString::number(waited)));
        QVERIFY2(ticks >= 50, qPrintable(QString::number(ticks)));
        QCOMPARE(silent.requests().size(), 1); // the request did reach the server
    }
};

QUILLON_TEST_MAIN(TestServiceClient)
#include "tst_serviceclient.moc"
