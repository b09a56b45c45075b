#include "support/loopbackhttpserver.h"
#include "support/proxyservers.h"
#include "support/scopedenv.h"
#include "support/testmain.h"

#include "base/global.h"
#include "downloads/thumbnailfetch.h"

#include <QBuffer>

class TestThumbnail : public QObject
{
    Q_OBJECT

private slots:
    // Thumbnails come through whichever proxy is in use, scaled for the screen.
    void fetchThroughTheProxyInUse()
    {
        ProxyServerProcess http {ProxyServerProcess::Http}, socks {ProxyServerProcess::Socks5};
        LoopbackHttpServer server;
        QVERIFY(http.start() && socks.start() && server.listen());
        QByteArray png;
        QBuffer buffer(&png);
        QVERIFY(QImage(480, 360, QImage::Format_RGB32).save(&buffer, "PNG"));
        server.route("/vi/abc123/1.jpg", png, "image/png");
        ScopedEnv base("QUILLON_THUMBNAIL_BASE", server.url("/vi/").toString().toUtf8());
        Global::SCALE = 1.5;
        // Direct, through the HTTP proxy, through the SOCKS5 proxy as SOCKS5.
        for (const int port : {0, int(http.port()), int(socks.port())}) {
            Global::PROXY_PORT = port;
            Global::PROXY_IS_SOCKS5 = port == socks.port();
            QCOMPARE(
                Thumbnail::fetch("https://v.example/watch?a=1&v=abc123").size(), QSize(180, 102));
            QCOMPARE(server.requests().last().headers.contains("via"), port == http.port());
        }
        // The address the analysis reported is used as it stands; an error page is no picture.
        QVERIFY(Thumbnail::fetch("x=abc123", server.url("/missing.png").toString()).isNull());
        QCOMPARE(server.requests().last().path, QByteArray("/missing.png"));
    }
};

QUILLON_TEST_MAIN(TestThumbnail)
#include "tst_thumbnail.moc"
