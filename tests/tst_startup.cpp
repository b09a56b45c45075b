#include "support/testmain.h"

#include "base/global.h"
#include "base/settingsstore.h"
#include "downloads/downloadengine.h"
#include "downloads/myqprocess.h"
#include "extractor/toolprocess.h"
#include "tasks/sqlitedbaoperator.h"
#include "ui/mainwindow.h"

#include <QLabel>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QStackedWidget>
#include <QStandardPaths>

class TestStartup : public QObject
{
    Q_OBJECT

    QString dataDir() const
    {
        return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + '/';
    }

private slots:
    void firstStartPreparesEverything()
    {
        // Leftovers of an earlier run in the cookies folder, nested.
        const QString cookies = dataDir() + "cookies/";
        QDir().mkpath(cookies + "site/deeper");
        QFile f(cookies + "site/deeper/cookie.txt");
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("secret");
        f.close();
        QFile top(cookies + ".hidden");
        QVERIFY(top.open(QIODevice::WriteOnly));
        top.close();

        QVERIFY(Global::DOWNLOAD_DIR.startsWith(QDir::homePath()));
        QVERIFY(!QDir(Global::DOWNLOAD_DIR).exists());

        MainWindow w;
        QCOMPARE(w.appDataDir, dataDir());
        QCOMPARE(w.cookiesDir, cookies);
        QCOMPARE(w.settingsPath, dataDir() + "setting.ini");
        QVERIFY(QDir(cookies).exists());
        QVERIFY(QDir(cookies).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
        QVERIFY(QDir(Global::DOWNLOAD_DIR).exists());

        QVERIFY(QFile::exists(dataDir() + "MACAddrs.db"));
        QVERIFY(QSqlDatabase::database().tables().contains("student1"));
        QVERIFY(!QFile::exists(w.settingsPath)); // nothing is written just by starting

        // General settings came from the defaults.
        QCOMPARE(w.topnum, 10);
        QCOMPARE(w.processnum, 3);
        QCOMPARE(w.anaprocessnum, 1);
        QCOMPARE(w.loadhistoryswitch, 1);
        QCOMPARE(w.folderoption, 1);
        QCOMPARE(w.availabe_anakey, 3);
        QCOMPARE(w.languageSwitch, 1);

        // Eleven idle slots with merged output.
        QCOMPARE(w.downloadEngine->processList.size(), 11);
        for (MyQProcess *p : qAsConst(w.downloadEngine->processList)) {
            QCOMPARE(p->processChannelMode(), QProcess::MergedChannels);
            QVERIFY(!p->isOpen());
        }

        // The window: frameless, design size, download page with the intro panel.
        QVERIFY(w.windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(w.testAttribute(Qt::WA_TranslucentBackground));
        QCOMPARE(w.size(), QSize(997, 657));
        QCOMPARE(w.findChild<QStackedWidget *>("stackedWidget")->currentIndex(), 0);
        QCOMPARE(w.findChild<QStackedWidget *>("stackedWidget_2")->currentIndex(), 0);
        QVERIFY(w.findChild<QRadioButton *>("radioButton")->isChecked());
        QCOMPARE(w.findChild<QLabel *>("label_version")->text(), QString("Version: 2.6.1"));
        QCOMPARE(w.findChild<QLabel *>("label_check")->text(),
            QString("Testing proxy status,please confirm that the agent is open."));
        QVERIFY(w.m_pixmapTimer.isActive());
        QCOMPARE(w.m_pixmapTimer.interval(), 400);
        QVERIFY(w.m_keepaliveTimer.isActive());
        QCOMPARE(w.m_keepaliveTimer.interval(), 20000);
    }

    void restartReadsStoredSettings()
    {
        SettingsStore::GeneralSettings g;
        g.topnum = 15;
        g.processnum = 5;
        g.anaprocessnum = 2;
        g.folderoption = 0;
        SettingsStore::saveGeneral(dataDir() + "setting.ini", g);
        SettingsStore::saveLanguage(dataDir() + "setting.ini", 0);

        MainWindow w;
        QCOMPARE(w.topnum, 15);
        QCOMPARE(w.processnum, 5);
        QCOMPARE(w.availabe_anakey, 5);
        QCOMPARE(w.anaprocessnum, 2);
        QCOMPARE(w.folderoption, 0);
        QCOMPARE(w.languageSwitch, 0);
    }

    void slotWithoutExtractorComesFreeAgain()
    {
        MainWindow w;
        const QString oldCwd = QDir::currentPath();
        const QByteArray oldPath = qgetenv("PATH");
        QDir::setCurrent(QDir::homePath());
        qputenv("PATH", QDir::homePath().toUtf8());

        MyQProcess *p0 = w.downloadEngine->processList[0];
        MyQProcess *p2 = w.downloadEngine->processList[2];
        QSignalSpy analysisEnded(p0, SIGNAL(finished(int, QProcess::ExitStatus)));
        QSignalSpy downloadEnded(p2, SIGNAL(finished(int, QProcess::ExitStatus)));
        ToolProcess::startExtractor(p0, "tool.exe -j https://v.example/watch?v=1");
        ToolProcess::startExtractor(
            p2, "tool.exe --no-cache-dir -i --newline https://v.example/watch?v=1");
        const bool ended
            = analysisEnded.wait(5000) && (downloadEnded.count() || downloadEnded.wait(5000));

        qputenv("PATH", oldPath);
        QDir::setCurrent(oldCwd);
        QVERIFY(ended);
        QTRY_VERIFY(!p0->isOpen());
        QTRY_VERIFY(!p2->isOpen());
    }
};

QUILLON_TEST_MAIN(TestStartup)
#include "tst_startup.moc"
