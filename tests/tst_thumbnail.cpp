#include "support/loopbackhttpserver.h"
#include "support/proxyservers.h"
#include "support/scopedenv.h"
#include "support/scripteddialogs.h"
#include "support/taskfactory.h"
#include "support/testmain.h"

#include "base/global.h"
#include "downloads/downloadlistcontroller.h"
#include "downloads/itemwidget.h"
#include "downloads/listwidget.h"
#include "downloads/thumbnailcache.h"
#include "downloads/thumbnailfetch.h"
#include "ui/mainwindow.h"

#include <QBuffer>
#include <QLabel>

namespace {

QByteArray png(int width, int height)
{
    QByteArray data;
    QBuffer buffer(&data);
    QImage(width, height, QImage::Format_RGB32).save(&buffer, "PNG");
    return data;
}

// Waits until the cache has no request left; false when that takes too long.
bool settled(ThumbnailCache &cache)
{
    QSignalSpy finished(&cache, &ThumbnailCache::finished);
    while (cache.pending() > 0) {
        if (!finished.wait(10000))
            return false;
    }
    return true;
}

QSize pictureSize(itemWidget *row)
{
    return row->findChild<QLabel *>("label")->pixmap(Qt::ReturnByValue).size();
}

} // namespace

class TestThumbnail : public QObject
{
    Q_OBJECT

private slots:
    // Thumbnails come through whichever proxy is in use, scaled for the
    // screen; an error page is no picture; of two requests for one task the
    // later decides, whichever answers first.
    void cacheFetchesThroughTheProxyInUse()
    {
        ProxyServerProcess http {ProxyServerProcess::Http}, socks {ProxyServerProcess::Socks5};
        LoopbackHttpServer server;
        QVERIFY(http.start() && socks.start() && server.listen());
        server.route("/vi/abc123/1.jpg", png(480, 360), "image/png");
        ScopedEnv base("QUILLON_THUMBNAIL_BASE", server.url("/vi/").toString().toUtf8());
        Global::SCALE = 1.5;
        ThumbnailCache cache;
        const QString address = Thumbnail::address("https://v.example/watch?a=1&v=abc123");
        for (const int port : {0, int(http.port()), int(socks.port())}) {
            Global::PROXY_PORT = port;
            Global::PROXY_IS_SOCKS5 = port == socks.port();
            const QString key = QString("task%1").arg(port);
            cache.request(key, address);
            QVERIFY(settled(cache));
            QCOMPARE(cache.pixmap(key).size(), QSize(180, 102));
            QCOMPARE(server.requests().last().headers.contains("via"), port == http.port());
        }
        Global::PROXY_PORT = 0;

        cache.request(
            "missing", Thumbnail::address("x=abc123", server.url("/missing.png").toString()));
        QVERIFY(settled(cache));
        QCOMPARE(server.requests().last().path, QByteArray("/missing.png"));
        QVERIFY(cache.pixmap("missing").isNull());

        cache.request("twice", address);
        cache.request("twice", server.url("/missing.png").toString());
        QVERIFY(settled(cache));
        QVERIFY(cache.pixmap("twice").isNull());
    }

    // An analysed task's row shows its picture when it arrives; a row that
    // moves on to another task shows that task's picture, not the last one.
    void rowsShowTheirOwnTaskPicture()
    {
        LoopbackHttpServer server;
        QVERIFY(server.listen());
        server.route("/vi/first/1.jpg", png(160, 90), "image/png");
        ScopedEnv base("QUILLON_THUMBNAIL_BASE", server.url("/vi/").toString().toUtf8());
        Global::PROXY_PORT = 0;
        Global::SCALE = 1.0;
        ScriptedDialogs dialogs;
        MainWindow window;
        DownloadListController *list = window.downloadList();
        SettingsStore::GeneralSettings held;
        held.processnum = held.anaprocessnum = 0;
        list->applySettings(held);
        for (int i = 6; i >= 1; --i)
            list->addTask(makeTask(i == 1 ? "watch?v=first" : QString("watch?v=%1").arg(i),
                TaskStatus::WaitingForDownload));
        window.on_pushButton_downloadfinished_2_clicked();
        ItemInfo *first = list->tasks().last();
        itemWidget *row = window.findChild<ListWidget *>()->rowFor(first);
        QVERIFY(row);
        const QSize plain = pictureSize(row);

        emit list->thumbnailFound(first); // as the engine does after the analysis
        QTRY_COMPARE_WITH_TIMEOUT(pictureSize(row), QSize(120, 68), 10000);
        window.on_verticalScrollBar_valueChanged(1);
        QCOMPARE(window.findChild<ListWidget *>()->rowFor(first), nullptr);
        QCOMPARE(row->task(), list->tasks().first());
        QCOMPARE(pictureSize(row), plain);
    }
};

QUILLON_TEST_MAIN(TestThumbnail)
#include "tst_thumbnail.moc"
