#include "support/testmain.h"

#include "base/global.h"
#include "base/settingscontroller.h"

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

    // A new file each time: QSettings keeps what it read of a file.
    void newFile() { m_path = m_dir.filePath(QString("setting%1.ini").arg(++m_files)); }

private slots:
    void init() { newFile(); }

    // General: redownload, history, autodelete, topnum, processnum,
    // anaprocessnum, folder, notify. The language is Chinese unless 0 is
    // stored. Notices stay on unless turned off, also in files of earlier
    // versions, and turning them off counts before anything else was saved.
    void loadingRules()
    {
        const QList<int> defaults {0, 1, 0, 10, 3, 1, 1, 1};
        // clang-format off
        const struct { QByteArray ini; QList<int> general; bool chinese; } cases[] = {
            {"", defaults, true}, // no file at all
            {"[setting]\nprocessnum=5\nlanguageswitch=0\n", defaults, false}, // topnum never saved
            {"[setting]\ntopnum=abc\nlanguageswitch=7\n", defaults, true}, // topnum not a number
            {"[setting]\ntopnum=15\n", {0, 0, 0, 15, 3, 1, 0, 1}, true}, // saved, rest missing
            {"[setting]\ntopnum=5\nprocessnum=0\nanaprocessnum=0\nfolderoption=0\nnotifyswitch=2\n", {0, 0, 0, 5, 3, 1, 0, 1}, true},
            {"[setting]\ntopnum=99999\nprocessnum=2147483647\nanaprocessnum=-4\nnotifyswitch=0\n", {0, 0, 0, 15, 9, 1, 0, 0}, true},
            {"[setting]\nnotifyswitch=0\n", {0, 1, 0, 10, 3, 1, 1, 0}, true}};
        // clang-format on
        for (const auto &c : cases) {
            newFile();
            if (!c.ini.isEmpty())
                writeRaw(c.ini);
            SettingsController settings(m_path);
            const SettingsStore::GeneralSettings g = settings.general();
            QCOMPARE(QList<int>({g.redownloadswitch, g.loadhistoryswitch, g.autodeletefileswitch,
                         g.topnum, g.processnum, g.anaprocessnum, g.folderoption, g.notifyswitch}),
                c.general);
            QCOMPARE(settings.chineseUi(), c.chinese);
            QCOMPARE(QFile::exists(m_path), !c.ini.isEmpty()); // loading never writes
        }
    }

    // A notice once read stays read after a restart (the window's save path
    // and restart are covered in tst_mainwindowshell).
    void readNoticeSurvives()
    {
        SettingsController(m_path).saveNotice(QStringLiteral("notice-2026-12"));
        QCOMPARE(SettingsController(m_path).notice(), QStringLiteral("notice-2026-12"));
    }

    // Folder names in any script survive, files of earlier versions were
    // GB2312, and stored one-key choices count only once a location exists.
    void oneKey()
    {
        // clang-format off
        const struct { QString folder; bool gb2312File; } cases[] = {
            {QStringLiteral("/tmp/视频 동영상 🎬 Ærø Ωμέγα русский العربية"), false},
            {QStringLiteral("D:/我的视频"), true}, // written by an earlier version
            {QString(), false}}; // no location
        // clang-format on
        for (const auto &c : cases) {
            newFile();
            SettingsController settings(m_path);
            if (c.gb2312File)
                writeRaw("[setting]\nonekeyswitch=1\nvideolocation="
                    + QTextCodec::codecForName("GB2312")->fromUnicode(c.folder) + "\n");
            else
                settings.saveOneKey({true, 0, 0, 0, c.folder});
            QCOMPARE(SettingsStore::loadOneKey(m_path).videolocation, c.folder);
            const auto inEffect = settings.oneKeyInEffect();
            QCOMPARE(inEffect.has_value(), !c.folder.isEmpty());
            QVERIFY(!inEffect || (inEffect->onekey && inEffect->videolocation == c.folder));
        }
    }
};

QUILLON_TEST_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
