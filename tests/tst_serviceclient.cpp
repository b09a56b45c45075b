#include "support/loopbackhttpserver.h"
#include "support/proxyservers.h"
#include "support/testmain.h"

#include "base/httprequest.h"
#include "service/serviceclient.h"

#include <QElapsedTimer>

class TestServiceClient : public QObject
{
    Q_OBJECT

private slots:
    // A missing page, a closed port or a silent server never hold the program
    // longer than its bound, and the window keeps running meanwhile (the
    // request itself is checked through the version check in tst_vendorservice).
    void requestsEndWithinTheirBound()
    {
        LoopbackHttpServer server, silent;
        QVERIFY(server.listen() && silent.listen());
        silent.setSilent(true);
        // An error page is the service's answer, but never a probe's; nobody
        // listening gives nothing. None of them waits for the bound.
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(ServiceClient::get(server.url("/missing")), QByteArray("not found"));
        QCOMPARE(HttpRequest::send(server.url("/missing"), {}).body, QByteArray());
        const quint16 dead = ProxyServerProcess::freePort();
        QVERIFY(!HttpRequest::send(QString("http://127.0.0.1:%1/").arg(dead), {}).error.isEmpty());
        QVERIFY(clock.elapsed() < 2000);

        // A silent server: the bound, or the cancel callback, ends the wait.
        int ticks = 0; // a timer stands in for the window: it keeps running meanwhile
        QTimer heartbeat;
        connect(&heartbeat, &QTimer::timeout, [&ticks] { ++ticks; });
        heartbeat.start(50);
        clock.restart();
        QVERIFY(ServiceClient::postJson(silent.url("/verInfo"), "{}", 1000).isEmpty());
        QVERIFY2(clock.elapsed() >= 990 && clock.elapsed() < 3000,
            qPrintable(QString::number(clock.elapsed())));
        QVERIFY2(ticks >= 10 && silent.requests().size() == 1, qPrintable(QString::number(ticks)));

        HttpRequest::Options options;
        options.cancelled = [&clock] { return clock.elapsed() > 300; };
        clock.restart();
        QVERIFY(HttpRequest::send(silent.url("/x"), options).timedOut);
        QVERIFY(clock.elapsed() < 2000);
    }
};

QUILLON_TEST_MAIN(TestServiceClient)
#include "tst_serviceclient.moc"
