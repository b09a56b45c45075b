#include "support/testmain.h"

#include "base/resources.h"
#include "downloads/customshadoweffect.h"
#include "ui/helplauncher.h"
#include "ui/languagefiles.h"
#include "ui/languagetranslator.h"
#include "ui/settingspage.h"
#include "ui/uitexts.h"
#include "ui/wheelpaging.h"

#include <QLabel>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>

// The widget-free rules of the window shell: settings page choices, wheel
// paging, translation files and lookup, help page, drop shadow.
class TestShellLogic : public QObject
{
    Q_OBJECT

    QString binaryDir() const { return qEnvironmentVariable("QUILLON_BINARY_DIR"); }

private slots:
    void initTestCase() { initQuillonResources(); }

    // A stored value selects its own entry; anything outside the choices the first.
    void storedValueSelectsEntry()
    {
        using namespace SettingsPage;
        for (int n = 1; n <= 9; ++n)
            QCOMPARE(processChoices().at(processIndex(n)), QString::number(n));
        QCOMPARE(videoCountChoices().at(videoCountIndex(15)), QString("15"));
        QCOMPARE(analysisChoices().at(analysisIndex(2)), QString("2"));
        for (int n : {-3, 0, 12})
            QVERIFY(processIndex(n) == 0 && videoCountIndex(n) == 0 && analysisIndex(n) == 0);
    }

    void comboStyleScales()
    {
        const QString sheet = SettingsPage::comboStyleSheet(1.5);
        QCOMPARE(sheet.count("font-size: 18px;"), 2); // the box and its list
        QVERIFY(sheet.contains("min-height: 45px;"));
        QVERIFY(SettingsPage::comboStyleSheet(1.25).contains("min-height: 37.5px;"));
    }

    // Toward the user pages down by five, anything above -8 up by five, within the range.
    void wheelPages()
    {
        QCOMPARE(WheelPaging::pagedValue(10, 0, 20, -7), 5);
        QCOMPARE(WheelPaging::pagedValue(3, 0, 20, 120), 0);
        QCOMPARE(WheelPaging::pagedValue(10, 0, 20, -8), 15);
        QCOMPARE(WheelPaging::pagedValue(17, 0, 20, -120), 20);
        QCOMPARE(WheelPaging::pagedValue(15, 0, 20, -120), 20);
        QCOMPARE(WheelPaging::pagedValue(0, 0, 0, -120), 0);
    }

    // The working directory first, then the program's folder (missing in both:
    // see the window test).
    void translationFileLookup()
    {
        const QString oldCwd = QDir::currentPath();
        QTemporaryDir empty;
        QVERIFY(QDir::setCurrent(empty.path()));
        QTranslator t;

        const QString beside = QCoreApplication::applicationDirPath() + "/lang_Chinses.qm";
        QVERIFY(QFile::copy(binaryDir() + "/lang_Chinses.qm", beside));
        const bool loadedBeside = LanguageFiles::load(&t, 1);
        const QString besideText = t.translate("Quillon", "Tips");
        QFile::remove(beside);
        QVERIFY(loadedBeside);
        QCOMPARE(besideText, QString("提示"));

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
        QVERIFY(t.translate("itemWidget", "no such text").isEmpty());
    }

    // Both languages translate every catalogue text; English shows no Chinese
    // except the language's own name.
    void everyCatalogueTextIsTranslated()
    {
        QTranslator zh, en;
        QVERIFY(zh.load(binaryDir() + "/lang_Chinses.qm"));
        QVERIFY(en.load(binaryDir() + "/lang_English.qm"));
        const QStringList texts = UiTexts::catalogue();
        QVERIFY(texts.size() > 150);
        for (const QString &text : texts) {
            const QByteArray utf8 = text.toUtf8();
            const char *source = utf8.constData();
            QVERIFY2(!zh.translate(UiTexts::Context, source).isEmpty(), source);
            const QString english = en.translate(UiTexts::Context, source);
            QVERIFY2(!english.isEmpty(), source);
            if (!text.trimmed().startsWith(QString::fromUtf8("简体中文")))
                QVERIFY2(!english.contains(QRegularExpression("[\\x{3000}-\\x{10ffff}]")), source);
        }
        QCOMPARE(zh.translate(UiTexts::Context, "+Batch import"), QString("+批量链接导入"));
    }

    // No message of the translation sources is left unfinished or vanished.
    void translationSourcesAreComplete()
    {
        for (const char *name : {"lang_Chinses.ts", "lang_English.ts"}) {
            QFile f(qEnvironmentVariable("QUILLON_SOURCE_DIR") + "/translations/" + name);
            QVERIFY(f.open(QIODevice::ReadOnly));
            QXmlStreamReader xml(&f);
            int messages = 0;
            while (!xml.atEnd()) {
                if (xml.readNext() != QXmlStreamReader::StartElement)
                    continue;
                messages += xml.name() == QLatin1String("message");
                if (xml.name() == QLatin1String("translation")) {
                    QVERIFY2(xml.attributes().value("type").isEmpty(), name);
                    QVERIFY(!xml.readElementText().isEmpty());
                }
            }
            QVERIFY(!xml.hasError());
            QVERIFY(messages > 150);
        }
    }

    // The Chinese page is checked where the window opens it.
    void helpPageIsWrittenInTheLanguage()
    {
        QTemporaryDir dir;
        QFile en(HelpLauncher::writeHtmlHelp(dir.path() + "/help/", false));
        QCOMPARE(en.fileName(), dir.path() + "/help/help_en.html");
        QVERIFY(en.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(en.readAll());
        QVERIFY(text.contains("Proxy modes") && text.contains("setting.ini"));
        QVERIFY(text.contains("MACAddrs.db"));
        // An unwritable place gives no page rather than a broken one.
        QVERIFY(HelpLauncher::writeHtmlHelp("/proc/no/such/place/", true).isEmpty());
    }

    // The help file by bare name in the working directory, else beside the program.
    void helpFileIsFoundBesideTheProgram()
    {
        const QString oldCwd = QDir::currentPath();
        QTemporaryDir empty;
        QVERIFY(QDir::setCurrent(empty.path()));
        QCOMPARE(HelpLauncher::chmPath(), QString("help.chm")); // none found: the bare name
        const QString beside = QCoreApplication::applicationDirPath() + "/help.chm";
        QFile chm(beside), here("help.chm");
        QVERIFY(chm.open(QIODevice::WriteOnly));
        const QString found = HelpLauncher::chmPath();
        QVERIFY(here.open(QIODevice::WriteOnly));
        const QString preferred = HelpLauncher::chmPath();
        chm.remove();
        QDir::setCurrent(oldCwd);
        QCOMPARE(found, beside);
        QCOMPARE(preferred, QString("help.chm"));
    }

    // A white label on a transparent surface with and without the effect: a
    // zero shadow changes nothing, a real one darkens the margin around a
    // frame that stays in place.
    void shadowDraws()
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
        QCOMPARE(qAlpha(plain.pixel(17, 40)), 0);
        QVERIFY(qAlpha(shaded.pixel(17, 40)) > 0);
        QVERIFY(qAlpha(shaded.pixel(62, 40)) > 0);
        QCOMPARE(qAlpha(shaded.pixel(2, 2)), 0);
        for (const QPoint &p : {QPoint(20, 20), QPoint(40, 40), QPoint(59, 59)})
            QCOMPARE(shaded.pixel(p), plain.pixel(p));
    }
};

QUILLON_TEST_MAIN(TestShellLogic)
#include "tst_shelllogic.moc"
