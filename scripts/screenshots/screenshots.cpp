// Takes a picture of every main page and service tab of the main window, in
// English and in Chinese, plus the drop-down menu. Used by
// scripts/screenshots.sh; run it in the build folder (it needs the compiled
// translations in the working directory) with a HOME of its own.
#include "base/fonts.h"
#include "base/global.h"
#include "base/resources.h"
#include "downloads/downloadlistcontroller.h"
#include "downloads/qmenubutton.h"
#include "downloads/retryrules.h"
#include "extractor/extractorprobe.h"
#include "extractor/extractorupdatedialog.h"
#include "extractor/metadata.h"
#include "extractor/runreport.h"
#include "intake/form.h"
#include "intake/listdialog.h"
#include "intake/playlistrows.h"
#include "intake/singledialog.h"
#include "service/downloader.h"
#include "service/noticedialog.h"
#include "service/vendorservicecontroller.h"
#include "tasks/iteminfo.h"
#include "ui/mainwindow.h"

#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTimer>

namespace {

void settle()
{
    // Long enough for new child widgets to be laid out and painted.
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 300)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
}

void click(MainWindow &w, const char *name)
{
    if (auto *b = w.findChild<QPushButton *>(QLatin1String(name)))
        b->click();
    settle();
}

// A few tasks in every state, so the list page shows real rows.
void addSampleTasks(MainWindow &w)
{
    struct Sample
    {
        const char *title;
        int status;
        int percent;
        bool active;
    };
    const Sample samples[] = {
        {"Evening walk along the river, recorded in 4K", 6, 100, true},
        {"How to bake sourdough bread at home (full guide)", 7, 0, true},
        {"Conference keynote: building reliable desktop software", 4, 45, true},
        {"Piano practice, week 12", 2, 0, true},
        {"Mountain timelapse", 1, 0, true},
        {"Paused lecture recording", 2, 0, false},
        {"Live concert, second set", 7, 0, true},
    };
    for (const Sample &s : samples) {
        auto *t = new ItemInfo;
        t->uniqueID = newUniqueId();
        t->title = QString::fromUtf8(s.title);
        t->url = QStringLiteral("https://video.example/watch?v=") + t->uniqueID.left(11);
        t->process_status = s.status;
        t->active = s.active;
        t->process = s.percent;
        t->process_string = QString::number(s.percent) + QStringLiteral(".0%");
        t->qfilesize = QStringLiteral("48.20MiB");
        t->rate = QStringLiteral("2.35MiB/s");
        t->eta = QStringLiteral("00:12");
        t->duration = 754;
        // The longest reason a failed row gives.
        if (s.status == 7)
            t->failReason = int(FailReason::FolderUnusable);
        // A failed download waiting for its automatic retry.
        if (t->title.startsWith(QLatin1String("Live concert"))) {
            RetryRules::setTries(t, 1);
            t->retryAt = QDateTime(QDate(2026, 3, 1), QTime(21, 4, 10)).toMSecsSinceEpoch();
        }
        w.downloadList()->addTask(t);
    }
}

// What the extractor prints for a video with a few formats.
QByteArray sampleVideo()
{
    QByteArray formats;
    const char *const rows[] = {
        R"({"format_id":"140","ext":"m4a","acodec":"mp4a.40.2","vcodec":"none","abr":129,"tbr":129,"filesize":3145728})",
        R"({"format_id":"18","ext":"mp4","acodec":"mp4a.40.2","vcodec":"avc1.42001E","height":360,"width":640,"fps":30,"filesize":12582912})",
        R"({"format_id":"137","ext":"mp4","acodec":"none","vcodec":"avc1.640028","height":1080,"width":1920,"fps":30,"filesize":83886080})",
        R"({"format_id":"248","ext":"webm","acodec":"none","vcodec":"vp9","height":1080,"width":1920,"fps":30,"filesize":62914560})",
        R"({"format_id":"136","ext":"mp4","acodec":"none","vcodec":"avc1.4d401f","height":720,"width":1280,"fps":30,"filesize":41943040})"};
    for (const char *row : rows)
        formats += (formats.isEmpty() ? "" : ",") + QByteArray(row);
    return R"({"fulltitle":"Morning light over the harbour","duration":754,"uploader":"Harbour Films","upload_date":"20240311","formats":[)"
        + formats + "]}";
}

// What the extractor's flat-list run prints for a playlist.
QByteArray samplePlaylist()
{
    QByteArray out;
    const char *const titles[] = {"Harbour at dawn", "Fishing boats return", "Market on the quay",
        "Lighthouse at dusk", "Night ferry", "Storm over the bay", "Gulls", "The old crane",
        "Sunday regatta", "Low tide"};
    int n = 0;
    for (const char *title : titles)
        out += R"({"_type":"url","url":"https://video.example/watch?v=)" + QByteArray::number(++n)
            + R"(","title":")" + title + "\"}\n";
    return out;
}

// Thumbnails for the entries of the example popular lists, as files under
// folder + "/vi/<id>/1.jpg": the example root's lists then show pictures.
void makeThumbnails(const QString &folder)
{
    QFile file(QStringLiteral(QUILLON_SOURCE_DIR "/vendor/interface/report/quillon/topday.txt"));
    file.open(QIODevice::ReadOnly);
    const QJsonObject root = QJsonDocument::fromJson(file.readAll()).object();
    int n = 0;
    for (const char *key : {"data", "weekdata", "monthdata"}) {
        for (const QJsonValue &entry : root.value(QLatin1String(key)).toArray()) {
            const QString id = entry.toObject().value(QLatin1String("url")).toString();
            QImage image(160, 90, QImage::Format_RGB32);
            QLinearGradient gradient(0, 0, 160, 90);
            gradient.setColorAt(0, QColor::fromHsv((n * 37) % 360, 90, 235));
            gradient.setColorAt(1, QColor::fromHsv((n * 37 + 60) % 360, 140, 150));
            QPainter painter(&image);
            painter.fillRect(image.rect(), gradient);
            painter.setBrush(QColor(255, 255, 255, 200));
            painter.setPen(Qt::NoPen);
            painter.drawPolygon(QPolygon({QPoint(68, 30), QPoint(68, 60), QPoint(94, 45)}));
            painter.end();
            QDir().mkpath(folder + QStringLiteral("/vi/") + id);
            image.save(folder + QStringLiteral("/vi/") + id + QStringLiteral("/1.jpg"));
            ++n;
        }
    }
}

void shoot(QWidget &w, const QString &dir, const QString &name)
{
    settle();
    w.grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    initQuillonResources();
    installFontSubstitutes();
    app.setFont(QFont(QStringLiteral("Microsoft YaHei"), 9));
    const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screenshots");
    QDir().mkpath(dir);

    // The popular page first without a vendor root, then with the example
    // root of the repository read from disk.
    QTemporaryDir thumbnails;
    makeThumbnails(thumbnails.path());
    qputenv("QUILLON_THUMBNAIL_BASE",
        QUrl::fromLocalFile(thumbnails.path() + "/vi/").toString().toUtf8());
    Global::useVendorRoot(QString());

    MainWindow w;
    w.show();
    settle();
    addSampleTasks(w);

    for (const QString &lang : {QStringLiteral("en"), QStringLiteral("zh")}) {
        if (lang == QLatin1String("en"))
            w.changeEnglishlanguage();
        else
            w.changeChineselanguage();
        settle();

        click(w, "pushButton_download");
        shoot(w, dir, lang + QStringLiteral("-1-download-intro"));
        w.findChild<QStackedWidget *>(QStringLiteral("stackedWidget_2"))->setCurrentIndex(1);
        w.on_pushButton_downloadfinished_2_clicked();
        shoot(w, dir, lang + QStringLiteral("-2-download-list"));
        w.on_pushButton_downloadfinished_3_clicked();
        shoot(w, dir, lang + QStringLiteral("-2-download-list-finished"));
        w.on_pushButton_downloadfinished_failure_clicked();
        shoot(w, dir, lang + QStringLiteral("-2-download-list-failed"));
        w.on_pushButton_downloadfinished_clicked();
        click(w, "pushButton_onekey");
        shoot(w, dir, lang + QStringLiteral("-3-onekey"));
        Global::useVendorRoot(QString());
        click(w, "pushButton_top");
        click(w, "pushButton_refresh");
        shoot(w, dir, lang + QStringLiteral("-4-popular-none"));
        Global::useVendorRoot(
            QUrl::fromLocalFile(QStringLiteral(QUILLON_SOURCE_DIR "/vendor")).toString());
        click(w, "pushButton_refresh");
        shoot(w, dir, lang + QStringLiteral("-4-popular"));
        w.vendorService()->loadNotices(true);
        const NoticeSet notices = w.vendorService()->notices();
        w.noticeDialog()->setNotices(notices.titles, notices.times, notices.texts);
        w.noticeDialog()->show();
        shoot(*w.noticeDialog(), dir, lang + QStringLiteral("-4-notices"));
        w.noticeDialog()->hide();
        {
            Downloader updater;
            updater.setChangelog(QStringLiteral(
                "Faster playlist analysis; popular lists of the day, week and month."));
            updater.show();
            updater.findChild<QProgressBar *>()->setValue(42);
            updater.findChild<QLabel *>(QStringLiteral("downloadLabel"))
                ->setText(QCoreApplication::translate("Downloader", "Downloading updates")
                    + QStringLiteral(" (1.3 MB ") + QCoreApplication::translate("Downloader", "of")
                    + QStringLiteral(" 3 MB)"));
            shoot(updater, dir, lang + QStringLiteral("-4-updater"));
        }
        {
            ExtractorUpdate update;
            ExtractorUpdateDialog dialog(&update);
            emit update.stepChanged(ExtractorUpdate::Step::Program);
            emit update.progress(1300000, 3000000);
            dialog.show();
            shoot(dialog, dir, lang + QStringLiteral("-4-extractor-update"));
        }
        click(w, "pushButton_about");
        shoot(w, dir, lang + QStringLiteral("-5-tools"));
        click(w, "pushButton_service");
        // The About tab shows the extractor once it has answered.
        QElapsedTimer probing;
        probing.start();
        while (!w.extractorProbe()->hasResult() && probing.elapsed() < 60000)
            QApplication::processEvents(QEventLoop::AllEvents, 100);
        const char *const tabs[] = {"pushButton_tab_proxy", "pushButton_tab_setting",
            "pushButton_tab_step", "pushButton_tab_about", "pushButton_tab_testpro"};
        int n = 0;
        for (const char *tab : tabs) {
            click(w, tab);
            shoot(w, dir,
                lang + QStringLiteral("-6-service-%1-").arg(++n)
                    + QString::fromLatin1(tab).mid(15));
        }

        // The settings page with a browser, then a cookies file, for sign-in.
        click(w, "pushButton_tab_setting");
        auto *cookies = w.findChild<QComboBox *>(QStringLiteral("comboBox_cookies"));
        cookies->setCurrentIndex(1);
        w.findChild<QLineEdit *>(QStringLiteral("lineEdit_cookieprofile"))
            ->setText(QStringLiteral("work"));
        shoot(w, dir, lang + QStringLiteral("-6-service-2-setting-cookies-browser"));
        cookies->setCurrentIndex(cookies->count() - 1);
        w.findChild<QLineEdit *>(QStringLiteral("lineEdit_cookiefile"))
            ->setText(QDir::toNativeSeparators(QDir::homePath() + "/Downloads/cookies.txt"));
        shoot(w, dir, lang + QStringLiteral("-6-service-2-setting-cookies-file"));
        cookies->setCurrentIndex(0);

        // The drop-down menu and its language submenu.
        auto *button = w.findChild<QMenuButton *>(QStringLiteral("pushButton_xiala"));
        QMenu *menu = button->menu();
        menu->popup(button->mapToGlobal(QPoint(0, button->height())));
        settle();
        shoot(*menu, dir, lang + QStringLiteral("-7-menu"));
        QMenu *languages = menu->actions().last()->menu();
        languages->popup(QPoint(0, 0));
        settle();
        shoot(*languages, dir, lang + QStringLiteral("-8-menu-language"));
        languages->hide();
        menu->hide();

        // The two link dialogs with what an analysis shows.
        auto *single = w.findChild<SingleDialog *>();
        single->setLanguage(lang == QLatin1String("zh") ? 1 : 0);
        single->show();
        VideoMetadata video;
        parseVideoOutput(sampleVideo(), &video);
        single->showAnalysis(true, video);
        shoot(*single, dir, lang + QStringLiteral("-9-single-dialog"));
        single->hide();
        auto *list = w.findChild<ListDialog *>();
        list->setLanguage(lang == QLatin1String("zh") ? 1 : 0);
        list->show();
        list->showEntries(parseFlatList(samplePlaylist()));
        shoot(*list, dir, lang + QStringLiteral("-9-playlist-dialog"));
        list->hide();
    }
    return 0;
}
