#include "support/testmain.h"

#include "base/customshadoweffect.h"
#include "base/displayscale.h"
#include "base/imagestyle.h"
#include "base/resources.h"
#include "base/settingscontroller.h"
#include "base/widgetscale.h"
#include "extractor/downloadcommand.h"
#include "ui/languagefiles.h"
#include "ui/languagetranslator.h"
#include "ui/uitexts.h"

#include <QDirIterator>
#include <QImage>
#include <QLabel>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextCodec>
#include <QXmlStreamReader>

// The widget-free rules of the window shell: display scale, pictures,
// translation files and lookup, drop shadow; the settings rules on real
// files, through the controller the window uses.
class TestShellLogic : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_path;
    int m_files = 0;

    QString binaryDir() const { return qEnvironmentVariable("QUILLON_BINARY_DIR"); }

    void writeRaw(const QByteArray &content)
    {
        QFile f(m_path);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(content) == content.size());
    }

    // A new file each time: QSettings keeps what it read of a file.
    void newFile() { m_path = m_dir.filePath(QString("setting%1.ini").arg(++m_files)); }

private slots:
    void initTestCase() { initQuillonResources(); }

    // The display's DPI ratio (of its smaller axis) when the window fits at
    // it, else the largest of 1.5, 1.25 and 1.0 that the available area allows.
    void scaleRule()
    {
        // clang-format off
        const struct { double dpiX, dpiY; QRect available; double expected; } cases[] = {
            {192, 192, {0, 0, 1920, 1040}, 1.5},
            {192, 192, {0, 0, 1600, 900}, 1.25},
            {120, 120, {0, 0, 1280, 680}, 1.0},          // too short
            {192, 192, {0, 0, 1495, 1000}, 1.25},        // too narrow for 1.5
            {110, 110, {0, 0, 1920, 1080}, 110.0 / 96},  // fits: the odd ratio itself
            {192, 96, {0, 0, 1366, 728}, 1.0}};          // the smaller axis wins
        // clang-format on
        for (const auto &c : cases)
            QCOMPARE(DisplayScale::compute(c.dpiX, c.dpiY, c.available), c.expected);
    }

    // Scaled widgets land on whole pixels, rounded, not cut.
    void childGeometryIsScaledAndRounded()
    {
        QWidget root;
        auto *frame = new QWidget(&root);
        frame->setGeometry(10, 10, 977, 637);
        auto *label = new QLabel(frame);
        label->setGeometry(3, 5, 101, 33);
        DisplayScale::scaleChildGeometry(&root, 1.25);
        QCOMPARE(frame->geometry(), QRect(13, 13, 1221, 796)); // 12.5 -> 13, 796.25 -> 796
        QCOMPARE(label->geometry(), QRect(4, 6, 126, 41)); // 3.75, 6.25, 126.25, 41.25
    }
    // Pictures named from stems or in the Chinese set escape the source scan
    // below: load every picture of the sheets that build such names (a
    // selected tab shows all three pictures of its set).
    void everyPictureOfEverySheetLoads()
    {
        using namespace ImageStyle;
        QStringList sheets {folderButtonSheet()};
        for (const char *stem : {HistoryStem, ServiceStem, MenuStem, MinStem, CloseStem, HelpStem})
            sheets << tabSheet(":/newimage/", stem, true, false);
        for (bool zh : {false, true}) {
            for (const char *stem : {"proxy", "setting", "step", "about", "test"})
                sheets << serviceTabSheet(stem, true, zh);
            for (const QString &stem : {QString(DeleteStem), QString(RetryStem), listFilterStem(0),
                     listFilterStem(1), listFilterStem(2), listFilterStem(3)})
                sheets << tabSheet(":/newimage/", stem, true, zh);
            for (const char *stem : {TopTabStem, ToolsTabStem})
                sheets << tabSheet(":/tabimage/", stem, true, zh);
            for (bool on : {false, true})
                sheets << downloadTabSheet(on, zh) << oneKeySheet(on, zh) << startAllSheet(on, zh);
            sheets << pasteSheet(zh) << okSheet(zh) << dialogDownloadSheet(zh) << refreshSheet(zh)
                   << plainSheet(localized(":/stack2/day.png", zh));
        }
        for (const QString &sheet : sheets) {
            auto it = QRegularExpression("url\\(([^)]*)\\)").globalMatch(sheet);
            QVERIFY2(it.hasNext(), qPrintable(sheet));
            while (it.hasNext()) {
                const QString path = it.next().captured(1);
                QVERIFY2(!QImage(path).isNull(), qPrintable(path));
            }
        }
    }

    // Every resource path in the sources (":/..." after a quote or "url(")
    // is embedded; "%1" stands for a number, a folder or a name without an
    // extension must begin some embedded path.
    void everyPathNamedInTheSourcesIsEmbedded()
    {
        QStringList embedded;
        for (QDirIterator it(":/", QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
            embedded << it.next();
        const QRegularExpression path(QStringLiteral("(?<=[\"(])(:/\\w[\\w./%\\-]*)"));
        int checked = 0;
        for (const char *dir : {"base", "app", "tasks", "extractor", "downloads", "intake",
                 "network", "service", "ui", "forms", "scripts/screenshots"}) {
            QDirIterator files(qEnvironmentVariable("QUILLON_SOURCE_DIR") + '/' + dir,
                {"*.cpp", "*.h", "*.ui"}, QDir::Files, QDirIterator::Subdirectories);
            while (files.hasNext()) {
                QFile f(files.next());
                QVERIFY(f.open(QIODevice::ReadOnly));
                for (auto it = path.globalMatch(QString::fromUtf8(f.readAll())); it.hasNext();) {
                    const QString p = it.next().captured(1);
                    const QRegularExpression pattern('^'
                        + QRegularExpression::escape(p).replace("\\%1", "[0-9]+")
                        + (p.contains('.') ? "$" : ""));
                    QVERIFY2(
                        !embedded.filter(pattern).isEmpty(), qPrintable(f.fileName() + ": " + p));
                    ++checked;
                }
            }
        }
        QVERIFY(checked > 30);
    }

    // Started from another folder, the translation beside the program is used.
    void translationBesideTheProgram()
    {
        const QString oldCwd = QDir::currentPath();
        QTemporaryDir empty;
        QVERIFY(QDir::setCurrent(empty.path()));
        const QString beside = QCoreApplication::applicationDirPath() + "/lang_Chinses.qm";
        QVERIFY(QFile::copy(binaryDir() + "/lang_Chinses.qm", beside));
        LanguageTranslator t;
        const bool loaded = LanguageFiles::load(&t, 1);
        QFile::remove(beside);
        QDir::setCurrent(oldCwd);
        QVERIFY(loaded);
        // A text shown by any class finds its translation through the catalogue.
        QCOMPARE(t.translate("itemWidget", "Queuing"), QString("排队中"));
        QCOMPARE(t.translate("DownloadChoices", " FHD 720P"), QString(" 高清 720P"));
    }

    // Every message of both translation sources is finished, English shows
    // no Chinese except the language's own name, and the sources hold every
    // catalogue text and every download choice.
    void translationSourcesAreComplete()
    {
        QHash<QString, QSet<QString>> sources; // context -> source texts
        for (const char *name : {"lang_Chinses.ts", "lang_English.ts"}) {
            QFile f(qEnvironmentVariable("QUILLON_SOURCE_DIR") + "/translations/" + name);
            QVERIFY(f.open(QIODevice::ReadOnly));
            QXmlStreamReader xml(&f);
            QString context, source;
            const bool english = QByteArray(name).contains("English");
            while (!xml.atEnd()) {
                if (xml.readNext() != QXmlStreamReader::StartElement)
                    continue;
                if (xml.name() == QLatin1String("name"))
                    context = xml.readElementText();
                if (xml.name() == QLatin1String("source"))
                    sources[context].insert(source = xml.readElementText());
                if (xml.name() != QLatin1String("translation"))
                    continue;
                const QString where = QString(name) + ": " + source;
                QVERIFY2(xml.attributes().value("type").isEmpty(), qPrintable(where));
                const QString text = xml.readElementText();
                QVERIFY2(!text.isEmpty(), qPrintable(where));
                if (english && !source.trimmed().startsWith(QString::fromUtf8("简体中文")))
                    QVERIFY2(!text.contains(QRegularExpression("[\\x{3000}-\\x{10ffff}]")),
                        qPrintable(where));
            }
            QVERIFY(!xml.hasError());
        }
        for (const QString &text : UiTexts::catalogue())
            QVERIFY2(sources[UiTexts::Context].contains(text), qPrintable(text));
        // No translator is installed here: the labels are the source texts.
        for (const auto &table :
            {qualityChoices(), rateChoices(), subtitleModeChoices(), subtitleLanguageChoices()})
            for (const ChoiceEntry &entry : table)
                QVERIFY2(sources["DownloadChoices"].contains(entry.label), qPrintable(entry.label));
    }

    // A white frame on a transparent surface: a zero shadow changes nothing, a
    // real one darkens the margin around a frame that stays in place.
    void shadowKeepsTheFrameInPlace()
    {
        auto render = [](CustomShadowEffect *effect, qreal size) {
            QWidget host;
            host.setAttribute(Qt::WA_TranslucentBackground);
            host.resize(80, 80);
            auto *frame = new QLabel(&host);
            frame->setGeometry(20, 20, 40, 40);
            frame->setAutoFillBackground(true);
            frame->setStyleSheet("QLabel{background:#ffffff}");
            if (effect) {
                effect->setDistance(size);
                effect->setBlurRadius(5 * size);
                frame->setGraphicsEffect(effect);
            }
            host.show();
            return host.grab().toImage().convertToFormat(QImage::Format_ARGB32);
        };
        const QImage plain = render(nullptr, 0);
        QCOMPARE(render(new CustomShadowEffect, 0), plain);
        const QImage shaded = render(new CustomShadowEffect, 1);
        QVERIFY(qAlpha(shaded.pixel(17, 40)) > 0 && qAlpha(shaded.pixel(62, 40)) > 0);
        QCOMPARE(qAlpha(shaded.pixel(2, 2)), 0);
        for (const QPoint &p : {QPoint(20, 20), QPoint(40, 40), QPoint(59, 59)})
            QCOMPARE(shaded.pixel(p), plain.pixel(p));
    }

    // --- settings ------------------------------------------------------------

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

QUILLON_TEST_MAIN(TestShellLogic)
#include "tst_shelllogic.moc"
