#include "support/testmain.h"

#include "downloads/customshadoweffect.h"
#include "ui/helplauncher.h"
#include "ui/languagefiles.h"
#include "ui/languagetranslator.h"
#include "ui/resources.h"
#include "ui/settingspage.h"
#include "ui/uitexts.h"
#include "ui/wheelpaging.h"

#include <QLabel>
#include <QPainter>
#include <QTemporaryDir>
#include <QXmlStreamReader>

// The widget-free rules of the window shell: settings page choices, wheel
// paging, translation files and lookup, help page, drop shadow.
class TestShellLogic : public QObject
{
    Q_OBJECT

    QString binaryDir() const { return qEnvironmentVariable("QUILLON_BINARY_DIR"); }
    QString sourceDir() const { return qEnvironmentVariable("QUILLON_SOURCE_DIR"); }

    static bool hasCjk(const QString &text)
    {
        for (QChar c : text)
            if (c.unicode() >= 0x3000)
                return true;
        return false;
    }

private slots:
    void initTestCase()
    {
        initQuillonResources();
        QVERIFY(QFile::exists(binaryDir() + "/lang_Chinses.qm"));
        QVERIFY(QFile::exists(binaryDir() + "/lang_English.qm"));
    }

    void storedValueSelectsEntry_data()
    {
        QTest::addColumn<int>("topnum");
        QTest::addColumn<int>("processnum");
        QTest::addColumn<int>("anaprocessnum");
        QTest::addColumn<QString>("videos");
        QTest::addColumn<QString>("processes");
        QTest::addColumn<QString>("analyses");
        QTest::newRow("defaults") << 10 << 3 << 1 << "10"
                                  << "3"
                                  << "1";
        QTest::newRow("largest") << 15 << 9 << 2 << "15"
                                 << "9"
                                 << "2";
        QTest::newRow("smallest") << 5 << 1 << 1 << "5"
                                  << "1"
                                  << "1";
        QTest::newRow("out of range") << 12 << 12 << 5 << "5"
                                      << "1"
                                      << "1";
        QTest::newRow("zero and negative") << 0 << -3 << 0 << "5"
                                           << "1"
                                           << "1";
    }

    void storedValueSelectsEntry()
    {
        QFETCH(int, topnum);
        QFETCH(int, processnum);
        QFETCH(int, anaprocessnum);
        QFETCH(QString, videos);
        QFETCH(QString, processes);
        QFETCH(QString, analyses);
        QCOMPARE(
            SettingsPage::videoCountChoices().at(SettingsPage::videoCountIndex(topnum)), videos);
        QCOMPARE(
            SettingsPage::processChoices().at(SettingsPage::processIndex(processnum)), processes);
        QCOMPARE(SettingsPage::analysisChoices().at(SettingsPage::analysisIndex(anaprocessnum)),
            analyses);
    }

    void choicesMatchTheSlots()
    {
        // Nine download slots and two analysis slots.
        QCOMPARE(SettingsPage::processChoices().size(), 9);
        QCOMPARE(SettingsPage::processChoices().last(), QString("9"));
        QCOMPARE(SettingsPage::analysisChoices(), QStringList({"1", "2"}));
        QCOMPARE(SettingsPage::videoCountChoices(), QStringList({"5", "10", "15"}));
    }

    void comboStyleScales_data()
    {
        QTest::addColumn<double>("scale");
        QTest::addColumn<QString>("font");
        QTest::addColumn<QString>("item");
        QTest::newRow("1") << 1.0 << "font-size: 12px;"
                           << "min-height: 30px;";
        QTest::newRow("1.25") << 1.25 << "font-size: 15px;"
                              << "min-height: 37.5px;";
        QTest::newRow("1.5") << 1.5 << "font-size: 18px;"
                             << "min-height: 45px;";
    }

    void comboStyleScales()
    {
        QFETCH(double, scale);
        QFETCH(QString, font);
        QFETCH(QString, item);
        const QString sheet = SettingsPage::comboStyleSheet(scale);
        QCOMPARE(sheet.count(font), 2);
        QVERIFY(sheet.contains(item));
        QVERIFY(sheet.startsWith("QComboBox {height: 30px;border-radius: 3px;"));
        QVERIFY(sheet.contains("QComboBox::down-arrow {image: url(:/img/arrow-bottom3.png);}"));
        QVERIFY(sheet.endsWith("QComboBox QAbstractItemView::item:selected {background: "
                               "rgb(232, 241, 250);color: rgb(2, 65, 132);}"));
    }

    void wheelPages_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<int>("delta");
        QTest::addColumn<int>("expected");
        QTest::newRow("away from user, toward newest") << 10 << 20 << 120 << 5;
        QTest::newRow("-7 still counts as up") << 10 << 20 << -7 << 5;
        QTest::newRow("up stops at minimum") << 3 << 20 << 120 << 0;
        QTest::newRow("toward user, toward oldest") << 10 << 20 << -120 << 15;
        QTest::newRow("-8 pages down") << 10 << 20 << -8 << 15;
        QTest::newRow("down stops at maximum") << 17 << 20 << -120 << 20;
        QTest::newRow("exactly five left") << 15 << 20 << -120 << 20;
        QTest::newRow("empty range") << 0 << 0 << -120 << 0;
    }

    void wheelPages()
    {
        QFETCH(int, value);
        QFETCH(int, maximum);
        QFETCH(int, delta);
        QFETCH(int, expected);
        QCOMPARE(WheelPaging::pagedValue(value, 0, maximum, delta), expected);
    }

    // The working directory first, then the program's folder; without either
    // nothing is loaded.
    void translationFileLookup()
    {
        QCOMPARE(LanguageFiles::fileName(1), QString("lang_Chinses.qm"));
        QCOMPARE(LanguageFiles::fileName(7), QString("lang_Chinses.qm"));
        QCOMPARE(LanguageFiles::fileName(0), QString("lang_English.qm"));

        const QString oldCwd = QDir::currentPath();
        QTemporaryDir empty;
        QVERIFY(QDir::setCurrent(empty.path()));
        QTranslator t;
        QVERIFY(!LanguageFiles::load(&t, 1));
        QVERIFY(t.isEmpty());

        // Beside the program only.
        const QString beside = QCoreApplication::applicationDirPath() + "/lang_Chinses.qm";
        QVERIFY(QFile::copy(binaryDir() + "/lang_Chinses.qm", beside));
        const bool loadedBeside = LanguageFiles::load(&t, 1);
        const QString besideText = t.translate("Quillon", "Tips");
        QFile::remove(beside);
        QVERIFY(loadedBeside);
        QCOMPARE(besideText, QString("提示"));

        // The working directory wins over the program's folder.
        QVERIFY(QDir::setCurrent(binaryDir()));
        QVERIFY(LanguageFiles::load(&t, 0));
        QCOMPARE(t.translate("Quillon", "提示:"), QString("Tips:"));
        QDir::setCurrent(oldCwd);
    }

    // A text shown by any class finds its translation through the catalogue.
    void translatorFallsBackToTheCatalogue()
    {
        LanguageTranslator t;
        QVERIFY(t.load(binaryDir() + "/lang_Chinses.qm"));
        QCOMPARE(t.translate("itemWidget", "Queuing"), QString("排队中"));
        QCOMPARE(t.translate("SingleDialog", "please select a type "), QString("请选择一种格式"));
        QCOMPARE(t.translate("TaskStatus", "Downloading"), QString("下载中"));
        QVERIFY(t.translate("itemWidget", "no such text").isEmpty());
    }

    void everyCatalogueTextIsTranslated()
    {
        QTranslator zh;
        QTranslator en;
        QVERIFY(zh.load(binaryDir() + "/lang_Chinses.qm"));
        QVERIFY(en.load(binaryDir() + "/lang_English.qm"));
        const QStringList texts = UiTexts::catalogue();
        QVERIFY(texts.size() > 150);
        for (const QString &text : texts) {
            const QByteArray source = text.toUtf8();
            const QString chinese = zh.translate(UiTexts::Context, source.constData());
            QVERIFY2(!chinese.isEmpty(), source.constData());
            const QString english = en.translate(UiTexts::Context, source.constData());
            QVERIFY2(!english.isEmpty(), source.constData());
            // The English interface shows no Chinese, except the language's own name.
            if (!text.trimmed().startsWith(QString::fromUtf8("简体中文")))
                QVERIFY2(!hasCjk(english), source.constData());
        }
        // Words a user reads most, spot-checked.
        QCOMPARE(
            zh.translate(UiTexts::Context, "The network is available."), QString("网络连接正常。"));
        QCOMPARE(zh.translate(UiTexts::Context, "+Batch import"), QString("+批量链接导入"));
        QCOMPARE(zh.translate(UiTexts::Context, "+Batch export"), QString("批量链接导出"));
    }

    // No message of the translation sources is left unfinished or vanished.
    void translationSourcesAreComplete()
    {
        for (const char *name :
            {"/translations/lang_Chinses.ts", "/translations/lang_English.ts"}) {
            QFile f(sourceDir() + QLatin1String(name));
            QVERIFY(f.open(QIODevice::ReadOnly));
            QXmlStreamReader xml(&f);
            int messages = 0;
            while (!xml.atEnd()) {
                xml.readNext();
                if (xml.isStartElement() && xml.name() == QLatin1String("message"))
                    ++messages;
                if (xml.isStartElement() && xml.name() == QLatin1String("translation")) {
                    const QString type = xml.attributes().value("type").toString();
                    QVERIFY2(type.isEmpty(), qPrintable(QString(name) + " " + type));
                    QVERIFY(!xml.readElementText().isEmpty());
                }
            }
            QVERIFY(!xml.hasError());
            QVERIFY(messages > 150);
        }
    }

    void helpPageIsWrittenInTheLanguage()
    {
        QTemporaryDir dir;
        const QString folder = dir.path() + "/help/";
        const QString zh = HelpLauncher::writeHtmlHelp(folder, true);
        const QString en = HelpLauncher::writeHtmlHelp(folder, false);
        QCOMPARE(zh, folder + "help_zh.html");
        QCOMPARE(en, folder + "help_en.html");
        QFile zhPage(zh);
        QVERIFY(zhPage.open(QIODevice::ReadOnly));
        QVERIFY(QString::fromUtf8(zhPage.readAll()).contains(QString::fromUtf8("三个步骤")));
        QFile enPage(en);
        QVERIFY(enPage.open(QIODevice::ReadOnly));
        QVERIFY(QString::fromUtf8(enPage.readAll()).contains("Proxy modes"));

        // An unwritable place gives no page rather than a broken one.
        QVERIFY(HelpLauncher::writeHtmlHelp("/proc/no/such/place/", true).isEmpty());
    }

    void helpFileIsFoundBesideTheProgram()
    {
        const QString oldCwd = QDir::currentPath();
        QTemporaryDir empty;
        QVERIFY(QDir::setCurrent(empty.path()));
        QCOMPARE(HelpLauncher::chmPath(), QString("help.chm"));
        const QString beside = QCoreApplication::applicationDirPath() + "/help.chm";
        QFile chm(beside);
        QVERIFY(chm.open(QIODevice::WriteOnly));
        chm.close();
        const QString found = HelpLauncher::chmPath();
        QFile here("help.chm");
        QVERIFY(here.open(QIODevice::WriteOnly));
        here.close();
        const QString preferred = HelpLauncher::chmPath();
        QFile::remove(beside);
        QDir::setCurrent(oldCwd);
        QCOMPARE(found, beside);
        QCOMPARE(preferred, QString("help.chm"));
    }

    void shadowGrowsTheBoundingRect()
    {
        CustomShadowEffect effect;
        effect.setDistance(1.0);
        effect.setBlurRadius(5.0);
        QCOMPARE(effect.boundingRectFor(QRectF(10, 10, 100, 50)), QRectF(4, 4, 112, 62));
        QCOMPARE(effect.getColor(), QColor(0, 0, 0, 80));
    }

    // Renders a white label on a transparent surface with and without the
    // effect: a zero shadow changes nothing, a real one darkens the margin.
    void shadowDraws()
    {
        auto render = [](CustomShadowEffect *effect) {
            QWidget host;
            host.setAttribute(Qt::WA_TranslucentBackground);
            host.resize(80, 80);
            auto *frame = new QLabel(&host);
            frame->setGeometry(20, 20, 40, 40);
            frame->setAutoFillBackground(true);
            frame->setStyleSheet("QLabel{background:#ffffff}");
            if (effect)
                frame->setGraphicsEffect(effect);
            host.show();
            return host.grab().toImage().convertToFormat(QImage::Format_ARGB32);
        };
        const QImage plain = render(nullptr);
        auto *none = new CustomShadowEffect;
        none->setDistance(0);
        none->setBlurRadius(0);
        const QImage unchanged = render(none);
        int differing = 0;
        for (int y = 0; y < 80; ++y)
            for (int x = 0; x < 80; ++x)
                differing += unchanged.pixel(x, y) != plain.pixel(x, y);
        QCOMPARE(differing, 0);

        auto *shadow = new CustomShadowEffect;
        shadow->setDistance(1.0);
        shadow->setBlurRadius(5.0);
        const QImage shaded = render(shadow);
        QCOMPARE(qAlpha(plain.pixel(17, 40)), 0);
        QVERIFY(qAlpha(shaded.pixel(17, 40)) > 0); // shadow outside the frame
        // The frame stays where it is, drawn over its shadow.
        for (const QPoint &p : {QPoint(20, 20), QPoint(40, 40), QPoint(59, 59)})
            QCOMPARE(shaded.pixel(p), plain.pixel(p));
        QVERIFY(qAlpha(shaded.pixel(62, 40)) > 0); // shadow on the far side too
        QCOMPARE(qAlpha(shaded.pixel(2, 2)), 0); // nothing far away
    }
};

QUILLON_TEST_MAIN(TestShellLogic)
#include "tst_shelllogic.moc"
