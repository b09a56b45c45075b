#include "support/loopbackhttpserver.h"
#include "support/proxyservers.h"
#include "support/scripteddialogs.h"
#include "support/testmain.h"
#include "support/untrustedtlsserver.h"
#include "support/vendorroot.h"

#include "base/global.h"
#include "service/appcast.h"
#include "service/downloader.h"
#include "service/qsimpleupdater.h"
#include "service/serviceclient.h"
#include "service/topinfo.h"
#include "service/toplists.h"
#include "service/updater.h"
#include "service/vendorservicecontroller.h"

#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPushButton>

// The vendor service controller against a real server on 127.0.0.1 that
// serves the example vendor root of the repository, and the rules of the
// service's answers and the appcast; the update checker as the version check
// drives it: the example appcast, the download of its installer into the
// Downloads folder, and what is refused.
class TestVendorService : public QObject
{
    Q_OBJECT

    const QString m_prefix = "https://video.example/watch?v=";
    const QString m_downloads = QDir::homePath() + "/Downloads/";
    const QString m_example = "quillon-2.6.1-linux.sh";
    std::unique_ptr<LoopbackHttpServer> m_server; // the example root
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<QSimpleUpdater> m_front;

    QString appcastUrl() const { return m_server->url("/updates.json").toString(); }

    static QByteArray exampleFile(const QString &relative)
    {
        QFile file(VendorRoot::folder() + "/" + relative);
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }

    // The example appcast with the platform entry changed.
    void serveAppcast(const QJsonObject &changes)
    {
        QJsonObject root = QJsonDocument::fromJson(exampleFile("updates.json")).object();
        QJsonObject updates = root.value("updates").toObject();
        QJsonObject entry = updates.value(Appcast::platformKey()).toObject();
        for (auto it = changes.begin(); it != changes.end(); ++it)
            entry.insert(it.key(), it.value());
        updates.insert(Appcast::platformKey(), entry);
        root.insert("updates", updates);
        m_server->route("/updates.json", QJsonDocument(root).toJson());
    }

    // As the version check configures it when the service names a version.
    Updater *check(const QString &moduleVersion, const QString &url = QString())
    {
        const QString appcast = url.isEmpty() ? appcastUrl() : url;
        m_front->setModuleVersion(appcast, moduleVersion);
        m_front->setNotifyOnFinish(appcast, true);
        m_front->setNotifyOnUpdate(appcast, true);
        m_front->setUseCustomAppcast(appcast, false);
        m_front->setDownloaderEnabled(appcast, true);
        m_front->setMandatoryUpdate(appcast, true);
        m_front->checkForUpdates(appcast);
        return m_front->getUpdater(appcast);
    }

    QStringList downloadsFolder() const { return QDir(m_downloads).entryList(QDir::Files); }

private slots:
    void init()
    {
        Global::APP_VER = "2.6.1";
        Global::PROXY_PORT = 0;
        QDir(m_downloads).removeRecursively();
        // The example root, with a thumbnail for every entry of its lists.
        m_server = std::make_unique<LoopbackHttpServer>();
        QVERIFY(m_server->listen());
        VendorRoot::serve(*m_server);
        Global::useVendorRoot(m_server->url().toString());
        m_dialogs = std::make_unique<ScriptedDialogs>();
        m_front = std::make_unique<QSimpleUpdater>();
    }

    void cleanup()
    {
        m_front.reset();
        m_dialogs.reset();
        m_server.reset();
    }

    // Versions compare part by part as numbers; only an active, well-formed
    // answer names a version; durations, sizes and times read right; and
    // whatever the appcast names, the installer is saved inside the folder.
    void answerRules_data()
    {
        QTest::addColumn<QString>("actual");
        QTest::addColumn<QString>("expected");
        const auto newer = [](const char *a, const char *b) {
            return QString(Appcast::isNewer(a, b) ? "newer" : "not newer");
        };
        const auto latest = [](const char *state, const char *active) {
            return VendorServiceController::latestVersionFrom(
                QString(R"({"state":"%1","data":{"active":%2,"versionNo":"2.7"}})")
                    .arg(state, active)
                    .toUtf8());
        };
        const auto installer
            = [](const char *url) { return Appcast::installerFileName(QUrl(url)); };
        QTest::newRow("minor") << newer("2.7", "2.6.1") << "newer";
        QTest::newRow("same") << newer("2.6.1", "2.6.1") << "not newer";
        QTest::newRow("older") << newer("2.6", "2.6.1") << "not newer";
        QTest::newRow("more parts") << newer("2.6.1", "2.6") << "newer";
        QTest::newRow("numeric, not text") << newer("2.10", "2.9") << "newer";
        QTest::newRow("text counts as 0") << newer("x.1", "0.1") << "not newer";
        QTest::newRow("active") << latest("ok", "1") << "2.7";
        QTest::newRow("inactive") << latest("ok", "0") << "";
        QTest::newRow("active as text") << latest("ok", "\"1\"") << "";
        QTest::newRow("state not ok") << latest("no", "1") << "";
        QTest::newRow("error page") << VendorServiceController::latestVersionFrom("<html>") << "";
        QTest::newRow("hours not cut") << TopLists::durationText(360000) << "100:00:00";
        QTest::newRow("negative") << TopLists::durationText(-5) << "00:00:00";
        QTest::newRow("bytes") << Appcast::sizeText(1023) << "1023 bytes";
        QTest::newRow("KB") << Appcast::sizeText(1536) << "1.5 KB";
        QTest::newRow("MB") << Appcast::sizeText(3145728) << "3 MB";
        QTest::newRow("seconds") << Appcast::timeRemainingText(50, 100, 1.0) << "1 second";
        QTest::newRow("minutes") << Appcast::timeRemainingText(10, 10000, 1.0) << "17 minutes";
        QTest::newRow("hours") << Appcast::timeRemainingText(1, 100000, 1.0) << "about 28 hours";
        QTest::newRow("too early") << Appcast::timeRemainingText(10, 100, 0.5) << "";
        QTest::newRow("nothing yet") << Appcast::timeRemainingText(0, 100, 5.0) << "";
        QTest::newRow("plain") << installer("https://h/d/setup.exe") << "setup.exe";
        QTest::newRow("folder only") << installer("https://h/d/") << "QSU_Update.bin";
        QTest::newRow("dot dot") << installer("https://h/d/..") << "QSU_Update.bin";
        QTest::newRow("encoded slashes") << installer("https://h/d/..%2F..%2Fetc%2Fx") << "x";
        QTest::newRow("encoded backslash") << installer("https://h/d/..%5Cx") << "QSU_Update.bin";
        QTest::newRow("drive") << installer("https://h/d/C:x.exe") << "QSU_Update.bin";
    }
    void answerRules()
    {
        QFETCH(QString, actual);
        QFETCH(QString, expected);
        QCOMPARE(actual, expected);
    }

    // --- the controller against the example root --------------------------------

    // Three lists cut at topnum, with addresses and thumbnails (durations are
    // checked as shown, in tst_vendorwindow); a second refresh shows the same
    // rows again.
    void popularListsFromTheExampleRoot()
    {
        LoopbackHttpServer &server = *m_server;
        VendorServiceController vendor;
        vendor.setWatchPrefix(m_prefix);
        vendor.setThumbnailBase(server.url("/vi/").toString());
        int thumbnails = 0;
        connect(&vendor, &VendorServiceController::thumbnailReady, [&] { ++thumbnails; });

        for (int round = 0; round < 2; ++round) {
            thumbnails = 0;
            QVERIFY(vendor.refreshTopLists(10, true));
            const QStringList ids = VendorRoot::exampleIds();
            for (int kind = 0; kind < 3; ++kind) {
                const QList<TopInfo *> &list = vendor.topList(kind);
                QCOMPARE(list.size(), 10);
                QCOMPARE(list.first()->url, m_prefix + ids[kind * 12]);
            }
            QCOMPARE(thumbnails, 30);
        }
        QVERIFY(vendor.refreshTopLists(3, true));
        QCOMPARE(vendor.topList(1).size(), 3);

        // Elements that are no objects are skipped; a broken file empties all.
        server.route("/interface/report/quillon/topday.txt",
            R"({"data":[7,{"title":"only","videotimelength":"61"}],"weekdata":{}})");
        vendor.setThumbnailBase(QString());
        QVERIFY(vendor.refreshTopLists(10, true));
        QCOMPARE(vendor.topList(0).size(), 1);
        QCOMPARE(vendor.topList(0).first()->duration + " " + vendor.topList(0).first()->url,
            "00:01:01 " + m_prefix);
        QVERIFY(vendor.topList(1).isEmpty() && vendor.topList(2).isEmpty());
        server.route("/interface/report/quillon/topday.txt", "not json");
        QVERIFY(vendor.refreshTopLists(10, true));
        QVERIFY(vendor.topListsEmpty());
    }

    // The notice file is read once per new set; a file of another shape
    // leaves no set.
    void noticesFromTheExampleRoot()
    {
        LoopbackHttpServer &server = *m_server;
        VendorServiceController vendor;
        QSignalSpy changed(&vendor, &VendorServiceController::noticesChanged);
        vendor.loadNotices(false);
        const NoticeSet &read = vendor.notices();
        QCOMPARE(QStringList(read.id) + read.titles + read.times,
            QStringList({"2026-12-01", "Quillon 2.6.1 is out", "Service hours over the holidays",
                "2026-12-01", "2026-11-20"}));
        QCOMPARE(read.texts.size(), 2);
        vendor.loadNotices(true);
        QCOMPARE(changed.count(), 1); // the same set again is no news

        server.route("/interface/upgradefileinfo/quillon/1.ini",
            "<other><notice noticeA=\"x\"><title><title>t</title></title></notice></other>");
        vendor.loadNotices(true);
        QVERIFY(read.id.isEmpty() && read.titles.isEmpty());
    }

    // The version request posts the running version as JSON; a static server
    // that refuses POST is read with a GET.
    void versionCheck()
    {
        LoopbackHttpServer &server = *m_server;
        VendorServiceController vendor;
        using State = VendorServiceController::VersionState;

        QCOMPARE(vendor.checkVersion(false).state, State::Latest);
        const LoopbackHttpServer::Request &sent = server.requests().last();
        QCOMPARE(sent.method + " " + sent.path + " " + sent.headers.value("content-type") + " "
                + sent.body,
            QByteArray("POST /interface///verInfo/quillon/index1.php application/json "
                       "{\"version\":\"2.6.1\"}"));

        Global::APP_VER = "2.6.0";
        server.setRefusePost(true);
        const VendorServiceController::VersionCheck other = vendor.checkVersion(true);
        QCOMPARE(int(other.state), int(State::Other));
        QCOMPARE(other.latest, QString("2.6.1"));
        QCOMPARE(server.requests().last().method, QByteArray("GET"));

        Global::APP_VER = "2.7";
        QCOMPARE(vendor.checkVersion(true).state, State::Latest); // the service lags behind

        server.route("/interface/verInfo/quillon/index1.php", R"({"state":"ok"})");
        QCOMPARE(vendor.checkVersion(true).state, State::NoAnswer);
    }

    // Without a vendor root nothing at all is sent.
    void notConfiguredSendsNothing()
    {
        LoopbackHttpServer &server = *m_server;
        Global::useVendorRoot(QString());
        VendorServiceController vendor;
        vendor.setThumbnailBase(server.url("/vi/").toString());
        QVERIFY(vendor.refreshTopLists(10, true));
        vendor.loadNotices(true);
        QCOMPARE(vendor.checkVersion(true).state, VendorServiceController::VersionState::NoAnswer);
        QVERIFY(ServiceClient::getServiceFile("/report/quillon/topday.txt").isEmpty());
        QVERIFY(vendor.topListsEmpty());
        QCOMPARE(server.requests().size(), 0);
    }

    // A silent service costs one bound per action: the automatic requests
    // that follow are skipped until it answers, what the user asks for is
    // tried; a silent thumbnail host is asked once per refresh; a refresh
    // pressed while one runs starts nothing.
    void silentServiceCostsOneBound()
    {
        LoopbackHttpServer silent;
        QVERIFY(silent.listen());
        silent.setSilent(true);
        Global::useVendorRoot(silent.url().toString());
        VendorServiceController vendor;
        vendor.setServiceTimeout(500);
        QElapsedTimer clock;
        clock.start();
        bool second = true;
        QTimer::singleShot(100, [&] { second = vendor.refreshTopLists(10, true); });
        QVERIFY(vendor.refreshTopLists(10, false));
        QVERIFY(!second);
        QCOMPARE(vendor.checkVersion(false).state, VendorServiceController::VersionState::NoAnswer);
        vendor.loadNotices(false);
        // One request for all three: the rest were skipped, not waited for.
        QCOMPARE(silent.requests().size(), 1);
        QVERIFY(vendor.refreshTopLists(10, true));
        QCOMPARE(silent.requests().size(), 2);

        // Lists arrive, the thumbnail host is silent.
        Global::useVendorRoot(m_server->url().toString());
        vendor.setThumbnailBase(silent.url("/vi/").toString());
        vendor.setThumbnailTimeout(500);
        QVERIFY(vendor.refreshTopLists(10, true));
        QCOMPARE(vendor.topList(0).size(), 10);
        QCOMPARE(silent.requests().size(), 3);

        // Nobody listening: nothing waits.
        Global::useVendorRoot(QString("http://127.0.0.1:%1").arg(ProxyServerProcess::freePort()));
        clock.restart();
        QVERIFY(vendor.refreshTopLists(10, true));
        QCOMPARE(vendor.checkVersion(false).state, VendorServiceController::VersionState::NoAnswer);
        QVERIFY(vendor.topListsEmpty() && clock.elapsed() < 1000);
    }

    // An answer from a peer whose certificate does not verify is no answer.
    void untrustedTlsPeerIsRefused()
    {
        if (!QSslSocket::supportsSsl())
            QSKIP("no TLS support");
        const QByteArray answer = R"({"state":"ok","data":{"active":1,"versionNo":"9.9"}})";
        UntrustedTlsServer tls(answer);
        QVERIFY(tls.listenLocal());
        // The server does answer whoever skips the check.
        HttpRequest::Options unchecked;
        unchecked.verifyPeer = false;
        QCOMPARE(HttpRequest::send(QUrl(tls.url("/x")), unchecked).body, answer);

        Global::useVendorRoot(tls.url());
        VendorServiceController vendor;
        QCOMPARE(vendor.checkVersion(true).state, VendorServiceController::VersionState::NoAnswer);
        QVERIFY(ServiceClient::postJson(QUrl(tls.url("/v")), "{}").isEmpty());
        QVERIFY(ServiceClient::get(QUrl(tls.url("/v"))).isEmpty());
    }

    // --- the updater ---------------------------------------------------------

    // A newer appcast version leads to the installer in Downloads, checked
    // against the appcast's digest; "Update" starts it. The example's entry
    // is not mandatory, so the program is not asked to end.
    void newerVersionDownloadsTheInstaller()
    {
        QSignalSpy finished(m_front.get(), &QSimpleUpdater::downloadFinished);
        QSignalSpy quit(m_front.get(), &QSimpleUpdater::quitRequested);
        Updater *updater = check("2.6.0");
        QVERIFY(updater->updateAvailable());
        Downloader *dialog = updater->downloader();
        QVERIFY(dialog->isVisible());
        QTRY_COMPARE(finished.count(), 1);
        const QString path = m_downloads + m_example;
        QCOMPARE(finished.first().at(1).toString(), path);
        QCOMPARE(downloadsFolder(), QStringList({m_example}));
        QFile saved(path);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), exampleFile("downloads/" + m_example));

        auto *open = dialog->findChild<QPushButton *>("openButton");
        QVERIFY(open->isEnabled());
        open->click();
        QCOMPARE(m_dialogs->openedUrls, QList<QUrl>({QUrl::fromLocalFile(path)}));
        QCOMPARE(quit.count(), 0);
        // Cancelling a finished download just closes the dialog.
        dialog->findChild<QPushButton *>("stopButton")->click();
        QVERIFY(!dialog->isVisible());
        QVERIFY(m_dialogs->calls.isEmpty());
    }

    // An installer that differs from the published digest is deleted and
    // never offered; the user is told.
    void wrongDigestIsRefused()
    {
        serveAppcast({{"sha256", QString(64, '0')}});
        QSignalSpy finished(m_front.get(), &QSimpleUpdater::downloadFinished);
        Downloader *dialog = check("2.6.0")->downloader();
        QTRY_COMPARE(m_dialogs->calls.size(), 1);
        QCOMPARE(m_dialogs->calls[0].kind, QString("warning"));
        QVERIFY(m_dialogs->calls[0].text.contains("checksum"));
        QVERIFY(downloadsFolder().isEmpty() && finished.isEmpty());
        QVERIFY(!dialog->findChild<QPushButton *>("openButton")->isEnabled());
    }

    // The installer's name from the appcast (the naming rules above) never
    // leads out of Downloads.
    void installerStaysInDownloads()
    {
        m_server->route("/downloads/..%2F..%2Fescape", "installer");
        serveAppcast({{"download-url", "downloads/..%2F..%2Fescape"}, {"sha256", QString()}});
        QSignalSpy finished(m_front.get(), &QSimpleUpdater::downloadFinished);
        check("2.6.0");
        QTRY_COMPARE(finished.count(), 1);
        QCOMPARE(downloadsFolder(), QStringList({"escape"}));
        QVERIFY(!QFile::exists(QDir::homePath() + "/escape"));
    }

    // The running version is the latest: the finish box says so.
    void latestVersionIsSaid()
    {
        check("2.6.1");
        QCOMPARE(m_dialogs->calls.size(), 1);
        QCOMPARE(m_dialogs->calls[0].kind, QString("information"));
        QVERIFY(m_dialogs->calls[0].text.contains("Congratulations"));
    }

    // An appcast that cannot be read, or that comes from a peer whose
    // certificate does not verify, offers nothing and never claims that the
    // running version is the latest.
    void unreadableAppcastOffersNothing_data()
    {
        QTest::addColumn<QByteArray>("appcast");
        QTest::newRow("not json") << QByteArray("<html>not json</html>");
        QTest::newRow("missing") << QByteArray("404");
        QTest::newRow("untrusted peer") << QByteArray("tls");
    }
    void unreadableAppcastOffersNothing()
    {
        QFETCH(QByteArray, appcast);
        UntrustedTlsServer tls(exampleFile("updates.json"));
        QVERIFY(tls.listenLocal());
        m_server->route("/updates.json", appcast, "text/plain", appcast == "404" ? 404 : 200);
        Updater *updater = check("2.6.0", appcast == "tls" ? tls.url("/updates.json") : QString());
        QVERIFY(!updater->updateAvailable() && !updater->downloader()->isVisible());
        QCOMPARE(m_dialogs->calls.size(), 1);
        QCOMPARE(m_dialogs->calls[0].kind, QString("warning"));
        QVERIFY(!m_dialogs->calls[0].text.contains("Congratulations"));
        QVERIFY(downloadsFolder().isEmpty());
    }

    // Cancelling a running mandatory download asks first; Yes ends the
    // transfer and asks the program to end, No keeps it going.
    void cancellingAMandatoryDownload()
    {
        LoopbackHttpServer silent;
        QVERIFY(silent.listen());
        silent.setSilent(true);
        serveAppcast({{"mandatory-update", true},
            {"download-url", silent.url("/setup.bin").toString()}, {"sha256", QString()}});
        QSignalSpy quit(m_front.get(), &QSimpleUpdater::quitRequested);
        Downloader *dialog = check("2.6.0")->downloader();
        QTRY_COMPARE(silent.requests().size(), 1);
        auto *stop = dialog->findChild<QPushButton *>("stopButton");

        m_dialogs->answers << QMessageBox::No << QMessageBox::Yes;
        stop->click();
        QVERIFY(dialog->isVisible() && dialog->transfer()->isRunning());
        stop->click();
        QCOMPARE(m_dialogs->calls.size(), 2);
        QVERIFY(m_dialogs->calls[1].text.contains("mandatory update"));
        QVERIFY(!dialog->isVisible() && !dialog->transfer()->isRunning());
        QCOMPARE(quit.count(), 1);
    }
};

QUILLON_TEST_MAIN(TestVendorService)
#include "tst_vendorservice.moc"
