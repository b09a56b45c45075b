#include "support/testmain.h"

#include "app/global.h"
#include "extractor/commands.h"
#include "extractor/downloadcommand.h"
#include "extractor/toolprocess.h"
#include "tasks/iteminfo.h"

#include <QTemporaryDir>

Q_DECLARE_METATYPE(QList<FormatInfo>)

namespace {

FormatInfo format(const QString &id, const QString &ext, int width, int height,
                  const QString &acodec = QStringLiteral("mp4a"))
{
    FormatInfo f;
    f.format_id = id;
    f.ext = ext;
    f.width = width;
    f.height = height;
    f.acodec = acodec;
    return f;
}

// The command split as the start function splits it, program first.
QStringList split(const QString &command)
{
    const ToolProcess::CommandLine line = ToolProcess::splitCommandLine(command);
    return QStringList{line.program} + line.arguments;
}

struct ProxyScope
{
    ProxyScope(const QString &host, int port, bool socks5)
    {
        Global::PROXY_HOST = host;
        Global::PROXY_PORT = port;
        Global::PROXY_IS_SOCKS5 = socks5;
    }
    ~ProxyScope()
    {
        Global::PROXY_HOST.clear();
        Global::PROXY_PORT = -1;
        Global::PROXY_IS_SOCKS5 = false;
    }
};

} // namespace

class TestDownloadCommand : public QObject
{
    Q_OBJECT

    QTemporaryDir m_tmp;
    QString m_oldCwd;

private slots:
    void initTestCase()
    {
        QVERIFY(m_tmp.isValid());
        // The worked example saves to "D:/Videos", a relative path here.
        m_oldCwd = QDir::currentPath();
        QDir::setCurrent(m_tmp.path());
    }

    void cleanupTestCase() { QDir::setCurrent(m_oldCwd); }

    void workedExample()
    {
        ItemInfo task;
        task.quality_num = 5;
        task.formats = {format("140", "m4a", -1, -1), format("134", "mp4", 640, 360),
                        format("136", "mp4", 1280, 720), format("137", "mp4", 1920, 1080, "none"),
                        format("248", "webm", 1920, 1080)};
        task.bestaudio_id = "140";
        task.limitRate = "512K";
        task.zhuanhuan = "mkv";
        task.zimu = subtitleModeOption(0) + subtitleLanguageOption(0);
        task.path = "D:/Videos";
        task.uploader = "ChannelA";
        task.title = "A: B?";
        task.namePrefix = "20200131";
        task.url = "https://v.example/watch?v=1";

        composeDownloadCommand(&task, 0);

        QCOMPARE(task.quality, QString(" -f 137+140 "));
        QCOMPARE(task.renametitle, QString("20200131A__B_"));
        QCOMPARE(task.folder, QString("D:/Videos//ChannelA"));
        QCOMPARE(task.targetPath, QString("D:/Videos//ChannelA//20200131A__B_.mp4"));
        QCOMPARE(task.renametargetPath, QString("D:/Videos//ChannelA//20200131A__B_.mkv"));
        QCOMPARE(task.cmd,
                 QString("tool.exe --no-cache-dir  --write-sub --write-auto-sub  --sub-lang en,en-GB "
                         " -i --newline  -f 137+140  https://v.example/watch?v=1 -o "
                         "\"D:/Videos//ChannelA//20200131A__B_.mp4\" -r 512K  --recode-video mkv "));
        QVERIFY(QFileInfo(m_tmp.filePath("D:/Videos/ChannelA")).isDir());
    }

    void qualitySelection_data()
    {
        QTest::addColumn<int>("quality");
        QTest::addColumn<QList<FormatInfo>>("formats");
        QTest::addColumn<QString>("bestaudio");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("expected");

        const QList<FormatInfo> wide{format("w4k", "mp4", 3840, 2160), format("w8k", "mp4", 7680, 4320)};
        QTest::newRow("4K excludes 7680") << 3 << wide << "140" << "" << " -f w4k ";
        QTest::newRow("8K takes 7680") << 2 << wide << "140" << "" << " -f w8k ";
        QTest::newRow("2K range")
            << 4 << QList<FormatInfo>{format("a", "mp4", 2560, 1440), format("b", "mp4", 3839, 2000)}
            << "" << "" << " -f b ";

        const QList<FormatInfo> tall{format("h1080", "mp4", 1920, 1080, "none"),
                                     format("h1081", "mp4", 1920, 1081, "none"),
                                     format("h720", "mp4", 1280, 720)};
        QTest::newRow("1080 matches, 1081 not") << 5 << tall << "140" << "" << " -f h1080+140 ";
        QTest::newRow("720 is the 720P choice") << 6 << tall << "140" << "" << " -f h720 ";
        QTest::newRow("webm when no mp4 fits")
            << 6 << QList<FormatInfo>{format("h1080", "mp4", 1920, 1080), format("v720", "webm", 1280, 720, "none")}
            << "251" << "" << " -f v720+251 ";
        QTest::newRow("mp4 wins over webm")
            << 8 << QList<FormatInfo>{format("w", "webm", 640, 360), format("m", "mp4", 640, 360)} << "" << ""
            << " -f m ";
        QTest::newRow("last match wins")
            << 8 << QList<FormatInfo>{format("a", "mp4", 640, 360), format("b", "mp4", 480, 300)} << "" << ""
            << " -f b ";
        QTest::newRow("144 range") << 10 << QList<FormatInfo>{format("t", "mp4", 256, 144)} << "" << "" << " -f t ";
        QTest::newRow("height 0 is no 144P") << 10 << QList<FormatInfo>{format("z", "mp4", 0, 0)} << "" << ""
                                             << " -f mp4 ";
        QTest::newRow("nothing in range") << 7 << tall << "140" << "" << " -f mp4 ";
        QTest::newRow("second analysis keeps the first selector")
            << 7 << tall << "140" << " -f 135+140 " << " -f 135+140 ";
        QTest::newRow("video only without best audio")
            << 5 << tall << "" << "" << " -f h1080+ ";
        QTest::newRow("original") << 0 << tall << "140" << "x" << " -f mp4 ";
        QTest::newRow("best") << 1 << tall << "140" << "x" << " -f bestvideo+bestaudio ";
        QTest::newRow("only audio") << 11 << tall << "140" << "x" << " -f 140";
        QTest::newRow("only audio without m4a") << 11 << tall << "" << "x" << " -f ";
        QTest::newRow("skip") << 12 << tall << "140" << "x" << " --skip-download ";
        QTest::newRow("unknown index keeps") << 13 << tall << "140" << "kept" << "kept";
        QTest::newRow("negative index keeps") << -1 << tall << "140" << "kept" << "kept";

        // Format ids come from the site: one that would split or become an
        // option is never chosen.
        QTest::newRow("unsafe ids are passed over")
            << 8
            << QList<FormatInfo>{format("good", "mp4", 640, 360), format("1\" --exec \"x", "mp4", 640, 360),
                                 format("--exec=x", "mp4", 640, 360), format("a b", "mp4", 640, 360)}
            << "" << "" << " -f good ";
        QTest::newRow("unsafe best audio is no best audio")
            << 11 << tall << "140 --exec x" << "" << " -f ";
    }

    void qualitySelection()
    {
        QFETCH(int, quality);
        QFETCH(QList<FormatInfo>, formats);
        QFETCH(QString, bestaudio);
        QFETCH(QString, before);
        QFETCH(QString, expected);
        QCOMPARE(selectQuality(quality, formats, bestaudio, before), expected);
    }

    void optionsAndPaths()
    {
        QCOMPARE(rateOption(""), QString());
        QCOMPARE(rateOption("1M"), QString(" -r 1M "));
        QCOMPARE(conversionOption(""), QString());
        QCOMPARE(conversionOption("mp3"), QString(" -x --audio-format mp3 "));
        QCOMPARE(conversionOption("mkv"), QString(" --recode-video mkv "));

        ItemInfo mp3;
        mp3.quality_num = 0;
        mp3.zhuanhuan = "mp3";
        mp3.path = m_tmp.filePath("conv");
        mp3.title = "t";
        composeDownloadCommand(&mp3, 0);
        QVERIFY(mp3.targetPath.endsWith("//t.mp4"));
        QVERIFY(mp3.renametargetPath.endsWith("//t.mp3"));
        QVERIFY(mp3.cmd.endsWith(" -x --audio-format mp3 "));

        ItemInfo audio;
        audio.quality_num = 11;
        audio.bestaudio_id = "140";
        audio.path = m_tmp.filePath("audio");
        audio.uploader = "U";
        audio.title = "t";
        composeDownloadCommand(&audio, 1);
        QCOMPARE(audio.folder, m_tmp.filePath("audio") + "//U//t");
        QCOMPARE(audio.targetPath, audio.folder + "//t.m4a");
        QCOMPARE(audio.renametargetPath, audio.targetPath);
        QVERIFY(QFileInfo(m_tmp.filePath("audio/U/t")).isDir());

        // No uploader: the files go straight into the chosen folder.
        ItemInfo anonymous;
        anonymous.path = m_tmp.filePath("anon");
        anonymous.title = "x";
        QCOMPARE(outputFolder(&anonymous, 0), m_tmp.filePath("anon") + "//");
        QCOMPARE(anonymous.folder, m_tmp.filePath("anon") + "//");
    }

    void titles_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QString>("expected");

        QTest::newRow("plain") << "Hello" << "20200131" << "20200131Hello";
        QTest::newRow("all thirteen") << " &|#?/\\\"<>*:%" << "" << "_____________";
        QTest::newRow("slash and colon") << "a/b:c" << "20200131" << "20200131a_b_c";
        QTest::newRow("no date") << "x" << "" << "x";
        QTest::newRow("no title") << "" << "20200131" << "20200131";
        const QString hundred = QString("abcdefghij").repeated(10);
        QTest::newRow("100 characters") << hundred << "20200131" << "20200131" + hundred.left(72);
        // 79 ASCII characters and then a character outside the basic plane:
        // cutting at 80 would keep half of it.
        QTest::newRow("no half characters")
            << QString("a").repeated(71) + QString::fromUtf8("😀😀") << "20200131"
            << "20200131" + QString("a").repeated(71);
    }

    void titles()
    {
        QFETCH(QString, title);
        QFETCH(QString, prefix);
        QFETCH(QString, expected);
        QCOMPARE(sanitizeTitle(title, prefix), expected);
        QVERIFY(sanitizeTitle(title, prefix).size() <= 80);
    }

    void uploaderNamesStayOneFolder_data()
    {
        QTest::addColumn<QString>("uploader");
        QTest::addColumn<QString>("folderName");
        QTest::newRow("parent path") << "../../x" << ".._.._x";
        QTest::newRow("slash") << "a/b" << "a_b";
        QTest::newRow("drive") << "C:\\x" << "C__x";
        QTest::newRow("template") << "%(id)s" << "_(id)s";
        QTest::newRow("dot") << "." << "_";
        QTest::newRow("dot dot") << ".." << "__";
        QTest::newRow("dots") << "..." << "___";
        QTest::newRow("dots inside") << "a..b" << "a..b";
        QTest::newRow("empty") << "" << "";
    }

    void uploaderNamesStayOneFolder()
    {
        QFETCH(QString, uploader);
        QFETCH(QString, folderName);
        QCOMPARE(sanitizeFolderName(uploader), folderName);

        const QString chosen = m_tmp.filePath("chosen");
        ItemInfo task;
        task.path = chosen;
        task.uploader = uploader;
        task.title = "..";
        for (int option : {0, 1}) {
            composeDownloadCommand(&task, option);
            const QString cleanChosen = QDir::cleanPath(chosen);
            const QString cleanFolder = QDir::cleanPath(task.folder);
            QVERIFY2(cleanFolder == cleanChosen || cleanFolder.startsWith(cleanChosen + "/"),
                     qPrintable(task.folder));
            QCOMPARE(QDir::cleanPath(QFileInfo(task.targetPath).absolutePath()), cleanFolder);
            if (!folderName.isEmpty())
                QCOMPARE(cleanFolder.mid(cleanChosen.size() + 1).section('/', 0, 0), folderName);
        }
    }

    void outputTemplateEscapes()
    {
        QCOMPARE(outputTemplateArgument("/home/u/100% real/a.mp4"), QString("/home/u/100%% real/a.mp4"));
        QCOMPARE(outputTemplateArgument("/d/$HOME/${PWD}.mp4"),
                 QString("/d/%(quillon_dollar|$)sHOME/%(quillon_dollar|$)s{PWD}.mp4"));

        ItemInfo task;
        task.path = m_tmp.filePath("50% off");
        task.uploader = "U";
        task.title = "t";
        task.url = "https://v.example/1";
        composeDownloadCommand(&task, 0);
        // The stored paths keep the plain text; only the argument is escaped.
        QCOMPARE(task.targetPath, m_tmp.filePath("50% off") + "//U//t.mp4");
        const QStringList args = split(task.cmd);
        const int o = args.indexOf("-o");
        QVERIFY(o > 0);
        QCOMPARE(args.at(o + 1), m_tmp.filePath("50%% off") + "//U//t.mp4");
    }

    void safeLinks_data()
    {
        QTest::addColumn<QString>("link");
        QTest::addColumn<QString>("safe");
        QTest::newRow("plain") << "https://v.example/watch?v=1&list=2" << "https://v.example/watch?v=1&list=2";
        QTest::newRow("http") << "http://v.example/a" << "http://v.example/a";
        QTest::newRow("surrounding blanks") << "  https://v.example/a\n" << "https://v.example/a";
        QTest::newRow("option after blank")
            << "http://x --exec \"touch /tmp/pwned\"" << "http://x%20--exec%20%22touch%20/tmp/pwned%22";
        QTest::newRow("tab and newline") << "http://x\t-a\nb" << "http://x%09-a%0Ab";
        QTest::newRow("non-ascii blank") << QString::fromUtf8("http://x\u3000y") << "http://x%E3%80%80y";
        QTest::newRow("non-ascii kept") << QString::fromUtf8("https://v.example/東京") << QString::fromUtf8("https://v.example/東京");
        QTest::newRow("short option") << "-abc" << "";
        QTest::newRow("long option") << "--config-location=x" << "";
        QTest::newRow("file") << "file:///etc/passwd" << "";
        QTest::newRow("no scheme") << "v.example/a" << "";
        QTest::newRow("ftp") << "ftp://v.example/a" << "";
        QTest::newRow("empty") << "" << "";
    }

    void safeLinks()
    {
        QFETCH(QString, link);
        QFETCH(QString, safe);
        QCOMPARE(safeLink(link), safe);
    }

    void linksNeverBecomeOptions_data()
    {
        QTest::addColumn<QString>("link");
        QTest::newRow("exec") << "http://x --exec \"touch /tmp/pwned\"";
        QTest::newRow("quote games") << "https://x/\"a b\" -o \"/tmp/evil";
        QTest::newRow("short option") << "-abc";
        QTest::newRow("config") << "--config-location=x";
        QTest::newRow("file") << "file:///etc/passwd";
        QTest::newRow("blank then option") << " --exec x";
    }

    void linksNeverBecomeOptions()
    {
        QFETCH(QString, link);
        const QString safe = safeLink(link);
        ProxyScope proxy("10.0.0.1", 8080, false);

        ItemInfo task;
        task.path = m_tmp.filePath("links");
        task.title = "t";
        task.url = link;
        composeDownloadCommand(&task, 0);
        const QStringList commands{singleVideoCommand(link), flatListCommand(link), titleCommand(link),
                                   task.cmd + downloadRunSuffix(),
                                   "tool.exe -j " + safe + analysisRunSuffix()};
        const QStringList ours{"-j", "--flat-playlist", "--get-title", "--socket-timeout", "-R", "--proxy",
                               "--no-cache-dir", "-i", "--newline", "-f", "-o", "--convert-subs"};
        for (const QString &command : commands) {
            const QStringList args = split(command);
            QCOMPARE(args.first(), QString("tool.exe"));
            for (int i = 1; i < args.size(); ++i) {
                const QString &a = args.at(i);
                // Every option is one the program wrote itself; no argument
                // holds a piece of the link other than the whole safe link.
                if (a.startsWith('-'))
                    QVERIFY2(ours.contains(a), qPrintable(command));
                const bool foreign = a.contains("exec") || a.contains("config")
                    || a.contains("passwd") || a.contains("evil");
                QVERIFY2(!foreign || a == safe, qPrintable(command));
            }
            if (!safe.isEmpty())
                QCOMPARE(args.count(safe), 1);
        }
    }

    void metadataCommands()
    {
        const QString link = "https://v.example/watch?v=1";
        {
            ProxyScope none(QString(), -1, false);
            QCOMPARE(singleVideoCommand(link), "tool.exe -j " + link + " --socket-timeout 60 ");
            QCOMPARE(flatListCommand(link), "tool.exe -j --flat-playlist \"" + link + "\" --socket-timeout 60 ");
            QCOMPARE(titleCommand(link), "tool.exe  --get-title " + link + " --socket-timeout 10 ");
            QCOMPARE(analysisRunSuffix(), QString(" -R 5  --socket-timeout 60 "));
            QCOMPARE(downloadRunSuffix(), QString(" --convert-subs srt -R 5  "));
        }
        {
            ProxyScope direct("127.0.0.1", 0, false);
            QCOMPARE(singleVideoCommand(link), "tool.exe -j " + link + " --socket-timeout 60 ");
            QCOMPARE(downloadRunSuffix(), QString(" --convert-subs srt -R 5  "));
        }
        {
            ProxyScope http("192.168.1.5", 7890, false);
            QCOMPARE(singleVideoCommand(link),
                     "tool.exe -j " + link + " -R 5  --proxy http://192.168.1.5:7890 --socket-timeout 60 ");
            QCOMPARE(flatListCommand(link), "tool.exe -j --flat-playlist \"" + link
                                                + "\" -R 5  --proxy http://192.168.1.5:7890 --socket-timeout 60 ");
            QCOMPARE(titleCommand(link),
                     "tool.exe  --get-title " + link + " --proxy http://192.168.1.5:7890 --socket-timeout 10 ");
            QCOMPARE(analysisRunSuffix(), QString(" -R 5  --proxy http://192.168.1.5:7890 --socket-timeout 60 "));
            // Downloads reach the proxy at 127.0.0.1 whatever host was found.
            QCOMPARE(downloadRunSuffix(), QString(" --convert-subs srt -R 5  --proxy http://127.0.0.1:7890"));
        }
        {
            ProxyScope socks("192.168.1.5", 1080, true);
            QCOMPARE(analysisRunSuffix(), QString(" -R 5  --proxy socks5://192.168.1.5:1080 --socket-timeout 60 "));
            QCOMPARE(downloadRunSuffix(), QString(" --convert-subs srt -R 5   --proxy socks5://127.0.0.1:1080"));
        }
    }

    void choiceTables()
    {
        const QVector<ChoiceEntry> &quality = qualityChoices();
        QCOMPARE(quality.size(), 13);
        QCOMPARE(quality.at(0).label, QString(" Original Video"));
        QCOMPARE(quality.at(0).option, QString(" -f mp4 "));
        QCOMPARE(quality.at(8).label, QString(" SD 360P"));
        QCOMPARE(quality.at(8).icon, QString(":/img/FD5.png"));
        QVERIFY(quality.at(8).option.isEmpty());
        QCOMPARE(quality.at(10).icon, QString(":/img/FD6.png"));
        QCOMPARE(quality.at(12).option, QString(" --skip-download "));

        QCOMPARE(rateChoices().size(), 5);
        QCOMPARE(rateChoices().at(2).label, QString(" 512 Kbps"));
        const QStringList rates{"", "1M", "512K", "200K", "100K", "", ""};
        for (int i = -1; i < 6; ++i)
            QCOMPARE(rateLimitForIndex(i), rates.value(i, QString()));

        QCOMPARE(subtitleModeChoices().at(1).icon, QString(":/img/qianrushi.png"));
        QCOMPARE(subtitleModeOption(1), QString(" --write-sub --write-auto-sub --embed-subs "));
        QCOMPARE(subtitleModeOption(2), QString());
        QCOMPARE(subtitleLanguageChoices().size(), 5);
        QCOMPARE(subtitleLanguageChoices().at(1).label, QString::fromUtf8(" 简体中文"));
        QCOMPARE(subtitleLanguageOption(0), QString(" --sub-lang en,en-GB "));
        QCOMPARE(subtitleLanguageOption(1), QString("  --sub-lang zh-Hans,zh "));
        QCOMPARE(subtitleLanguageOption(4), QString("  --sub-lang ko "));
        QCOMPARE(subtitleLanguageOption(5), QString());
    }
};

QUILLON_TEST_MAIN(TestDownloadCommand)
#include "tst_downloadcommand.moc"
