#include "support/testmain.h"

#include "base/global.h"
#include "intake/batchlinks.h"
#include "intake/linkintake.h"
#include "intake/linkrules.h"
#include "intake/onekey.h"
#include "intake/singletask.h"
#include "support/taskfactory.h"
#include "tasks/iteminfo.h"
#include "tasks/taskstatus.h"

#include <QTemporaryDir>

// Link intake without the window: what a pasted text becomes, what the user
// is asked, and which tasks come out.
class TestLinkIntake : public QObject
{
    Q_OBJECT

    // Answers link intake's questions from fields and records what it asked.
    struct Answers : IntakeDialogs
    {
        bool wholeList = false;
        std::optional<SingleChoice> single;
        std::optional<ListChoice> list;
        QStringList asked;
        std::function<void()> whileChoosing; // runs inside the dialog

        void warnNotALink() override { asked << "warn"; }
        bool askWholeList(const QString &) override
        {
            asked << "ask";
            return wholeList;
        }
        std::optional<SingleChoice> chooseSingle(const QString &link) override
        {
            asked << "single " + link;
            if (whileChoosing)
                std::exchange(whileChoosing, nullptr)();
            return single;
        }
        std::optional<ListChoice> chooseFromList(const QString &link, bool onekey) override
        {
            asked << QString("list %1%2").arg(link, onekey ? " onekey" : "");
            return list;
        }
    };

    QList<ItemInfo *> m_tasks;
    Answers m_answers;
    std::unique_ptr<LinkIntake> m_intake;
    QTemporaryDir m_folder;

private slots:
    void init()
    {
        m_answers = Answers();
        m_intake = std::make_unique<LinkIntake>([this](ItemInfo *t) { m_tasks << t; });
        m_intake->setDialogs(&m_answers);
        Global::ONEKEY = false;
    }

    void cleanup()
    {
        qDeleteAll(m_tasks);
        m_tasks.clear();
    }

    void cleanLinks_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("link");
        QTest::newRow("line ends and blanks around") << " https://v.example/w?v=1\r\n"
                                                     << "https://v.example/w?v=1";
        QTest::newRow("plain http") << "http://v.example/a"
                                    << "http://v.example/a";
        QTest::newRow("no scheme") << "v.example/watch?v=1"
                                   << "";
        QTest::newRow("scheme not first") << "see http://v.example/a"
                                          << "";
        QTest::newRow("option after the link") << "https://v.example/a --exec touch"
                                               << "";
        QTest::newRow("quote inside") << "https://v.example/a\"-o/tmp/x"
                                      << "";
        QTest::newRow("two lines") << "https://v.example/a\nhttps://v.example/b"
                                   << "";
        QTest::newRow("file link") << "file:///etc/passwd"
                                   << "";
        QTest::newRow("leading dash") << "-https://v.example/a"
                                      << "";
        QTest::newRow("scheme alone") << "https://"
                                      << "";
    }

    void cleanLinks()
    {
        QFETCH(QString, text);
        QFETCH(QString, link);
        QCOMPARE(LinkRules::cleanLink(text), link);
    }

    void classification_data()
    {
        QTest::addColumn<QString>("link");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("onlyVideo"); // what "No" leaves
        const int single = int(LinkRules::Kind::Single), list = int(LinkRules::Kind::List),
                  ask = int(LinkRules::Kind::Ask);
        QTest::newRow("playlist with a video")
            << "https://www.youtube.com/playlist?list=P&v=1" << list << "";
        QTest::newRow("channel") << "https://www.youtube.com/channel/abc" << list << "";
        QTest::newRow("custom page") << "https://www.youtube.com/c/abc" << list << "";
        QTest::newRow("user page") << "https://www.youtube.com/user/abc" << list << "";
        QTest::newRow("watch link naming a list")
            << "https://www.youtube.com/watch?list=PL1&v=abc&t=5" << ask
            << "https://www.youtube.com/watch?v=abc";
        QTest::newRow("short link naming a list")
            << "https://youtu.be/abc?list=PL1" << ask << "https://youtu.be/abc";
        QTest::newRow("plain video") << "https://v.example/watch?v=1" << single << "";
    }

    void classification()
    {
        QFETCH(QString, link);
        QFETCH(int, kind);
        QFETCH(QString, onlyVideo);
        QCOMPARE(int(LinkRules::classify(link)), kind);
        if (!onlyVideo.isEmpty())
            QCOMPARE(LinkRules::dropListPart(link), onlyVideo);
        QCOMPARE(LinkRules::dropTrackingQuery("https://www.tiktok.com/@a/video/1?is_from=x"),
            QString("https://www.tiktok.com/@a/video/1"));
    }

    // Refused texts, unanswered questions and closed dialogs queue nothing;
    // the answer to the list question decides which dialog opens.
    // Links handed over by a later start of the program wait until the
    // network is known, and never open a dialog inside an open one.
    void handedOverLinks()
    {
        m_intake->handOver({"https://v.example/a"});
        QVERIFY(m_answers.asked.isEmpty());
        m_answers.whileChoosing = [this] {
            m_intake->handOver({"https://v.example/b"});
            m_answers.asked << "handed over";
        };
        m_intake->setNetworkKnown(true);
        QCOMPARE(m_answers.asked,
            QStringList(
                {"single https://v.example/a", "handed over", "single https://v.example/b"}));
    }

    void whatTheUserIsAsked()
    {
        QCOMPARE(m_intake->addLink("not a link"), 0);
        QCOMPARE(m_intake->addLink("https://v.example/w?list=L&v=1"), 0);
        m_answers.wholeList = true;
        QCOMPARE(m_intake->addLink("https://v.example/w?list=L&v=1"), 0);
        QCOMPARE(m_intake->addLink("https://v.example/playlist?list=L"), 0);
        QCOMPARE(m_answers.asked,
            QStringList({"warn", "ask", "single https://v.example/w?list=L&v=1", "ask",
                "list https://v.example/w?list=L&v=1", "list https://v.example/playlist?list=L"}));
        QVERIFY(m_tasks.isEmpty());
    }

    // The playlist dialog's choices: only ticked entries, each analysed first
    // with the quality the user picked.
    void playlistTasks()
    {
        ListChoice choice;
        choice.saveLocation = m_folder.path();
        choice.qualityNum = 8;
        choice.subtitleOption = " --write-sub  --write-auto-sub  --sub-lang ru ";
        choice.thumbnailOption = " ";
        for (const char *word : {"a", "b", "c"}) {
            ListVideoInfo entry;
            entry.link = QString("https://v.example/") + word;
            entry.title = word;
            entry.checked = word[0] != 'b';
            choice.entries << entry;
        }
        m_answers.list = choice;
        QSignalSpy added(m_intake.get(), &LinkIntake::tasksAdded);
        QCOMPARE(m_intake->addLink("https://v.example/playlist?list=L"), 2);
        QCOMPARE(added.count(), 1);
        QCOMPARE(m_tasks.size(), 2);
        for (ItemInfo *t : qAsConst(m_tasks)) {
            QCOMPARE(t->process_status, int(TaskStatus::WaitingForAnalysis));
            QCOMPARE(t->cmd, "tool.exe -j " + t->url);
            QCOMPARE(t->quality_num, 8);
            QCOMPARE(t->path, m_folder.path());
            QCOMPARE(t->zimu, choice.subtitleOption + " ");
        }
        QCOMPARE(m_tasks[1]->title, QString("c"));
        QVERIFY(m_tasks[0]->uniqueID != m_tasks[1]->uniqueID);
    }

    // One-key mode queues a single link at once with the stored choices; a
    // list still opens the playlist dialog, told it is one-key.
    void oneKeyMode()
    {
        Global::ONEKEY = true;
        OneKeyChoice onekey;
        onekey.location = m_folder.path();
        onekey.quality = 11;
        onekey.subtitleOption = " --write-sub ";
        onekey.subLangOption = " --sub-lang ko ";
        onekey.thumbnailOption = " --write-thumbnail ";
        m_intake->setOneKey(onekey);
        QCOMPARE(m_intake->addLink("https://www.tiktok.com/@a/video/1?is_from=x"), 1);
        QCOMPARE(m_intake->addLink("https://v.example/channel/x"), 0);
        Global::ONEKEY = false;
        QCOMPARE(m_answers.asked, QStringList({"list https://v.example/channel/x onekey"}));
        ItemInfo *t = m_tasks.value(0);
        QVERIFY(t);
        QCOMPARE(t->url, QString("https://www.tiktok.com/@a/video/1"));
        QCOMPARE(t->path, m_folder.path());
        QCOMPARE(t->quality_num, 11);
        QCOMPARE(t->zimu, QString(" --write-sub  --sub-lang ko  --write-thumbnail "));
    }

    // The single-video dialog's choice becomes a complete download command:
    // video-only formats get the best audio (webm ones end as .mkv), names
    // from the page never leave the chosen folder, and format ids that could
    // be read as options are never used.
    void singleVideoCommand_data()
    {
        QTest::addColumn<QString>("ext");
        QTest::addColumn<QString>("formatId");
        QTest::addColumn<QString>("acodec");
        QTest::addColumn<QString>("selector");
        QTest::addColumn<QString>("finalExt");
        QTest::newRow("video with sound") << "mp4"
                                          << "18"
                                          << "mp4a"
                                          << "-f 18 "
                                          << ".mp4";
        QTest::newRow("audio") << "m4a"
                               << "140"
                               << "none"
                               << "-f 140 "
                               << ".m4a";
        QTest::newRow("video-only mp4") << "mp4"
                                        << "137"
                                        << "none"
                                        << "-f 137+140 "
                                        << ".mp4";
        QTest::newRow("video-only webm") << "webm"
                                         << "248"
                                         << "none"
                                         << "-f 248+140 "
                                         << ".mkv";
        QTest::newRow("id like an option") << "mp4"
                                           << "--exec=x"
                                           << "mp4a"
                                           << "-f  "
                                           << ".mp4";
    }

    void singleVideoCommand()
    {
        QFETCH(QString, ext);
        QFETCH(QString, formatId);
        QFETCH(QString, acodec);
        QFETCH(QString, selector);
        QFETCH(QString, finalExt);
        SingleChoice c;
        c.link = "https://v.example/w?v=1";
        c.title = "../a/b: ${HOME} 100%";
        c.uploader = "..";
        c.uploadDate = "20200131";
        c.format.ext = ext;
        c.format.format_id = formatId;
        c.format.acodec = acodec;
        c.bestAudioId = "140";
        c.saveLocation = m_folder.path();
        c.subtitles = true;
        c.subtitleOptions = " --embed-subs  --sub-lang ko ";
        std::unique_ptr<ItemInfo> t(taskFromSingleChoice(c, 0));
        QCOMPARE(t->process_status, int(TaskStatus::WaitingForDownload));
        QVERIFY(t->cmd.contains(" -i --newline " + selector + c.link + " -o \""));
        QVERIFY(t->cmd.endsWith(" --write-sub  --write-auto-sub  --embed-subs  --sub-lang ko "));
        QCOMPARE(t->folder, m_folder.path() + "//__");
        QCOMPARE(t->renametitle, QString("20200131.._a_b__${HOME}_100_"));
        QCOMPARE(t->renametargetPath, t->folder + "//" + t->renametitle + finalExt);
        QVERIFY(t->cmd.contains("%(quillon_dollar|$)s{HOME}_100_"));
    }
    // Link files: every line taken (the last with or without its line end),
    // UTF-8 whatever the locale, export newest first by filter, and a file
    // that cannot be written is reported, not half written.
    void batchFiles()
    {
        const QString path = m_folder.filePath("links.txt");
        QFile raw(path);
        QVERIFY(raw.open(QIODevice::WriteOnly));
        raw.write(
            "https://v.example/a\r\n\nhttps://v.example/\xc3\xa9t\xc3\xa9\nhttps://v.example/c");
        raw.close();
        QCOMPARE(BatchLinks::readFile(path).value(),
            QStringList({"https://v.example/a", "", QString::fromUtf8("https://v.example/été"),
                "https://v.example/c"}));
        Global::ONEKEY = true;
        QSignalSpy added(m_intake.get(), &LinkIntake::tasksAdded);
        QCOMPARE(m_intake->addLinks(*BatchLinks::readFile(path)), 3);
        QCOMPARE(added.count(), 1);
        QCOMPARE(m_answers.asked, QStringList({"warn"})); // the empty line alone
        QCOMPARE(m_tasks[2]->url, QString("https://v.example/c"));
        Global::ONEKEY = false;

        QList<ItemInfo *> tasks;
        for (int status : {6, 7, 3, 6, 8}) {
            tasks << makeTask(QString::fromUtf8("ü%1").arg(tasks.size()), status);
            tasks.last()->active = tasks.size() != 3;
        }
        tasks[3]->biaoji = false;
        const QStringList finished = BatchLinks::exportLinks(tasks, 3);
        QCOMPARE(finished, QStringList({tasks[0]->url}));
        QCOMPARE(BatchLinks::exportLinks(tasks, 4), QStringList({tasks[4]->url, tasks[1]->url}));
        QCOMPARE(BatchLinks::exportLinks(tasks, 1), QStringList({tasks[2]->url}));
        QCOMPARE(BatchLinks::exportLinks(tasks, 0).size(), 4);
        QVERIFY(BatchLinks::writeFile(path, BatchLinks::exportLinks(tasks, 0)));
        QCOMPARE(BatchLinks::readFile(path).value(), BatchLinks::exportLinks(tasks, 0));
        QVERIFY(!BatchLinks::writeFile(m_folder.filePath("missing/links.txt"), finished));
        QCOMPARE(BatchLinks::readFile(path).value().size(), 4);
        qDeleteAll(tasks);
    }

    // Stored one-key indices become the options tasks get; switched off,
    // nothing applies.
    void oneKeyChoices()
    {
        SettingsStore::OneKeySettings stored;
        stored.onekey = true;
        stored.videoquality = 8;
        stored.videosudu = 2;
        stored.videolocation = m_folder.path();
        stored.videozimu = 1;
        stored.videozimulang = 4;
        stored.videothumbnail = true;
        const OneKeyChoice on = OneKey::choiceFrom(stored);
        QCOMPARE(on.quality, 8);
        QCOMPARE(on.rateOption, QString("512K"));
        QVERIFY(on.subtitleOption.contains("--embed-subs"));
        QVERIFY(on.subLangOption.contains("ko"));
        QVERIFY(on.thumbnailOption.contains("--write-thumbnail"));
        stored.onekey = false;
        const OneKeyChoice off = OneKey::choiceFrom(stored);
        QCOMPARE(off.quality, -1);
        QVERIFY(off.location.isEmpty() && off.rateOption.isEmpty() && off.subLangOption.isEmpty());
    }
};

QUILLON_TEST_MAIN(TestLinkIntake)
#include "tst_linkintake.moc"
