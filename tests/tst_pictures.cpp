#include "support/testmain.h"

#include "ui/imagestyle.h"
#include "ui/resources.h"

#include <QDirIterator>
#include <QImage>
#include <QRegularExpression>
#include <QSet>

// Image-button style sheets, the language rule of the pictures, and that
// every picture the program names is really embedded.
class TestPictures : public QObject
{
    Q_OBJECT

    static QStringList urls(const QString &sheet)
    {
        QStringList found;
        QRegularExpression re(QStringLiteral("url\\(([^)]*)\\)"));
        auto it = re.globalMatch(sheet);
        while (it.hasNext())
            found.append(it.next().captured(1));
        return found;
    }

    // Every sheet the style helpers can produce, in both languages and states.
    static QStringList allSheets()
    {
        QStringList sheets;
        for (bool zh : {false, true}) {
            for (bool selected : {false, true}) {
                for (const char *stem : {"top", "tools"})
                    sheets << ImageStyle::tabSheet(":/tabimage/", stem, selected, zh);
                sheets << ImageStyle::downloadTabSheet(selected, zh);
                for (const char *stem : {"proxy", "setting", "step", "about", "test"})
                    sheets << ImageStyle::serviceTabSheet(stem, selected, zh);
                for (int view = 0; view < 4; ++view)
                    sheets << ImageStyle::tabSheet(
                        ":/newimage/", ImageStyle::listFilterStem(view), selected, zh);
                sheets << ImageStyle::oneKeySheet(selected, zh);
                sheets << ImageStyle::startAllSheet(selected, zh);
                sheets << ImageStyle::noticeSheet(selected);
            }
            for (const char *stem : {ImageStyle::DeleteStem, ImageStyle::RetryStem})
                sheets << ImageStyle::tabSheet(":/newimage/", stem, false, zh);
            sheets << ImageStyle::pasteSheet(zh) << ImageStyle::okSheet(zh)
                   << ImageStyle::dialogDownloadSheet(zh) << ImageStyle::refreshSheet(zh);
            for (const char *stem : {"day", "week", "month"})
                sheets << ImageStyle::plainSheet(
                    ImageStyle::localized(QStringLiteral(":/stack2/%1.png").arg(stem), zh));
        }
        for (const char *stem :
            {ImageStyle::HistoryStem, ImageStyle::ServiceStem, ImageStyle::MenuStem,
                ImageStyle::MinStem, ImageStyle::CloseStem, ImageStyle::HelpStem})
            for (bool selected : {false, true})
                sheets << ImageStyle::tabSheet(":/newimage/", stem, selected, false);
        sheets << ImageStyle::folderButtonSheet() << ImageStyle::dialogCloseSheet()
               << ImageStyle::topRowDownloadSheet() << ImageStyle::networkAvailableSheet();
        for (int frame = 1; frame <= 4; ++frame)
            sheets << ImageStyle::networkFrameSheet(frame);
        return sheets;
    }

    static QStringList sourceFiles()
    {
        const QString root = qEnvironmentVariable("QUILLON_SOURCE_DIR");
        QStringList files;
        for (const char *dir : {"app", "tasks", "extractor", "downloads", "intake", "network",
                 "service", "ui", "forms", "scripts/screenshots"}) {
            QDirIterator it(root + QLatin1Char('/') + QLatin1String(dir),
                {QStringLiteral("*.cpp"), QStringLiteral("*.h"), QStringLiteral("*.ui")},
                QDir::Files, QDirIterator::Subdirectories);
            while (it.hasNext())
                files << it.next();
        }
        return files;
    }

    static QStringList embeddedFiles()
    {
        QStringList all;
        QDirIterator it(QStringLiteral(":/"), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            all << it.next();
        return all;
    }

private slots:
    void initTestCase()
    {
        initQuillonResources();
        QVERIFY(!qEnvironmentVariableIsEmpty("QUILLON_SOURCE_DIR"));
    }

    void sheetIsWrittenAsTheProgramWritesIt()
    {
        QCOMPARE(ImageStyle::tabSheet(":/tabimage/", "top", false, false),
            QString("QPushButton{border-image: url(:/tabimage/top0.png)  ;}"
                    "QPushButton:hover{border-image: url(:/tabimage/top1.png)  ;}"
                    "QPushButton:pressed{border-image: url(:/tabimage/top2.png) ;}"
                    "QPushButton:disabled{border-image: url(:/tabimage/top0.png) ;}"
                    "QPushButton:focus{outline: none;}"));
        QCOMPARE(ImageStyle::pasteSheet(false),
            QString("QPushButton{border-image: url(:/stack1/paste2.png)  ;}"
                    "QPushButton:hover{border-image: url(:/stack1/paste3.png)  ;}"
                    "QPushButton:pressed{border-image: url(:/stack1/paste4.png) ;}"
                    "QPushButton:disabled{border-image: url(:/stack1/paste5.png) ;}"
                    "QPushButton:focus{outline: none;}"));
        QCOMPARE(ImageStyle::networkFrameSheet(3),
            QString("QPushButton{border-image: url(:/image2/3.png)  ;}"
                    "QPushButton:focus{outline: none;}"));
        QCOMPARE(ImageStyle::noticeSheet(true),
            QString("QPushButton{border-image: url(:/newimage/not2222.png)  ;}"
                    "QPushButton:hover{border-image: url(:/newimage/not22.png)  ;}"
                    "QPushButton:focus{outline: none;}"));
    }

    void chinesePictureName_data()
    {
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("chinese");
        QTest::newRow("filter") << ":/newimage/displayall0.png"
                                << ":/newimage/chindisplayall0.png";
        QTest::newRow("one-key") << ":/stack1/config1.png"
                                 << ":/stack1/chinconfig1.png";
        QTest::newRow("refresh") << ":/stack2/refresh.png"
                                 << ":/stack2/chinrefresh.png";
        QTest::newRow("service tab") << ":/service2/setting2.png"
                                     << ":/service2/chinsetting2.png";
        QTest::newRow("caption") << ":/stack5/2xone-key1.png"
                                 << ":/stack5/chin2xone-key1.png";
        QTest::newRow("confirm") << ":/img/OK.png"
                                 << ":/img/OKchin.png";
        QTest::newRow("confirm hover") << ":/img/OK1.png"
                                       << ":/img/OK1chin.png";
        QTest::newRow("confirm pressed") << ":/img/OK2.png"
                                         << ":/img/OK2chin.png";
        QTest::newRow("download tab") << ":/tabimage/downloada5.png"
                                      << ":/tabimage/chindownloada2.png";
        QTest::newRow("other img") << ":/img/download0.png"
                                   << ":/img/chindownload0.png";
    }

    void chinesePictureName()
    {
        QFETCH(QString, english);
        QFETCH(QString, chinese);
        QCOMPARE(ImageStyle::localized(english, true), chinese);
        QCOMPARE(ImageStyle::localized(english, false), english);
        QVERIFY2(QFile::exists(chinese), qPrintable(chinese));
        QVERIFY2(QFile::exists(english), qPrintable(english));
    }

    void groupStates_data()
    {
        QTest::addColumn<QString>("sheet");
        QTest::addColumn<QStringList>("expected"); // normal, hover, pressed, disabled
        QTest::newRow("top tab selected")
            << ImageStyle::tabSheet(":/tabimage/", "top", true, false)
            << QStringList {":/tabimage/top2.png", ":/tabimage/top1.png", ":/tabimage/top2.png",
                   ":/tabimage/top0.png"};
        QTest::newRow("download tab English")
            << ImageStyle::downloadTabSheet(false, false)
            << QStringList {":/tabimage/downloada0.png", ":/tabimage/downloada1.png",
                   ":/tabimage/downloada5.png", ":/tabimage/downloada0.png"};
        QTest::newRow("download tab English selected")
            << ImageStyle::downloadTabSheet(true, false)
            << QStringList {":/tabimage/downloada5.png", ":/tabimage/downloada1.png",
                   ":/tabimage/downloada5.png", ":/tabimage/downloada0.png"};
        QTest::newRow("download tab Chinese selected")
            << ImageStyle::downloadTabSheet(true, true)
            << QStringList {":/tabimage/chindownloada2.png", ":/tabimage/chindownloada1.png",
                   ":/tabimage/chindownloada2.png", ":/tabimage/chindownloada0.png"};
        QTest::newRow("service tab") << ImageStyle::serviceTabSheet("step", false, false)
                                     << QStringList {":/service2/step.png", ":/service2/step1.png",
                                            ":/service2/step2.png", ":/service2/step.png"};
        QTest::newRow("service tab selected Chinese")
            << ImageStyle::serviceTabSheet("about", true, true)
            << QStringList {":/service2/chinabout2.png", ":/service2/chinabout1.png",
                   ":/service2/chinabout2.png", ":/service2/chinabout.png"};
        QTest::newRow("filter selected Chinese")
            << ImageStyle::tabSheet(":/newimage/", ImageStyle::listFilterStem(3), true, true)
            << QStringList {":/newimage/chindownfailure2.png", ":/newimage/chindownfailure1.png",
                   ":/newimage/chindownfailure2.png", ":/newimage/chindownfailure0.png"};
        QTest::newRow("one-key on") << ImageStyle::oneKeySheet(true, false)
                                    << QStringList {":/stack1/config1.png", ":/stack1/config1.png",
                                           ":/stack1/config2.png", ":/stack1/config1.png"};
        QTest::newRow("one-key off Chinese")
            << ImageStyle::oneKeySheet(false, true)
            << QStringList {":/stack1/chinconfig.png", ":/stack1/chinconfig1.png",
                   ":/stack1/chinconfig2.png", ":/stack1/chinconfig.png"};
        QTest::newRow("all paused shows start-all")
            << ImageStyle::startAllSheet(true, false)
            << QStringList {":/newimage/allstart0.png", ":/newimage/allstart1.png",
                   ":/newimage/allstart2.png", ":/newimage/allstart0.png"};
        QTest::newRow("running shows stop-all Chinese")
            << ImageStyle::startAllSheet(false, true)
            << QStringList {":/newimage/chinallstop0.png", ":/newimage/chinallstop1.png",
                   ":/newimage/chinallstop2.png", ":/newimage/chinallstop0.png"};
        QTest::newRow("confirm Chinese") << ImageStyle::okSheet(true)
                                         << QStringList {":/img/OKchin.png", ":/img/OK1chin.png",
                                                ":/img/OK2chin.png", ":/img/OKchin.png"};
    }

    void groupStates()
    {
        QFETCH(QString, sheet);
        QFETCH(QStringList, expected);
        QCOMPARE(urls(sheet), expected);
        QVERIFY(sheet.endsWith("QPushButton:focus{outline: none;}"));
    }

    void everyPictureOfEverySheetIsEmbedded()
    {
        const QStringList sheets = allSheets();
        QVERIFY(sheets.size() > 80);
        for (const QString &sheet : sheets) {
            const QStringList paths = urls(sheet);
            QVERIFY(!paths.isEmpty());
            for (const QString &path : paths) {
                QImage image(path);
                QVERIFY2(!image.isNull(), qPrintable(path));
            }
        }
    }

    // Scans the sources for resource paths (":/..." in quotes or url(...)),
    // so a picture named anywhere in the code cannot be missing. A "%1" in a
    // path stands for a number and must match at least one picture.
    void everyPathNamedInTheSourcesIsEmbedded()
    {
        const QStringList embedded = embeddedFiles();
        const QSet<QString> known(embedded.begin(), embedded.end());
        QRegularExpression path(QStringLiteral("(?<=[\"(])(:/[A-Za-z0-9_./%\\-]+)"));
        int checked = 0;
        for (const QString &file : sourceFiles()) {
            QFile f(file);
            QVERIFY(f.open(QIODevice::ReadOnly));
            const QString text = QString::fromUtf8(f.readAll());
            auto it = path.globalMatch(text);
            while (it.hasNext()) {
                QString p = it.next().captured(1);
                if (p.endsWith(QLatin1Char('/'))) {
                    // A folder prefix: something must be in it.
                    QVERIFY2(
                        !QDir(p).entryList(QDir::Files).isEmpty(), qPrintable(file + ": " + p));
                    continue;
                }
                if (!p.contains(QLatin1Char('.')))
                    continue; // not a file name (e.g. ":/" alone)
                ++checked;
                if (p.contains(QLatin1Char('%'))) {
                    QRegularExpression pattern(QLatin1Char('^')
                        + QRegularExpression::escape(p).replace(
                            QStringLiteral("\\%1"), QStringLiteral("[0-9]+"))
                        + QLatin1Char('$'));
                    bool any = false;
                    for (const QString &k : embedded)
                        any = any || pattern.match(k).hasMatch();
                    QVERIFY2(any, qPrintable(file + ": " + p));
                } else {
                    QVERIFY2(known.contains(p), qPrintable(file + ": " + p));
                }
            }
        }
        QVERIFY(checked > 30);
    }

    void picturesAreDrawnAtTwiceTheirDesignSize_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QSize>("design");
        QTest::newRow("top tab") << ":/tabimage/chintop0.png" << QSize(110, 60);
        QTest::newRow("paste") << ":/stack1/paste2.png" << QSize(150, 42);
        QTest::newRow("service tab") << ":/service2/proxy.png" << QSize(150, 40);
        QTest::newRow("network frame") << ":/image2/1.png" << QSize(20, 20);
        QTest::newRow("confirm") << ":/img/OKchin.png" << QSize(100, 34);
        QTest::newRow("intro") << ":/stack1/chinmidcontent.png" << QSize(600, 80);
    }

    void picturesAreDrawnAtTwiceTheirDesignSize()
    {
        QFETCH(QString, path);
        QFETCH(QSize, design);
        QCOMPARE(QImage(path).size(), design * 2);
    }

    void helpPagesAreEmbedded()
    {
        for (const char *name : {":/help/help_en.html", ":/help/help_zh.html"}) {
            QFile page {QString::fromLatin1(name)};
            QVERIFY(page.open(QIODevice::ReadOnly));
            const QString text = QString::fromUtf8(page.readAll());
            QVERIFY(text.contains("<html"));
            QVERIFY(text.contains("setting.ini"));
            QVERIFY(text.contains("MACAddrs.db"));
        }
    }
};

QUILLON_TEST_MAIN(TestPictures)
#include "tst_pictures.moc"
