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

#include <QRegularExpression>
#include <QTemporaryDir>

// Link intake without the window: what a pasted text becomes, what the user
// is asked, and which tasks come out.
class TestLinkIntake : public QObject
{
    Q_OBJECT

    // Answers link intake's questions from fields and records what it asked.
    struct Answers : IntakeDialogs
    {
        std::optional<SingleChoice> single;
        std::optional<ListChoice> list;
        QStringList asked;
        std::function<void()> whileChoosing; // runs inside the dialog

        void warnNotALink() override { asked << "warn"; }
        bool askWholeList(const QString &) override
        {
            asked << "ask";
            return false;
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
    }

    void cleanup()
    {
        qDeleteAll(m_tasks);
        m_tasks.clear();
    }

    // Which links are lists, which ask, and what "No" leaves of the latter.
    void classification()
    {
        using K = LinkRules::Kind;
        // clang-format off
        const struct { const char *link; K kind; const char *onlyVideo; } cases[] = {
            {"https://www.youtube.com/playlist?list=P&v=1", K::List, ""},
            {"https://www.youtube.com/channel/abc", K::List, ""},
            {"https://www.youtube.com/c/abc", K::List, ""},
            {"https://www.youtube.com/user/abc", K::List, ""},
            {"https://www.youtube.com/watch?list=PL1&v=abc&t=5", K::Ask, "https://www.youtube.com/watch?v=abc"},
            {"https://youtu.be/abc?list=PL1", K::Ask, "https://youtu.be/abc"},
            {"https://v.example/watch?v=1", K::Single, ""}};
        // clang-format on
        for (const auto &c : cases) {
            QCOMPARE(int(LinkRules::classify(c.link)), int(c.kind));
            if (*c.onlyVideo)
                QCOMPARE(LinkRules::dropListPart(c.link), QString(c.onlyVideo));
        }
    }

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

    // The playlist dialog's choices: only ticked entries, each analysed first
    // with the quality the user picked.
    void playlistTasks()
    {
        ListChoice choice;
        choice.saveLocation = m_folder.path();
        choice.qualityNum = 8;
        choice.subtitleLanguage = 3; // Russian
        choice.thumbnail = true;
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
        for (ItemInfo *t : qAsConst(m_tasks))
            QCOMPARE(QStringList({QString::number(t->process_status), t->cmd,
                         QString::number(t->quality_num), t->path, t->zimu}),
                QStringList({QString::number(TaskStatus::WaitingForAnalysis),
                    "tool.exe -j " + t->url, "8", m_folder.path(),
                    " --write-sub  --write-auto-sub   --sub-lang ru  --write-thumbnail "
                    "--convert-thumbnails png "}));
        QCOMPARE(m_tasks[1]->title, QString("c"));
        QVERIFY(m_tasks[0]->uniqueID != m_tasks[1]->uniqueID);
    }

    // One-key mode queues a single link at once with the stored choices; a
    // list still opens the playlist dialog, told it is one-key.
    void oneKeyMode()
    {
        m_intake->setOneKeyOn(true);
        OneKeyChoice onekey;
        onekey.location = m_folder.path();
        onekey.quality = 11;
        onekey.subtitleOption = " --write-sub ";
        onekey.subLangOption = " --sub-lang ko ";
        onekey.thumbnailOption = " --write-thumbnail ";
        m_intake->setOneKey(onekey);
        QCOMPARE(m_intake->addLink("https://www.tiktok.com/@a/video/1?is_from=x"), 1);
        QCOMPARE(m_intake->addLink("https://v.example/channel/x"), 0);
        m_intake->setOneKeyOn(false);
        QCOMPARE(m_answers.asked, QStringList({"list https://v.example/channel/x onekey"}));
        QCOMPARE(m_tasks.size(), 1);
        QCOMPARE(QStringList({m_tasks[0]->url, m_tasks[0]->path,
                     QString::number(m_tasks[0]->quality_num), m_tasks[0]->zimu}),
            QStringList({"https://www.tiktok.com/@a/video/1", m_folder.path(), "11",
                " --write-sub  --sub-lang ko  --write-thumbnail "}));
    }

    // The single-video dialog's choice becomes a complete download command:
    // video-only formats get the best audio (webm ones end as .mkv), names
    // from the page never leave the chosen folder, and format ids that could
    // be read as options are never used.
    void singleVideoCommand()
    {
        // clang-format off
        const struct { const char *ext, *formatId, *acodec, *selector, *finalExt; } cases[] = {
            {"mp4", "18", "mp4a", "-f 18 ", ".mp4"},           // video with sound
            {"m4a", "140", "none", "-f 140 ", ".m4a"},         // audio
            {"mp4", "137", "none", "-f 137+140 ", ".mp4"},     // video-only
            {"webm", "248", "none", "-f 248+140 ", ".mkv"},    // video-only webm
            {"mp4", "--exec=x", "mp4a", "-f  ", ".mp4"}};      // id like an option
        // clang-format on
        SingleChoice c;
        c.link = "https://v.example/w?v=1";
        c.title = "../a/b: ${HOME} 100%";
        c.uploader = "..";
        c.uploadDate = "20200131";
        c.bestAudioId = "140";
        c.saveLocation = m_folder.path();
        c.subtitles = true;
        c.subtitleMode = 1; // embedded
        c.subtitleLanguage = 4; // Korean
        for (const auto &row : cases) {
            c.format.ext = row.ext;
            c.format.format_id = row.formatId;
            c.format.acodec = row.acodec;
            std::unique_ptr<ItemInfo> t(taskFromSingleChoice(c, 0));
            QCOMPARE(t->process_status, int(TaskStatus::WaitingForDownload));
            QVERIFY(t->cmd.contains(" -i --newline " + QString(row.selector) + c.link + " -o \""));
            QVERIFY(
                t->cmd.endsWith(" --write-sub  --write-auto-sub  --embed-subs   --sub-lang ko "));
            QCOMPARE(t->folder, m_folder.path() + "//__");
            QCOMPARE(t->renametitle, QString("20200131.._a_b__${HOME}_100_"));
            QCOMPARE(t->renametargetPath, t->folder + "//" + t->renametitle + row.finalExt);
            QVERIFY(t->cmd.contains("%(quillon_dollar|$)s{HOME}_100_"));
        }
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
        m_intake->setOneKeyOn(true);
        QSignalSpy added(m_intake.get(), &LinkIntake::tasksAdded);
        QCOMPARE(m_intake->addLinks(*BatchLinks::readFile(path)), 3);
        QCOMPARE(added.count(), 1);
        QCOMPARE(m_answers.asked, QStringList({"warn"})); // the empty line alone
        QCOMPARE(m_tasks[2]->url, QString("https://v.example/c"));
        m_intake->setOneKeyOn(false);

        QList<ItemInfo *> tasks;
        for (int status : {6, 7, 3, 6, 8}) {
            tasks << makeTask(QString::fromUtf8("ü%1").arg(tasks.size()), status);
            tasks.last()->active = tasks.size() != 3;
        }
        tasks[3]->biaoji = false;
        QCOMPARE(BatchLinks::exportLinks(tasks, 3), QStringList({tasks[0]->url}));
        QCOMPARE(BatchLinks::exportLinks(tasks, 4), QStringList({tasks[4]->url, tasks[1]->url}));
        QCOMPARE(BatchLinks::exportLinks(tasks, 1), QStringList({tasks[2]->url}));
        const QStringList all = BatchLinks::exportLinks(tasks, 0);
        QCOMPARE(all.size(), 4);
        QVERIFY(BatchLinks::writeFile(path, all));
        QCOMPARE(BatchLinks::readFile(path).value(), all);
        QVERIFY(!BatchLinks::writeFile(m_folder.filePath("missing/links.txt"), all));
        qDeleteAll(tasks);
    }

    // Stored one-key indices become the options tasks get; switched off,
    // nothing applies.
    void oneKeyChoices()
    {
        SettingsStore::OneKeySettings stored {true, 8, 0, 2, m_folder.path(), 1, 4, true};
        const OneKeyChoice on = OneKey::choiceFrom(stored);
        QCOMPARE(on.quality, 8);
        QCOMPARE(on.rateOption, QString("512K"));
        QVERIFY((on.subtitleOption + on.subLangOption + on.thumbnailOption)
                    .contains(QRegularExpression("--embed-subs.*ko.*--write-thumbnail")));
        stored.onekey = false;
        const OneKeyChoice off = OneKey::choiceFrom(stored);
        QCOMPARE(off.quality, -1);
        QVERIFY(off.location.isEmpty() && off.rateOption.isEmpty() && off.subLangOption.isEmpty());
    }
};

QUILLON_TEST_MAIN(TestLinkIntake)
#include "tst_linkintake.moc"
