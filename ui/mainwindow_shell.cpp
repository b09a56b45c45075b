#include "ui/mainwindow.h"
#include "ui_mainwindow.h"

#include "base/customshadoweffect.h"
#include "base/dialogseam.h"
#include "base/displayscale.h"
#include "base/global.h"
#include "base/imagestyle.h"
#include "base/resources.h"
#include "base/widgetscale.h"
#include "ui/helplauncher.h"
#include "ui/wheelpaging.h"

#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <QUrl>
#include <QWheelEvent>

// Window chrome: frameless and translucent, every design geometry multiplied
// by the display scale.
void MainWindow::initWidgets()
{
    initQuillonResources();
    setWindowFlags(
        Qt::FramelessWindowHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint);
    setAttribute(Qt::WA_TranslucentBackground);
    setWindowTitle(tr("Orvanta Quillon"));
    setWindowIcon(QIcon(QStringLiteral(":/ico2/256.png")));

    connect(
        ui->stackedWidget, &QStackedWidget::currentChanged, this, &MainWindow::showPagePictures);
    DisplayScale::scaleChildGeometry(this, Global::SCALE);
    setFixedSize(
        Global::scaled(DisplayScale::DesignWidth), Global::scaled(DisplayScale::DesignHeight));
}

void MainWindow::stylePages()
{
    styleChrome();
    buildDropDownMenu();
    styleDownloadPage();
    stylePopularPage();
    styleServicePages();
    prepareSettingsPage();
    styleOneKeyPage();
    ui->label_version->setText(tr("Version: ") + Global::APP_VER);
}

void MainWindow::styleChrome()
{
    auto *shadow = new CustomShadowEffect(ui->frame_base);
    shadow->setBlurRadius(5.0);
    shadow->setDistance(1.0);
    shadow->setColor(QColor(0, 0, 0, 80));
    ui->frame_base->setGraphicsEffect(shadow);

    ui->frame_base->setStyleSheet(QStringLiteral("QFrame{background:#FFFFFF}"));
    ui->frame_top->setStyleSheet(QStringLiteral("QFrame{background:#3190f0}"));
    ui->frame_line_2->setStyleSheet(QStringLiteral("QFrame{background:#dddddd}"));

    const int icon = Global::scaled(30);
    ui->label_tubiao->setPixmap(
        QPixmap(QStringLiteral(":/image/tubiao1.png"))
            .scaled(icon, icon, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    ui->label_tubiao->setScaledContents(true);
    ui->pushButton_biaoti->setStyleSheet(
        ImageStyle::plainSheet(QStringLiteral(":/image/2xbiaoti1.png")));

    const QString bar = QStringLiteral(":/newimage/");
    ui->pushButton_min->setStyleSheet(
        ImageStyle::tabSheet(bar, QLatin1String(ImageStyle::MinStem), false, false));
    ui->pushButton_close->setStyleSheet(
        ImageStyle::tabSheet(bar, QLatin1String(ImageStyle::CloseStem), false, false));
    ui->pushButton_xiala->setStyleSheet(
        ImageStyle::tabSheet(bar, QLatin1String(ImageStyle::MenuStem), false, false));
    ui->pushButton_notice->setStyleSheet(ImageStyle::noticeSheet(true));
    ui->pushButton_help->setStyleSheet(
        ImageStyle::tabSheet(bar, QLatin1String(ImageStyle::HelpStem), false, false));
    ui->pushButton_network_2->setStyleSheet(
        QStringLiteral("QPushButton{border:none;background:transparent;}"));
    ui->pushButton_network_2->setIconSize(ui->pushButton_network_2->size());
    showNetworkIcon(QStringLiteral(":/image2/1.png"));

    for (QPushButton *b :
        QList<QPushButton *> {ui->pushButton_biaoti, ui->pushButton_download, ui->pushButton_top,
            ui->pushButton_about, ui->pushButton_notice, ui->pushButton_service,
            ui->pushButton_xiala, ui->pushButton_min, ui->pushButton_close, ui->pushButton_help})
        b->setCursor(Qt::PointingHandCursor);

    QFont small = ui->label_version->font();
    small.setPixelSize(Global::scaled(12));
    ui->label_version->setFont(small);
    ui->label_version->setStyleSheet(QStringLiteral("QLabel{color:#8492a1}"));
    ui->label_check->setStyleSheet(QStringLiteral("QLabel{color:#8492a1}"));

    // Check boxes and radio buttons of every page, in the palette of the pictures.
    ui->stackedWidget->setStyleSheet(
        QStringLiteral("QCheckBox, QRadioButton {spacing:%1px;color:#2b3645;}"
                       "QCheckBox::indicator {width:%2px;height:%2px;border:1px solid #c5cdd6;"
                       "border-radius:%3px;background:#ffffff;}"
                       "QCheckBox::indicator:hover {border-color:#3190f0;}"
                       "QCheckBox::indicator:checked {background:#3190f0;border-color:#3190f0;"
                       "image:url(:/img/check.png);}"
                       "QRadioButton::indicator {width:%2px;height:%2px;border:1px solid #c5cdd6;"
                       "border-radius:%4px;background:#ffffff;}"
                       "QRadioButton::indicator:hover {border-color:#3190f0;}"
                       "QRadioButton::indicator:checked {width:%5px;height:%5px;"
                       "border:%6px solid #3190f0;}")
            .arg(Global::scaled(8))
            .arg(Global::scaled(14))
            .arg(Global::scaled(3))
            .arg(Global::scaled(8))
            .arg(Global::scaled(14) + 2 - 2 * Global::scaled(5))
            .arg(Global::scaled(5)));
}

void MainWindow::buildDropDownMenu()
{
    // The button made its menu before the display scale was known.
    QMenu *menu = ui->pushButton_xiala->menu();
    menu->setStyleSheet(ImageStyle::menuSheet(Global::SCALE));
    QFont font = menu->font();
    font.setPixelSize(Global::scaled(12));
    menu->setFont(font);

    auto add = [&](QMenu *target, const char *icon, const char *slot) {
        QAction *action = target->addAction(QIcon(QString::fromLatin1(icon)), QString());
        action->setFont(font);
        connect(action, SIGNAL(triggered()), this, slot);
        return action;
    };
    m_webAction = add(menu, ":/newimage/web.png", SLOT(displayweb()));
    m_faqAction = add(menu, ":/newimage/qca.png", SLOT(displayFAQs()));
    m_aboutAction = add(menu, ":/newimage/us.png", SLOT(displayaboutus()));
    m_updateAction = add(menu, ":/newimage/update.png", SLOT(displayupdate()));
    m_extractorUpdateAction = add(menu, ":/newimage/update.png", SLOT(updateExtractor()));

    m_languageMenu = menu->addMenu(QIcon(QStringLiteral(":/newimage/language.png")), QString());
    m_languageMenu->menuAction()->setFont(font);
    m_languageMenu->setFont(font);
    m_languageMenu->setStyleSheet(ImageStyle::menuSheet(Global::SCALE));
    m_englishAction = add(m_languageMenu, ":/newimage/en.png", SLOT(changeEnglishlanguage()));
    m_chineseAction = add(m_languageMenu, ":/newimage/cn.png", SLOT(changeChineselanguage()));
}

void MainWindow::on_pushButton_close_clicked()
{
    close();
}

void MainWindow::on_pushButton_min_clicked()
{
    showMinimized();
}

// --- top tabs ----------------------------------------------------------------

void MainWindow::resetTopTabs()
{
    const bool zh = chineseUi();
    const QString tabs = QStringLiteral(":/tabimage/");
    ui->pushButton_download->setStyleSheet(ImageStyle::downloadTabSheet(false, zh));
    ui->pushButton_top->setStyleSheet(
        ImageStyle::tabSheet(tabs, QLatin1String(ImageStyle::TopTabStem), false, zh));
    ui->pushButton_about->setStyleSheet(
        ImageStyle::tabSheet(tabs, QLatin1String(ImageStyle::ToolsTabStem), false, zh));
    ui->pushButton_service->setStyleSheet(ImageStyle::tabSheet(
        QStringLiteral(":/newimage/"), QLatin1String(ImageStyle::ServiceStem), false, false));
}

void MainWindow::restyleTopTabs()
{
    resetTopTabs();
    const bool zh = chineseUi();
    const QString tabs = QStringLiteral(":/tabimage/");
    switch (m_topPage) {
    case 0:
        ui->pushButton_download->setStyleSheet(ImageStyle::downloadTabSheet(true, zh));
        break;
    case 1:
        ui->pushButton_top->setStyleSheet(
            ImageStyle::tabSheet(tabs, QLatin1String(ImageStyle::TopTabStem), true, zh));
        break;
    case 2:
        ui->pushButton_service->setStyleSheet(ImageStyle::tabSheet(
            QStringLiteral(":/newimage/"), QLatin1String(ImageStyle::ServiceStem), true, false));
        break;
    case 3:
        ui->pushButton_about->setStyleSheet(
            ImageStyle::tabSheet(tabs, QLatin1String(ImageStyle::ToolsTabStem), true, zh));
        break;
    default:
        break;
    }
}

void MainWindow::on_pushButton_biaoti_clicked()
{
    ui->stackedWidget->setCurrentIndex(0);
    ui->stackedWidget_2->setCurrentIndex(0);
}

void MainWindow::on_pushButton_download_clicked()
{
    m_topPage = 0;
    restyleTopTabs();
    ui->stackedWidget->setCurrentIndex(0);
    ui->stackedWidget_2->setCurrentIndex(tasks().isEmpty() ? 0 : 1);
}

void MainWindow::on_pushButton_top_clicked()
{
    m_topPage = 1;
    restyleTopTabs();
    ui->stackedWidget->setCurrentIndex(1);
}

void MainWindow::on_pushButton_about_clicked()
{
    m_topPage = 3;
    restyleTopTabs();
    ui->stackedWidget->setCurrentIndex(3);
}

void MainWindow::on_pushButton_service_clicked()
{
    m_topPage = 2;
    restyleTopTabs();
    ui->stackedWidget->setCurrentIndex(2);
    // The gear opens the general settings; the other tabs are one click away.
    on_pushButton_tab_setting_clicked();
}

void MainWindow::on_pushButton_onekey_clicked()
{
    ui->stackedWidget->setCurrentIndex(4);
}

// --- service tabs --------------------------------------------------------------

namespace {
const char *const ServiceTabStems[] = {"proxy", "setting", "step", "about", "test"};
}

void MainWindow::resetServiceTabs()
{
    const bool zh = chineseUi();
    const QList<QPushButton *> tabs = {ui->pushButton_tab_proxy, ui->pushButton_tab_setting,
        ui->pushButton_tab_step, ui->pushButton_tab_about, ui->pushButton_tab_testpro};
    for (int i = 0; i < tabs.size(); ++i) {
        tabs[i]->setStyleSheet(
            ImageStyle::serviceTabSheet(QLatin1String(ServiceTabStems[i]), false, zh));
        tabs[i]->setCursor(Qt::PointingHandCursor);
    }
}

void MainWindow::selectServiceTab(int tab)
{
    const QList<QWidget *> pages
        = {ui->page_11, ui->page_12, ui->page_9, ui->page_10, ui->page_testpro};
    const QList<QPushButton *> tabs = {ui->pushButton_tab_proxy, ui->pushButton_tab_setting,
        ui->pushButton_tab_step, ui->pushButton_tab_about, ui->pushButton_tab_testpro};
    if (tab < 0 || tab >= pages.size())
        return;
    ui->stackedWidget_3->setCurrentWidget(pages[tab]);
    resetServiceTabs();
    tabs[tab]->setStyleSheet(
        ImageStyle::serviceTabSheet(QLatin1String(ServiceTabStems[tab]), true, chineseUi()));
    m_serviceTab = tab;
}

void MainWindow::on_pushButton_tab_proxy_clicked()
{
    selectServiceTab(ProxyTab);
    refreshProxyPage();
}

void MainWindow::on_pushButton_tab_setting_clicked()
{
    selectServiceTab(SettingTab);
}

void MainWindow::on_pushButton_tab_step_clicked()
{
    selectServiceTab(StepTab);
}

void MainWindow::on_pushButton_tab_about_clicked()
{
    selectServiceTab(AboutTab);
}

void MainWindow::on_pushButton_tab_testpro_clicked()
{
    selectServiceTab(TestTab);
}

// --- menu entries and help -----------------------------------------------------

void MainWindow::displayweb()
{
    DialogSeam::openUrl(QUrl(Global::vendorSite() + QStringLiteral("/")));
}

void MainWindow::displayFAQs()
{
    DialogSeam::openUrl(QUrl(Global::vendorSite() + QStringLiteral("/faq/")));
}

void MainWindow::displayaboutus()
{
    DialogSeam::openUrl(QUrl(Global::vendorSite() + QStringLiteral("/about/")));
}

void MainWindow::on_pushButton_help_clicked()
{
    openHelp();
}

void MainWindow::openHelp()
{
    HelpLauncher::open(&m_helpProcess, m_appDataDir + QStringLiteral("help/"), chineseUi());
}

// --- network status strip ------------------------------------------------------

void MainWindow::updatePixmap()
{
    if (m_pixmapFrame >= 5)
        m_pixmapFrame = 1;
    showNetworkIcon(QStringLiteral(":/image2/%1.png").arg(m_pixmapFrame));
    ++m_pixmapFrame;
    // A long search without news needs no animation: it only costs power.
    if (++m_framesShown >= 150)
        m_pixmapTimer.stop();
}

// Only the icon changes: restyling the button would repaint the whole
// translucent window at every frame.
void MainWindow::showNetworkIcon(const QString &image)
{
    ui->pushButton_network_2->setIcon(QIcon(image));
}

// --- mouse -----------------------------------------------------------------------

void MainWindow::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        m_dragging = true;
        m_pressPos = event->localPos().toPoint();
    }
    QMainWindow::mousePressEvent(event);
}

void MainWindow::mouseMoveEvent(QMouseEvent *event)
{
    if (m_dragging)
        move(event->screenPos().toPoint() - m_pressPos);
    QMainWindow::mouseMoveEvent(event);
}

void MainWindow::mouseReleaseEvent(QMouseEvent *event)
{
    m_dragging = false;
    QMainWindow::mouseReleaseEvent(event);
}

void MainWindow::wheelEvent(QWheelEvent *event)
{
    const bool listShown
        = ui->stackedWidget->currentIndex() == 0 && ui->stackedWidget_2->currentIndex() == 1;
    const QPoint inFrame = ui->frame_main->mapFrom(this, event->position().toPoint());
    if (!listShown || !ui->frame_main->rect().contains(inFrame)) {
        QMainWindow::wheelEvent(event);
        return;
    }
    QScrollBar *bar = ui->verticalScrollBar;
    bar->setValue(WheelPaging::pagedValue(
        bar->value(), bar->minimum(), bar->maximum(), event->angleDelta().y()));
    event->accept();
}
