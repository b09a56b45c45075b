#include "support/testmain.h"

#include "base/imagestyle.h"
#include "base/resources.h"

#include <QDirIterator>
#include <QImage>
#include <QRegularExpression>
#include <QSet>

// Image-button state pictures, their Chinese names, and that every picture
// the program names is really embedded.
class TestPictures : public QObject
{
    Q_OBJECT

    static QStringList urls(const QString &sheet)
    {
        QStringList found;
        auto it = QRegularExpression(QStringLiteral("url\\(([^)]*)\\)")).globalMatch(sheet);
        while (it.hasNext())
            found.append(it.next().captured(1));
        return found;
    }

    // Every sheet the style helpers can produce, in both languages and states:
    // their names are built from stems, so the source scan cannot see them.
    static QStringList allSheets()
    {
        using namespace ImageStyle;
        QStringList sheets;
        for (bool zh : {false, true}) {
            for (bool on : {false, true}) {
                for (const char *stem : {"top", "tools"})
                    sheets << tabSheet(":/tabimage/", stem, on, zh);
                for (const char *stem : {"proxy", "setting", "step", "about", "test"})
                    sheets << serviceTabSheet(stem, on, zh);
                for (int view = 0; view < 4; ++view)
                    sheets << tabSheet(":/newimage/", listFilterStem(view), on, zh);
                sheets << downloadTabSheet(on, zh) << oneKeySheet(on, zh) << startAllSheet(on, zh)
                       << noticeSheet(on);
            }
            for (const char *stem : {DeleteStem, RetryStem})
                sheets << tabSheet(":/newimage/", stem, false, zh);
            sheets << pasteSheet(zh) << okSheet(zh) << dialogDownloadSheet(zh) << refreshSheet(zh);
            for (const char *stem : {"day", "week", "month"})
                sheets << plainSheet(localized(QStringLiteral(":/stack2/%1.png").arg(stem), zh));
        }
        for (const char *stem : {HistoryStem, ServiceStem, MenuStem, MinStem, CloseStem, HelpStem})
            for (bool on : {false, true})
                sheets << tabSheet(":/newimage/", stem, on, false);
        sheets << folderButtonSheet() << dialogCloseSheet() << topRowDownloadSheet()
               << networkAvailableSheet();
        for (int frame = 1; frame <= 4; ++frame)
            sheets << networkFrameSheet(frame);
        return sheets;
    }

private slots:
    void initTestCase() { initQuillonResources(); }

    // Pictures for normal, hover, pressed, disabled; a selected button shows
    // its pressed picture; Chinese pictures follow the naming rule.
    void statePictures_data()
    {
        QTest::addColumn<QString>("sheet");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("download tab Chinese selected")
            << ImageStyle::downloadTabSheet(true, true)
            << QStringList {":/tabimage/chindownloada2.png", ":/tabimage/chindownloada1.png",
                   ":/tabimage/chindownloada2.png", ":/tabimage/chindownloada0.png"};
        QTest::newRow("one-key on") << ImageStyle::oneKeySheet(true, false)
                                    << QStringList {":/stack1/config1.png", ":/stack1/config1.png",
                                           ":/stack1/config2.png", ":/stack1/config1.png"};
        QTest::newRow("confirm Chinese") << ImageStyle::okSheet(true)
                                         << QStringList {":/img/OKchin.png", ":/img/OK1chin.png",
                                                ":/img/OK2chin.png", ":/img/OKchin.png"};
    }

    void statePictures()
    {
        QFETCH(QString, sheet);
        QFETCH(QStringList, expected);
        QCOMPARE(urls(sheet), expected);
    }

    void everyPictureOfEverySheetLoads()
    {
        const QStringList sheets = allSheets();
        QVERIFY(sheets.size() > 80);
        for (const QString &sheet : sheets) {
            QVERIFY(!urls(sheet).isEmpty());
            for (const QString &path : urls(sheet))
                QVERIFY2(!QImage(path).isNull(), qPrintable(path));
        }
    }

    // Every resource path in the sources (":/..." after a quote or "url(")
    // is embedded; a folder must hold something, a "%1" stands for a number.
    void everyPathNamedInTheSourcesIsEmbedded()
    {
        QStringList embedded;
        for (QDirIterator it(":/", QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
            embedded << it.next();
        const QSet<QString> known(embedded.begin(), embedded.end());
        const QString root = qEnvironmentVariable("QUILLON_SOURCE_DIR");
        QVERIFY(!root.isEmpty());
        QRegularExpression path(QStringLiteral("(?<=[\"(])(:/[A-Za-z0-9_./%\\-]+)"));
        int checked = 0;
        for (const char *dir : {"app", "tasks", "extractor", "downloads", "intake", "network",
                 "service", "ui", "forms", "scripts/screenshots"}) {
            for (QDirIterator files(root + '/' + dir, {"*.cpp", "*.h", "*.ui"}, QDir::Files,
                     QDirIterator::Subdirectories);
                 files.hasNext();) {
                const QString file = files.next();
                QFile f(file);
                QVERIFY(f.open(QIODevice::ReadOnly));
                for (auto it = path.globalMatch(QString::fromUtf8(f.readAll())); it.hasNext();) {
                    const QString p = it.next().captured(1);
                    const QString where = file + ": " + p;
                    if (p.endsWith('/')) {
                        QVERIFY2(!QDir(p).entryList(QDir::Files).isEmpty(), qPrintable(where));
                    } else if (p.contains('%')) {
                        const QRegularExpression pattern(
                            '^' + QRegularExpression::escape(p).replace("\\%1", "[0-9]+") + '$');
                        QVERIFY2(!embedded.filter(pattern).isEmpty(), qPrintable(where));
                        ++checked;
                    } else if (p.contains('.')) {
                        QVERIFY2(known.contains(p), qPrintable(where));
                        ++checked;
                    }
                }
            }
        }
        QVERIFY(checked > 30);
    }

    // Drawn at twice their design size, so they stay crisp at scale 1.5.
    void picturesAreDrawnAtTwiceTheirDesignSize()
    {
        QCOMPARE(QImage(":/tabimage/chintop0.png").size(), QSize(110, 60) * 2);
        QCOMPARE(QImage(":/service2/proxy.png").size(), QSize(150, 40) * 2);
        QCOMPARE(QImage(":/img/OKchin.png").size(), QSize(100, 34) * 2);
        QCOMPARE(QImage(":/stack1/chinmidcontent.png").size(), QSize(600, 80) * 2);
    }
};

QUILLON_TEST_MAIN(TestPictures)
#include "tst_pictures.moc"
