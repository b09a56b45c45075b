#include "ui/mainwindow.h"
#include "ui_mainwindow.h"

#include "base/global.h"
#include "base/imagestyle.h"
#include "base/savefolders.h"
#include "extractor/downloadcommand.h"
#include "intake/linkintake.h"
#include "ui/settingspage.h"
#include "ui/uitexts.h"

#include <QListView>
#include <QScrollBar>

// Looks of the pages that do not change with the language. The pictures and
// texts that do are set by applyLanguage().

namespace {

// Plain text buttons of the pages: outlined in the title-bar blue.
QString textButtonSheet()
{
    return QStringLiteral("QPushButton{color:#3190f0;background:#ffffff;border:1px solid #3190f0;"
                          "border-radius:%1px;font-size:%2px;padding:0px %3px;}"
                          "QPushButton:hover{background:#e8f2fd;}"
                          "QPushButton:pressed{background:#d4e6fb;color:#1e70d2;}"
                          "QPushButton:disabled{color:#c5cdd6;border-color:#c5cdd6;}"
                          "QPushButton:focus{outline: none;}")
        .arg(Global::scaled(6))
        .arg(Global::scaled(12))
        .arg(Global::scaled(6));
}

QString labelSheet(const char *color)
{
    return QStringLiteral("QLabel{color:%1}").arg(QLatin1String(color));
}

void setPixelFont(QWidget *w, double designPixels, bool bold = false)
{
    QFont f = w->font();
    f.setPixelSize(Global::scaled(designPixels));
    f.setBold(bold);
    w->setFont(f);
}

} // namespace

void MainWindow::styleDownloadPage()
{
    ui->pushButton_paste->setCursor(Qt::PointingHandCursor);
    ui->pushButton_onekey->setCursor(Qt::PointingHandCursor);
    ui->label_bigbiaoti->setPixmap(QPixmap(QStringLiteral(":/stack1/bigbiaoti.png")));
    ui->label_bigbiaoti->setScaledContents(true);
    ui->label_content->setScaledContents(true);
    ui->label_img->setPixmap(QPixmap(QStringLiteral(":/stack1/intro.png")));
    ui->label_img->setScaledContents(true);

    // The list page: filter tabs with their counters as badges on the tabs.
    const QList<QPushButton *> filters
        = {ui->pushButton_downloadfinished, ui->pushButton_downloadfinished_2,
            ui->pushButton_downloadfinished_3, ui->pushButton_downloadfinished_failure};
    for (QPushButton *b : filters)
        b->setCursor(Qt::PointingHandCursor);
    const QString badge
        = QStringLiteral("QLabel{color:#3190f0;background:#ffffff;border:1px solid #d4e6fb;"
                         "border-radius:%1px;font-size:%2px;}")
              .arg(Global::scaled(9))
              .arg(Global::scaled(11));
    for (QLabel *counter : {ui->label_all, ui->label_downloading, ui->label_downloaded,
             ui->label_downloaded_failure}) {
        counter->setStyleSheet(badge);
        counter->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    for (QPushButton *b : {ui->pushButton_downloadfinished_5, ui->pushButton_downloadfinished_retry,
             ui->pushButton_downloadfinished_4, ui->pushButton})
        b->setCursor(Qt::PointingHandCursor);
    ui->pushButton->setStyleSheet(ImageStyle::tabSheet(
        QStringLiteral(":/newimage/"), QLatin1String(ImageStyle::HistoryStem), false, false));
    // pushButton_6 is a second start-all button; the one beside the filters is enough.
    ui->pushButton_6->hide();
    for (QPushButton *b : {ui->pushButton_3, ui->pushButton_4}) {
        b->setStyleSheet(textButtonSheet());
        b->setCursor(Qt::PointingHandCursor);
    }
    ui->comboBox_7->setStyleSheet(ImageStyle::comboSheet(Global::SCALE));
    ui->comboBox_7->setView(new QListView(ui->comboBox_7));

    ui->frame_main->setStyleSheet(QStringLiteral("#frame_main{border:1px dashed #d9e1ec}"));
    ui->scrollArea_main->setStyleSheet(
        QStringLiteral("QScrollArea {background-color:transparent;}"));
    ui->scrollArea_main->viewport()->setStyleSheet(QStringLiteral("background-color:transparent;"));
    ui->verticalScrollBar->setStyleSheet(QStringLiteral(
        "QScrollBar:vertical{background:#f2f6fa;width:%1px;border:none;"
        "border-radius:%2px;margin:0px;}"
        "QScrollBar::handle:vertical{background:#c5cdd6;border-radius:%2px;"
        "min-height:%3px;}"
        "QScrollBar::handle:vertical:hover{background:#3190f0;}"
        "QScrollBar::add-line:vertical,QScrollBar::sub-line:vertical{height:0px;}"
        "QScrollBar::add-page:vertical,QScrollBar::sub-page:vertical{background:none;}")
                                             .arg(Global::scaled(8))
                                             .arg(Global::scaled(4))
                                             .arg(Global::scaled(30)));
}

void MainWindow::stylePopularPage()
{
    ui->frame_day->setStyleSheet(
        QStringLiteral("#frame_day{border:1px solid rgb(205,223,178);border-radius:3px}"));
    ui->frame_week->setStyleSheet(
        QStringLiteral("#frame_week{border:1px solid rgb(244,205,178);border-radius:3px}"));
    ui->frame_month->setStyleSheet(
        QStringLiteral("#frame_month{border:1px solid rgb(188,236,228);border-radius:3px}"));
    for (QFrame *head : {ui->frame_day_top, ui->frame_week_top, ui->frame_month_top}) {
        const QString id = head->objectName();
        head->setStyleSheet(
            QStringLiteral("#%1{background:#e8f8f6;border:1px solid rgb(188,236,228);}"
                           "#%1:hover{border:1px solid rgb(33,191,166);}")
                .arg(id));
    }
    const QString bar = QStringLiteral(
        "QScrollBar:vertical{width:%1px;background:transparent;border:none;margin:0px;}"
        "QScrollBar::handle:vertical{background:#c5cdd6;border-radius:%2px;min-height:%3px;}"
        "QScrollBar::add-line:vertical,QScrollBar::sub-line:vertical{height:0px;}"
        "QScrollBar::add-page:vertical,QScrollBar::sub-page:vertical{background:none;}")
                            .arg(Global::scaled(5))
                            .arg(Global::scaled(2))
                            .arg(Global::scaled(20));
    for (QScrollArea *area : {ui->scrollArea_day, ui->scrollArea_week, ui->scrollArea_month}) {
        area->setStyleSheet(QStringLiteral("QScrollArea {background-color:transparent;}"));
        area->viewport()->setStyleSheet(QStringLiteral("background-color:transparent;"));
        area->verticalScrollBar()->setStyleSheet(bar);
    }
    ui->pushButton_refresh->setCursor(Qt::PointingHandCursor);
    // Shown while no list has entries.
    ui->label_topnone->setStyleSheet(labelSheet("#8492a1"));
    setPixelFont(ui->label_topnone, 14);
    ui->label_topnone->hide();
}

void MainWindow::styleServicePages()
{
    ui->frame_ver_line->setStyleSheet(QStringLiteral("QFrame{background:#dddddd;border:none}"));

    // Help steps (their pictures come with the page: loadServicePictures).
    for (QLabel *step : {ui->label_4, ui->label_5, ui->label_6})
        step->setScaledContents(true);
    for (QLabel *l : {ui->label_7, ui->label_8, ui->label_9})
        l->setStyleSheet(QStringLiteral("QLabel{color:rgb(128,128,128)}"));
    ui->label_10->setStyleSheet(QStringLiteral("QLabel{color:#404040}"));
    setPixelFont(ui->label_10, 15, true);
    ui->label_11->setStyleSheet(QStringLiteral("QLabel{color:#808080}"));

    // About.
    ui->label_12->setStyleSheet(labelSheet("#2b3645"));
    setPixelFont(ui->label_12, 22, true);
    ui->label_13->setStyleSheet(labelSheet("#8492a1"));
    ui->label_14->setTextFormat(Qt::RichText);
    ui->label_14->setOpenExternalLinks(true);
    for (QLabel *l : {ui->label_16, ui->label_50, ui->label_51, ui->label_52}) {
        l->setStyleSheet(labelSheet("#455261"));
        l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }

    // Proxy page and proxy test.
    ui->groupBox->setStyleSheet(QStringLiteral("QGroupBox{border:none}"));
    const QString edit = ImageStyle::lineEditSheet(
        Global::scaled(6), QStringLiteral("QLineEdit:disabled{background:#f2f6fa;color:#8492a1;}"));
    ui->lineEdit->setStyleSheet(edit);
    ui->lineEdit_2->setStyleSheet(edit);
    ui->pushButton_2->setStyleSheet(textButtonSheet());
    ui->pushButton_2->setCursor(Qt::PointingHandCursor);
    ui->pushButton_test_pro->setCursor(Qt::PointingHandCursor);
    ui->textEdit_test->setStyleSheet(
        QStringLiteral("QTextEdit{border:1px solid #d9e1ec;border-radius:%1px;background:#fbfcfd;"
                       "color:#455261;padding:%1px;}")
            .arg(Global::scaled(6)));
}

void MainWindow::styleOneKeyPage()
{
    ui->label_onekeyconfiguration->setScaledContents(true);
    ui->label_oenkey2->setScaledContents(true);
    const QString combo = ImageStyle::comboSheet(Global::SCALE);
    for (QComboBox *c :
        {ui->comboBox_4, ui->comboBox_2, ui->comboBox_5, ui->comboBox_6, ui->comboBox_3}) {
        c->setStyleSheet(combo);
        c->setView(new QListView(c));
        c->setIconSize(QSize(Global::scaled(16), Global::scaled(16)));
    }
    ui->pushButton_5->setStyleSheet(ImageStyle::folderButtonSheet());
    ui->pushButton_5->setCursor(Qt::PointingHandCursor);
    ui->pushButton_onekey_ok->setCursor(Qt::PointingHandCursor);
    // The save folders offered before anything was stored.
    SaveFolders::fillDefaults(ui->comboBox_3, m_desktopDir);
}

// --- language-dependent pictures ------------------------------------------------

void MainWindow::applyPictureSet()
{
    const bool zh = chineseUi();
    const QString list = QStringLiteral(":/newimage/");

    restyleListFilters();
    restyleStartAllButton();
    ui->pushButton_downloadfinished_5->setStyleSheet(
        ImageStyle::tabSheet(list, QLatin1String(ImageStyle::DeleteStem), false, zh));
    ui->pushButton_downloadfinished_retry->setStyleSheet(
        ImageStyle::tabSheet(list, QLatin1String(ImageStyle::RetryStem), false, zh));

    ui->pushButton_paste->setStyleSheet(ImageStyle::pasteSheet(zh));
    ui->pushButton_test_pro->setStyleSheet(ImageStyle::pasteSheet(zh));
    restyleOneKeyButton();

    ui->pushButton_day->setStyleSheet(
        ImageStyle::plainSheet(ImageStyle::localized(QStringLiteral(":/stack2/day.png"), zh)));
    ui->pushButton_week->setStyleSheet(
        ImageStyle::plainSheet(ImageStyle::localized(QStringLiteral(":/stack2/week.png"), zh)));
    ui->pushButton_month->setStyleSheet(
        ImageStyle::plainSheet(ImageStyle::localized(QStringLiteral(":/stack2/month.png"), zh)));
    ui->pushButton_refresh->setStyleSheet(ImageStyle::refreshSheet(zh));

    ui->pushButton_setting->setStyleSheet(ImageStyle::okSheet(zh));
    ui->pushButton_onekey_ok->setStyleSheet(ImageStyle::okSheet(zh));

    // The intro text picture does not follow the prefix rule: its Chinese
    // twin drops the "1".
    ui->label_content->setPixmap(QPixmap(zh ? QStringLiteral(":/stack1/chinmidcontent.png")
                                            : QStringLiteral(":/stack1/midcontent1.png")));
    if (m_oneKeyPicturesLoaded)
        loadOneKeyPictures();

    // Unlike the top tabs, the service tabs would otherwise keep the old
    // language until one is clicked; restyle them now so no page mixes both.
    if (m_servicePicturesLoaded)
        selectServiceTab(m_serviceTab);
}

void MainWindow::showPagePictures(int page)
{
    QWidget *shown = ui->stackedWidget->widget(page);
    if (shown == ui->page_3 && !m_servicePicturesLoaded) {
        m_servicePicturesLoaded = true;
        loadServicePictures();
        selectServiceTab(m_serviceTab);
    } else if (shown == ui->page_onekey && !m_oneKeyPicturesLoaded) {
        m_oneKeyPicturesLoaded = true;
        loadOneKeyPictures();
    }
}

void MainWindow::loadServicePictures()
{
    const QList<QLabel *> steps = {ui->label_4, ui->label_5, ui->label_6};
    for (int i = 0; i < steps.size(); ++i)
        steps[i]->setPixmap(QPixmap(QStringLiteral(":/service2/%1.png").arg(i + 1)));
    ui->label_15->setPixmap(QPixmap(QStringLiteral(":/service2/vendor.png"))
                                .scaled(Global::scaled(168), Global::scaled(165),
                                    Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

void MainWindow::loadOneKeyPictures()
{
    const bool zh = chineseUi();
    ui->label_onekeyconfiguration->setPixmap(
        QPixmap(ImageStyle::localized(QStringLiteral(":/stack5/2xone-key1.png"), zh)));
    ui->label_oenkey2->setPixmap(
        QPixmap(ImageStyle::localized(QStringLiteral(":/stack5/2xone-key2.png"), zh)));
}

void MainWindow::restyleListFilters()
{
    const bool zh = chineseUi();
    const QList<QPushButton *> filters
        = {ui->pushButton_downloadfinished, ui->pushButton_downloadfinished_2,
            ui->pushButton_downloadfinished_3, ui->pushButton_downloadfinished_failure};
    for (int i = 0; i < filters.size(); ++i)
        filters[i]->setStyleSheet(ImageStyle::tabSheet(
            QStringLiteral(":/newimage/"), ImageStyle::listFilterStem(i), i == listView(), zh));
}

void MainWindow::restyleStartAllButton()
{
    ui->pushButton_downloadfinished_4->setStyleSheet(
        ImageStyle::startAllSheet(allTasksPaused(), chineseUi()));
    ui->pushButton_downloadfinished_4->setToolTip(
        allTasksPaused() ? tr("Start all") : tr("Pause all"));
}

void MainWindow::restyleOneKeyButton()
{
    ui->pushButton_onekey->setStyleSheet(
        ImageStyle::oneKeySheet(m_intake->oneKeyOn(), chineseUi()));
}

// --- choice lists ---------------------------------------------------------------------

namespace {

// Refilling must not lose what the page showed.
void refill(QComboBox *combo, const QVector<ChoiceEntry> &choices)
{
    const int current = combo->currentIndex();
    combo->clear();
    for (const ChoiceEntry &c : choices) {
        if (c.icon.isEmpty())
            combo->addItem(c.label);
        else
            combo->addItem(QIcon(c.icon), c.label);
    }
    combo->setCurrentIndex(current >= 0 && current < combo->count() ? current : 0);
}

// The lists the batch export can write, in the order of the list views.
QVector<ChoiceEntry> exportFilters()
{
    QVector<ChoiceEntry> list;
    for (const char *text :
        {"ALL List", "Pause List", "Downloading List", "Downloaded List", "Failture List"})
        list.append({QCoreApplication::translate(UiTexts::Context, text), QString(), QString()});
    return list;
}

} // namespace

// The download choices come from the extractor's tables, the only list of them.
void MainWindow::refillComboBoxes()
{
    refill(ui->comboBox_4, qualityChoices());
    refill(ui->comboBox_2, rateChoices());
    refill(ui->comboBox_5, subtitleModeChoices());
    refill(ui->comboBox_6, subtitleLanguageChoices());
    refill(ui->comboBox_7, exportFilters());
    fillCookieChoices();
}
