// Measures the playlist dialog with a long list: the extractor's flat-list
// run on a generated feed served on 127.0.0.1, the time from its answer to
// the listed rows, and how responsive the dialog stays while missing titles
// are fetched (ticking all, scrolling, the longest wait of the event loop).
// Usage: quillon_bench_playlist N   (prints one line of figures)

#include "base/global.h"
#include "base/resources.h"
#include "extractor/analysissession.h"
#include "intake/listdialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QScrollArea>
#include <QScrollBar>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <cstdio>

namespace {

double ms(const QElapsedTimer &t)
{
    return t.nsecsElapsed() / 1e6;
}

// A feed of n entries; every tenth has no title, so the dialog fetches it.
void writeFeed(const QString &folder, const QString &root, int n)
{
    QByteArray rss = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<rss version=\"2.0\">\n"
                     "<channel>\n<title>Long list</title>\n<link>"
        + root.toUtf8() + "</link>\n<description>Generated</description>\n";
    for (int i = 0; i < n; ++i) {
        const QByteArray title
            = i % 10 == 9 ? QByteArray() : "Clip number " + QByteArray::number(i);
        rss += "<item><title>" + title + "</title><enclosure url=\"" + root.toUtf8() + "clip"
            + QByteArray::number(i) + ".mp4\" type=\"video/mp4\"/></item>\n";
    }
    rss += "</channel>\n</rss>\n";
    QFile feed(QDir(folder).filePath(QStringLiteral("playlist")));
    feed.open(QIODevice::WriteOnly);
    feed.write(rss);
}

} // namespace

int main(int argc, char *argv[])
{
    const int n = argc > 1 ? QByteArray(argv[1]).toInt() : 2000;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    initQuillonResources();
    Global::PROXY_PORT = 0;

    QTemporaryDir served;
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    const quint16 port = probe.serverPort();
    probe.close();
    const QString root = QStringLiteral("http://127.0.0.1:%1/").arg(port);
    writeFeed(served.path(), root, n);
    QProcess server;
    server.setWorkingDirectory(served.path());
    server.start(QStringLiteral("python3"),
        {QStringLiteral("-m"), QStringLiteral("http.server"), QString::number(port),
            QStringLiteral("--bind"), QStringLiteral("127.0.0.1")});
    server.waitForStarted();
    QThread::msleep(500);

    const QString link = root + QStringLiteral("playlist?list=bench");
    // The dialog is fed as the window feeds it: by the analysis session,
    // which then looks up the missing titles.
    ListDialog dialog;
    dialog.show();
    AnalysisSession session;
    QObject::connect(&session, &AnalysisSession::titleFound, &dialog, &ListDialog::showTitle);
    double extractorMs = 0, listedMs = 0;
    QElapsedTimer timer;
    QEventLoop listed;
    QObject::connect(
        &session, &AnalysisSession::entriesListed, [&](const QList<ListVideoInfo> &entries) {
            extractorMs = ms(timer);
            timer.restart();
            dialog.showEntries(entries);
            QCoreApplication::processEvents();
            listedMs = ms(timer);
            listed.quit();
        });
    QTimer::singleShot(120000, &listed, &QEventLoop::quit);
    timer.start();
    session.analyseList(link);
    listed.exec();

    // While titles are fetched: the longest gap between two 10 ms ticks.
    double longestGap = 0;
    QElapsedTimer gap;
    gap.start();
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        longestGap = qMax(longestGap, ms(gap));
        gap.restart();
    });
    tick.start(10);
    auto *all = dialog.findChild<QCheckBox *>(QStringLiteral("checkBox"));
    QScrollBar *bar
        = dialog.findChild<QScrollArea *>(QStringLiteral("scrollArea"))->verticalScrollBar();
    double tickAllMs = 0, scrollMs = 0;
    int steps = 0;
    QTimer::singleShot(500, [&] {
        QElapsedTimer t;
        t.start();
        all->setChecked(true);
        QCoreApplication::processEvents();
        tickAllMs = ms(t);
        t.restart();
        for (int v = 0; v <= bar->maximum(); v += bar->pageStep()) {
            bar->setValue(v);
            QCoreApplication::processEvents();
            ++steps;
        }
        scrollMs = ms(t);
    });
    QEventLoop wait;
    QTimer::singleShot(5000, &wait, &QEventLoop::quit);
    wait.exec();
    tick.stop();
    session.stop();
    server.kill();
    server.waitForFinished();

    std::printf("entries %d (listed %d): extractor answer %.0f ms, listed %.0f ms after it, "
                "tick all %.0f ms, scroll through %.0f ms, longest event-loop wait while "
                "fetching titles %.0f ms\n",
        n, int(dialog.entries().size()), extractorMs, listedMs, tickAllMs, scrollMs, longestGap);
    return 0;
}
