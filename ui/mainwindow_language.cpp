#include "ui/mainwindow.h"
#include "ui_mainwindow.h"

#include "base/global.h"
#include "ui/languagefiles.h"

#include <QApplication>
#include <QMenu>
#include <QTranslator>
#include <QUrl>

// Interface language: the translation and the picture set of the language,
// applied at start-up and at every switch.

// The controller stores the choice and announces it; applyLanguage() follows.
void MainWindow::changeEnglishlanguage()
{
    switchLanguage(false);
}

void MainWindow::changeChineselanguage()
{
    switchLanguage(true);
}

void MainWindow::applyLanguage()
{
    QCoreApplication::removeTranslator(m_translator);
    // A missing file leaves the English source texts; the pictures still
    // follow the language.
    if (LanguageFiles::load(m_translator, chineseUi() ? 1 : 0))
        QCoreApplication::installTranslator(m_translator);

    applyPictureSet();
    retranslateTexts();
    restyleTopTabs();

    // Rows show status words: refresh them so none waits for its next change.
    retranslateDownloads();
    retranslateService();
    retranslateExtractor();
}

void MainWindow::retranslateTexts()
{
    ui->retranslateUi(this);
    showCustomProxyCheck();
    setWindowTitle(tr("Orvanta Quillon"));
    const QString version = tr("Version: ") + Global::APP_VER;
    ui->label_version->setText(version);
    ui->label_13->setText(version);
    ui->label_12->setText(tr("Orvanta Quillon"));

    // The status strip keeps its state: testing while the animation runs.
    if (m_networkTesting)
        ui->label_check->setText(tr("Testing proxy status,please confirm that the agent is open."));
    else if (!ui->label_check->text().isEmpty())
        ui->label_check->setText(tr("The network is available."));

    const QUrl site(Global::vendorSite() + QStringLiteral("/"));
    ui->label_14->setText(
        QStringLiteral("<a href=\"%1\" style=\"color:#3190f0;text-decoration:none;\">%2</a>")
            .arg(site.toString(), site.host()));
    ui->label_16->setText(tr("A fast, friendly downloader for videos, playlists and channels."));
    ui->label_50->setText(
        tr("E-mail: ") + QStringLiteral("support@") + site.host().remove(QStringLiteral("www.")));
    ui->label_51->setText(tr("Service hours: 9:00 - 18:00, Monday to Friday"));
    ui->label_52->setText(tr("Remote help is free of charge."));

    ui->pushButton_paste->setToolTip(tr("Copy the video link address and click on me"));
    ui->pushButton_notice->setToolTip(tr("Notice"));
    ui->pushButton_min->setToolTip(tr("Minimize"));
    ui->pushButton_close->setToolTip(tr("Close"));
    ui->pushButton_xiala->setToolTip(tr("Menu"));
    ui->pushButton_service->setToolTip(tr("Service and settings"));
    ui->pushButton_help->setToolTip(tr("Help"));
    ui->pushButton_onekey->setToolTip(tr("One-key configuration"));
    ui->pushButton_downloadfinished_5->setToolTip(tr("Delete the tasks of this list"));
    ui->pushButton_downloadfinished_retry->setToolTip(tr("Retry every failed task"));
    ui->pushButton->setToolTip(tr("Load history"));
    ui->pushButton_refresh->setToolTip(tr("Refresh"));
    ui->pushButton_5->setToolTip(tr("Choose folder"));
    ui->pushButton_test_pro->setToolTip(tr("Test the connection with the link on the clipboard"));
    ui->pushButton_downloadfinished_4->setToolTip(
        allTasksPaused() ? tr("Start all") : tr("Pause all"));

    if (m_webAction) {
        m_webAction->setText(tr("Website"));
        m_faqAction->setText(tr("FAQs"));
        m_aboutAction->setText(tr("About US"));
        m_updateAction->setText(tr("Update"));
        m_extractorUpdateAction->setText(tr("Update extractor"));
        m_languageMenu->setTitle(tr("Language"));
        m_englishAction->setText(tr("English"));
        m_chineseAction->setText(tr("简体中文"));
    }

    refillComboBoxes();
}
