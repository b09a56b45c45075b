#include "support/testmain.h"

#include "app/settingscontroller.h"
#include "base/global.h"

#include <QTemporaryDir>
#include <QTextCodec>

// The settings rules on real files, through the controller the window uses.
class TestSettingsStore : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_path;
    int m_files = 0;

    void writeRaw(const QByteArray &content)
    {
        QFile f(m_path);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(content) == content.size());
    }

    static QList<int> values(const SettingsStore::GeneralSettings &g)
    {
        return {g.redownloadswitch, g.loadhistoryswitch, g.autodeletefileswitch, g.topnum,
            g.processnum, g.anaprocessnum, g.folderoption};
    }

private slots:
    // A new file each time: QSettings keeps what it read of a file.
    void init() { m_path = m_dir.filePath(QString("setting%1.ini").arg(++m_files)); }

    // General: redownload, history, autodelete, topnum, processnum,
    // anaprocessnum, folder. The language is Chinese unless 0 is stored.
    void loadingRules_data()
    {
        QTest::addColumn<QByteArray>("ini"); // empty: no file at all
        QTest::addColumn<QList<int>>("general");
        QTest::addColumn<bool>("chinese");
        const QList<int> defaults {0, 1, 0, 10, 3, 1, 1};
        QTest::newRow("no file") << QByteArray() << defaults << true;
        QTest::newRow("topnum never saved")
            << QByteArray("[setting]\nprocessnum=5\nlanguageswitch=0\n") << defaults << false;
        QTest::newRow("topnum not a number")
            << QByteArray("[setting]\ntopnum=abc\nlanguageswitch=7\n") << defaults << true;
        QTest::newRow("saved, rest missing")
            << QByteArray("[setting]\ntopnum=15\n") << QList<int> {0, 0, 0, 15, 3, 1, 0} << true;
        QTest::newRow("zero counts take defaults")
            << QByteArray("[setting]\ntopnum=5\nprocessnum=0\nanaprocessnum=0\nfolderoption=0\n")
            << QList<int> {0, 0, 0, 5, 3, 1, 0} << true;
        QTest::newRow("out of range held to the page's")
            << QByteArray("[setting]\ntopnum=99999\nprocessnum=2147483647\nanaprocessnum=-4\n")
            << QList<int> {0, 0, 0, 15, 9, 1, 0} << true;
    }

    void loadingRules()
    {
        QFETCH(QByteArray, ini);
        QFETCH(QList<int>, general);
        QFETCH(bool, chinese);
        if (!ini.isEmpty())
            writeRaw(ini);
        SettingsController settings(m_path);
        QCOMPARE(values(settings.general()), general);
        QCOMPARE(settings.chineseUi(), chinese);
        QCOMPARE(QFile::exists(m_path), !ini.isEmpty()); // loading never writes
    }

    void savedValuesAreAnnouncedAndSurvive()
    {
        SettingsController settings(m_path);
        QList<QList<int>> announced;
        connect(&settings, &SettingsController::generalChanged,
            [&](const SettingsStore::GeneralSettings &g) { announced << values(g); });
        const SettingsStore::GeneralSettings g {1, 0, 1, 15, 9, 2, 0};
        settings.saveGeneral(g);
        settings.setChineseUi(false);
        settings.saveNotice(QStringLiteral("notice-2026-12"));
        QCOMPARE(announced, QList<QList<int>> {values(g)});

        SettingsController again(m_path);
        QCOMPARE(values(again.general()), values(g));
        QVERIFY(!again.chineseUi());
        QCOMPARE(again.notice(), QStringLiteral("notice-2026-12"));
    }

    // Folder names in any script survive, files of earlier versions were
    // GB2312, and stored one-key choices count only once a location exists.
    void oneKey_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<bool>("gb2312File");
        QTest::newRow("chinese") << QStringLiteral("D:/视频/下载") << false;
        QTest::newRow("korean and emoji") << QStringLiteral("/home/u/동영상 🎬") << false;
        QTest::newRow("mixed") << QStringLiteral("/tmp/Ærø Ωμέγα русский العربية") << false;
        QTest::newRow("earlier version") << QStringLiteral("D:/我的视频") << true;
        QTest::newRow("no location") << QString() << false;
    }

    void oneKey()
    {
        QFETCH(QString, folder);
        QFETCH(bool, gb2312File);
        SettingsController settings(m_path);
        const SettingsStore::OneKeySettings v {true, 0, 0, 0, folder};
        if (gb2312File)
            writeRaw("[setting]\nonekeyswitch=1\nvideolocation="
                + QTextCodec::codecForName("GB2312")->fromUnicode(folder) + "\n");
        else
            settings.saveOneKey(v);
        QCOMPARE(SettingsStore::loadOneKey(m_path).videolocation, folder);
        Global::ONEKEY = false;
        QCOMPARE(settings.applyStoredOneKey(), !folder.isEmpty());
        QCOMPARE(Global::ONEKEY, !folder.isEmpty());
    }
};

QUILLON_TEST_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
