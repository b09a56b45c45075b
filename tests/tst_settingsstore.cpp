#include "support/testmain.h"

#include "base/settingsstore.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QTextCodec>

using namespace SettingsStore;

class TestSettingsStore : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_path;

    void writeRaw(const QByteArray &content)
    {
        QFile f(m_path);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(content);
        // QSettings keeps a parsed copy of files it has read and re-reads one
        // only when its size or time changed; give every write its own time.
        f.flush();
        f.setFileTime(
            QDateTime::currentDateTime().addSecs(++m_writes), QFileDevice::FileModificationTime);
    }
    int m_writes = 0;

private slots:
    void init()
    {
        m_path = m_dir.filePath(QStringLiteral("setting.ini"));
        QFile::remove(m_path);
    }

    void missingFileGivesDefaultsAndIsNotCreated()
    {
        const GeneralSettings g = loadGeneral(m_path);
        QCOMPARE(g.redownloadswitch, 0);
        QCOMPARE(g.loadhistoryswitch, 1);
        QCOMPARE(g.autodeletefileswitch, 0);
        QCOMPARE(g.topnum, 10);
        QCOMPARE(g.processnum, 3);
        QCOMPARE(g.anaprocessnum, 1);
        QCOMPARE(g.folderoption, 1);
        QCOMPARE(loadLanguage(m_path), 1);
        QVERIFY(!loadOneKey(m_path).onekey);
        QVERIFY(!QFile::exists(m_path)); // loading never writes
    }

    void generalRule_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QList<int>>("expected"); // redl, history, autodel, top, proc, ana, folder

        QTest::newRow("processnum alone: all defaults")
            << QByteArray("[setting]\nprocessnum=5\n") << QList<int> {0, 1, 0, 10, 3, 1, 1};
        QTest::newRow("topnum 15 alone: rest zero or corrected")
            << QByteArray("[setting]\ntopnum=15\n") << QList<int> {0, 0, 0, 15, 3, 1, 0};
        QTest::newRow("saved before, zero counts corrected")
            << QByteArray("[setting]\ntopnum=5\nprocessnum=0\nanaprocessnum=0\nfolderoption=0\n")
            << QList<int> {0, 0, 0, 5, 3, 1, 0};
        QTest::newRow("out of range kept as read") << QByteArray(
            "[setting]\ntopnum=10\nprocessnum=12\nanaprocessnum=7\nredownloadswitch=1\n")
                                                   << QList<int> {1, 0, 0, 10, 12, 7, 0};
        QTest::newRow("topnum not a number means never saved")
            << QByteArray("[setting]\ntopnum=abc\nprocessnum=9\nloadhistoryswitch=0\n")
            << QList<int> {0, 1, 0, 10, 3, 1, 1};
    }

    void generalRule()
    {
        QFETCH(QByteArray, ini);
        QFETCH(QList<int>, expected);
        writeRaw(ini);
        const GeneralSettings g = loadGeneral(m_path);
        const QList<int> got {g.redownloadswitch, g.loadhistoryswitch, g.autodeletefileswitch,
            g.topnum, g.processnum, g.anaprocessnum, g.folderoption};
        QCOMPARE(got, expected);
    }

    void generalSaveWritesDecimalTextAndReloads()
    {
        GeneralSettings g;
        g.redownloadswitch = 1;
        g.loadhistoryswitch = 0;
        g.topnum = 15;
        g.processnum = 9;
        g.anaprocessnum = 2;
        g.folderoption = 0;
        saveGeneral(m_path, g);

        QFile f(m_path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray text = f.readAll();
        QVERIFY(text.contains("[setting]"));
        QVERIFY(text.contains("topnum=15"));
        QVERIFY(text.contains("processnum=9"));

        const GeneralSettings back = loadGeneral(m_path);
        QCOMPARE(back.redownloadswitch, 1);
        QCOMPARE(back.loadhistoryswitch, 0);
        QCOMPARE(back.topnum, 15);
        QCOMPARE(back.processnum, 9);
        QCOMPARE(back.anaprocessnum, 2);
        QCOMPARE(back.folderoption, 0);
    }

    void languageSwitch_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<int>("expected");
        QTest::newRow("zero is English") << QByteArray("[setting]\nlanguageswitch=0\n") << 0;
        QTest::newRow("seven is Chinese") << QByteArray("[setting]\nlanguageswitch=7\n") << 1;
        QTest::newRow("missing is Chinese") << QByteArray("[setting]\ntopnum=5\n") << 1;
        QTest::newRow("garbage reads as zero") << QByteArray("[setting]\nlanguageswitch=x\n") << 0;
    }

    void languageSwitch()
    {
        QFETCH(QByteArray, ini);
        QFETCH(int, expected);
        writeRaw(ini);
        QCOMPARE(loadLanguage(m_path), expected);
    }

    void languageSaveSurvives()
    {
        saveLanguage(m_path, 0);
        QCOMPARE(loadLanguage(m_path), 0);
        saveLanguage(m_path, 1);
        QCOMPARE(loadLanguage(m_path), 1);
    }

    void slashAndNoSlashNameTheSameKey()
    {
        open(m_path)->setValue(QStringLiteral("setting/videoquality"), 7);
        QCOMPARE(readInt(m_path, QStringLiteral("/setting/videoquality")), 7);
        open(m_path)->setValue(QStringLiteral("/setting/videoquality"), 4);
        QCOMPARE(readInt(m_path, QStringLiteral("setting/videoquality")), 4);
        QCOMPARE(open(m_path)->allKeys().count(QStringLiteral("setting/videoquality")), 1);
    }

    void oneKeyRoundTripKeepsAnyFolderName_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::newRow("chinese") << QStringLiteral("D:/视频/下载");
        QTest::newRow("korean") << QStringLiteral("/home/u/동영상");
        QTest::newRow("emoji") << QStringLiteral("/home/u/clips 🎬🎵");
        QTest::newRow("mixed scripts") << QStringLiteral("/tmp/Ærø ÿ ĳ Ωμέγα русский العربية");
    }

    void oneKeyRoundTripKeepsAnyFolderName()
    {
        QFETCH(QString, folder);
        OneKeySettings v;
        v.onekey = true;
        v.videoquality = 5;
        v.videotype = 3; // always stored as 0
        v.videosudu = 2;
        v.videolocation = folder;
        v.videozimu = 1;
        v.videozimulang = 4;
        v.videothumbnail = true;
        saveOneKey(m_path, v);

        const OneKeySettings back = loadOneKey(m_path);
        QCOMPARE(back.videolocation, folder);
        QVERIFY(back.onekey);
        QCOMPARE(back.videoquality, 5);
        QCOMPARE(back.videotype, 0);
        QCOMPARE(back.videosudu, 2);
        QCOMPARE(back.videozimu, 1);
        QCOMPARE(back.videozimulang, 4);
        QVERIFY(back.videothumbnail);
    }

    void readsFilesWrittenInGb2312()
    {
        // Files from earlier versions were written as GB2312.
        const QString folder = QStringLiteral("D:/我的视频");
        QTextCodec *gb2312 = QTextCodec::codecForName("GB2312");
        QVERIFY(gb2312);
        writeRaw("[setting]\nvideolocation=" + gb2312->fromUnicode(folder) + "\n");
        QCOMPARE(loadOneKey(m_path).videolocation, folder);
    }

    void noticeAndDetectedProxy()
    {
        saveNotice(m_path, QStringLiteral("notice-2026-12"));
        QCOMPARE(loadNotice(m_path), QStringLiteral("notice-2026-12"));
        saveDetectedProxy(m_path, QStringLiteral("127.0.0.1"), 1080, true);
        const StoredProxy p = loadProxy(m_path);
        QCOMPARE(p.customer, 3);
        QCOMPARE(p.port, QStringLiteral("1080"));
        QCOMPARE(p.type, QStringLiteral("SOCKS5"));
    }
};

QUILLON_TEST_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
