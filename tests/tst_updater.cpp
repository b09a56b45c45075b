#include "support/loopbackhttpserver.h"
#include "support/scripteddialogs.h"
#include "support/testmain.h"
#include "support/untrustedtlsserver.h"

#include "service/appcast.h"
#include "service/downloader.h"
#include "service/qsimpleupdater.h"
#include "service/updater.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QPushButton>

// The update checker as the version check drives it: the appcast of the
// example vendor root on 127.0.0.1, the download of its installer into the
// Downloads folder, and what is refused.
class TestUpdater : public QObject
{
    Q_OBJECT

    const QString m_vendorDir = qEnvironmentVariable("QUILLON_SOURCE_DIR") + "/vendor";
    const QString m_downloads = QDir::homePath() + "/Downloads/";
    const QString m_example = "quillon-2.6.1-linux.sh";
    std::unique_ptr<LoopbackHttpServer> m_server;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<QSimpleUpdater> m_front;

    QString appcastUrl() const { return m_server->url("/updates.json").toString(); }

    QByteArray exampleFile(const QString &relative) const
    {
        QFile file(m_vendorDir + "/" + relative);
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
        QDir(m_downloads).removeRecursively();
        m_server = std::make_unique<LoopbackHttpServer>();
        QVERIFY(m_server->listen());
        m_server->routeFolder(m_vendorDir);
        m_dialogs = std::make_unique<ScriptedDialogs>();
        m_front = std::make_unique<QSimpleUpdater>();
    }

    void cleanup()
    {
        m_front.reset();
        m_dialogs.reset();
        m_server.reset();
    }

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

    // The installer's name from the appcast never leads out of Downloads (the
    // naming rules themselves are checked in tst_vendorservice).
    void installerStaysInDownloads_data()
    {
        QTest::addColumn<QString>("downloadUrl");
        QTest::addColumn<QString>("saved");
        QTest::newRow("encoded parent") << "downloads/..%2F..%2Fescape"
                                        << "escape";
        QTest::newRow("encoded backslash") << "downloads/..%5Cescape"
                                           << "QSU_Update.bin";
    }
    void installerStaysInDownloads()
    {
        QFETCH(QString, downloadUrl);
        QFETCH(QString, saved);
        m_server->route("/" + downloadUrl.toUtf8(), "installer");
        serveAppcast({{"download-url", downloadUrl}, {"sha256", QString()}});
        QSignalSpy finished(m_front.get(), &QSimpleUpdater::downloadFinished);
        check("2.6.0");
        QTRY_COMPARE(finished.count(), 1);
        QCOMPARE(downloadsFolder(), QStringList({saved}));
        QCOMPARE(QFileInfo(finished.first().at(1).toString()).absolutePath() + "/", m_downloads);
        QVERIFY(!QFile::exists(QDir::homePath() + "/escape"));
    }

    // The running version is the latest: the finish box says so. An appcast
    // that cannot be read never claims that.
    void latestOrUnreadableAppcast()
    {
        check("2.6.1");
        QCOMPARE(m_dialogs->calls.size(), 1);
        QCOMPARE(m_dialogs->calls[0].kind, QString("information"));
        QVERIFY(m_dialogs->calls[0].text.contains("Congratulations"));

        m_dialogs->calls.clear();
        m_server->route("/updates.json", "<html>not json</html>");
        check("2.6.0");
        m_server->route("/updates.json", "gone", "text/plain", 404);
        check("2.6.0");
        QCOMPARE(m_dialogs->calls.size(), 2);
        for (const ScriptedDialogs::Call &call : m_dialogs->calls) {
            QCOMPARE(call.kind, QString("warning"));
            QVERIFY(!call.text.contains("Congratulations"));
        }
        QVERIFY(downloadsFolder().isEmpty());
    }

    // An appcast from a peer whose certificate does not verify is not read.
    void untrustedAppcastIsRefused()
    {
        if (!QSslSocket::supportsSsl())
            QSKIP("no TLS support");
        UntrustedTlsServer tls(exampleFile("updates.json"));
        QVERIFY(tls.listenLocal());
        Updater *updater = check("2.6.0", tls.url("/updates.json"));
        QVERIFY(!updater->updateAvailable());
        QCOMPARE(m_dialogs->calls.size(), 1);
        QCOMPARE(m_dialogs->calls[0].kind, QString("warning"));
        QVERIFY(!updater->downloader()->isVisible());
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

QUILLON_TEST_MAIN(TestUpdater)
#include "tst_updater.moc"
