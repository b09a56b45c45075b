#include "support/loopbackhttpserver.h"
#include "support/testmain.h"

#include "base/global.h"
#include "downloads/thumbnailfetch.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QImage>

class TestThumbnail : public QObject
{
    Q_OBJECT

    LoopbackHttpServer m_server;

    static QByteArray png(int w, int h)
    {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(Qt::red);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        return bytes;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_server.listen());
        m_server.route("/vi/abc123/1.jpg", png(480, 360), "image/png");
        m_server.route("/reported.png", png(64, 64), "image/png");
        Global::PROXY_PORT = 0; // direct connection
    }

    void imageAddressTakesTheIdAfterTheLastEquals()
    {
        qputenv("QUILLON_THUMBNAIL_BASE", "http://thumbs.test/vi/");
        QCOMPARE(Thumbnail::imageAddress("https://v.example/watch?v=abc123"),
            QString("http://thumbs.test/vi/abc123/1.jpg"));
        QCOMPARE(Thumbnail::imageAddress("https://v.example/a=b=c"),
            QString("http://thumbs.test/vi/c/1.jpg"));
        QCOMPARE(
            Thumbnail::imageAddress("noequals"), QString("http://thumbs.test/vi/noequals/1.jpg"));
        qunsetenv("QUILLON_THUMBNAIL_BASE");
    }

    void fetchScalesToTheRowSize()
    {
        qputenv("QUILLON_THUMBNAIL_BASE", m_server.url("/vi/").toString().toUtf8());
        Global::SCALE = 1.5;
        const QPixmap fromBase = Thumbnail::fetch("https://v.example/watch?v=abc123");
        Global::SCALE = 1.0;
        qunsetenv("QUILLON_THUMBNAIL_BASE");
        QCOMPARE(fromBase.size(), QSize(180, 102));

        // The address the analysis reported wins, and needs no base.
        const QPixmap reported = Thumbnail::fetch(
            "https://v.example/watch?v=zzz", m_server.url("/reported.png").toString());
        QCOMPARE(reported.size(), QSize(120, 68));
        QCOMPARE(m_server.requests().last().path, QByteArray("/reported.png"));
    }

    void failuresGiveNullAtOnceOrWithinTheBound()
    {
        QVERIFY(Thumbnail::fetch(QString()).isNull());
        QVERIFY(Thumbnail::fetch("https://v.example/watch?v=x").isNull()); // no base configured
        QVERIFY(Thumbnail::fetch("x", m_server.url("/missing.png").toString()).isNull());

        LoopbackHttpServer silent;
        QVERIFY(silent.listen());
        silent.setSilent(true);
        QElapsedTimer clock;
        clock.start();
        QVERIFY(Thumbnail::fetch("x", silent.url("/slow.png").toString()).isNull());
        QVERIFY(clock.elapsed() < 3000 + 2000);
    }
};

QUILLON_TEST_MAIN(TestThumbnail)
#include "tst_thumbnail.moc"
