#include "service/downloader.h"
#include "ui_downloader.h"

#include "base/dialogseam.h"
#include "base/global.h"
#include "base/widgetscale.h"
#include "service/appcast.h"

#include <QDebug>

Downloader::Downloader(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::Downloader)
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    // Closing the main window ends the program even while this one shows.
    setAttribute(Qt::WA_QuitOnClose, false);
    DisplayScale::scaleChildGeometry(this, Global::SCALE);
    setFixedSize(Global::scaled(464), Global::scaled(167));

    const int icon = Global::scaled(48);
    ui->updater_icon->setPixmap(
        QPixmap(QStringLiteral(":/icons/update.png"))
            .scaled(icon, icon, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    setWindowTitle(tr("Updater"));
    ui->openButton->setText(tr("Update"));
    ui->stopButton->setText(tr("Stop"));
    ui->label_upgrade->setText(tr("升级内容:"));
    ui->downloadLabel->setText(tr("Downloading updates"));
    ui->timeLabel->setText(tr("Time remaining: 0 minutes"));
    ui->openButton->setEnabled(false);
    ui->label_content->setStyleSheet(QStringLiteral("QLabel{color:#455261}"));

    connect(ui->openButton, &QPushButton::clicked, this, &Downloader::openDownload);
    connect(ui->stopButton, &QPushButton::clicked, this, &Downloader::cancelDownload);
    connect(&m_transfer, &InstallerDownload::progress, this, &Downloader::updateProgress);
    connect(&m_transfer, &InstallerDownload::finished, this, &Downloader::finished);
}

Downloader::~Downloader()
{
    delete ui;
}

void Downloader::setFileName(const QString &file)
{
    m_transfer.setFileName(file);
}

void Downloader::setUserAgentString(const QString &agent)
{
    m_transfer.setUserAgent(agent.toUtf8());
}

void Downloader::setChangelog(const QString &changelog)
{
    ui->label_content->setText(changelog);
}

void Downloader::setExpectedDigest(const QString &digest)
{
    m_transfer.setExpectedDigest(digest);
}

void Downloader::setDownloadDir(const QString &folder)
{
    m_transfer.setFolder(folder);
}

void Downloader::startDownload(const QUrl &url)
{
    m_finished = false;
    m_saved = false;
    ui->progressBar->setRange(0, 100);
    ui->progressBar->setValue(0);
    ui->stopButton->setText(tr("Stop"));
    ui->openButton->setEnabled(false);
    ui->downloadLabel->setText(tr("Downloading updates"));
    ui->timeLabel->setText(tr("Time remaining") + QStringLiteral(": ") + tr("unknown"));
    m_transfer.start(url);
}

void Downloader::updateProgress(qint64 received, qint64 total)
{
    if (total > 0) {
        ui->progressBar->setRange(0, 100);
        ui->progressBar->setValue(static_cast<int>(received * 100 / total));
        calculateSizes(received, total);
        updateTimeRemaining(received, total);
    } else {
        ui->progressBar->setRange(0, 0);
        ui->progressBar->setValue(-1);
        ui->downloadLabel->setText(tr("Downloading Updates"));
        ui->timeLabel->setText(QStringLiteral("%1: %2").arg(tr("Time Remaining"), tr("Unknown")));
    }
}

void Downloader::calculateSizes(qint64 received, qint64 total)
{
    ui->downloadLabel->setText(tr("Downloading updates") + QStringLiteral(" (")
        + Appcast::sizeText(received) + QLatin1Char(' ') + tr("of") + QLatin1Char(' ')
        + Appcast::sizeText(total) + QLatin1Char(')'));
}

void Downloader::updateTimeRemaining(qint64 received, qint64 total)
{
    const QString left = Appcast::timeRemainingText(received, total, m_transfer.elapsedSeconds());
    if (!left.isEmpty())
        ui->timeLabel->setText(tr("Time remaining") + QStringLiteral(": ") + left);
}

void Downloader::finished(InstallerDownload::Outcome outcome, const QString &path)
{
    m_finished = true;
    ui->stopButton->setText(tr("Close"));
    ui->progressBar->setRange(0, 100);
    if (outcome == InstallerDownload::Outcome::Saved) {
        m_saved = true;
        ui->progressBar->setValue(100);
        emit downloadFinished(m_urlId, path);
        installUpdate();
        return;
    }
    if (outcome == InstallerDownload::Outcome::Refused) {
        // Never offer what does not match the digest the appcast published.
        const QString text = tr("The downloaded installer does not match its published "
                                "checksum. It was deleted and will not be started.");
        ui->downloadLabel->setText(tr("The update was refused."));
        ui->timeLabel->setText(text);
        DialogSeam::warning(this, tr("Updater"), text);
        return;
    }
    ui->downloadLabel->setText(tr("The download of the update failed."));
    ui->timeLabel->clear();
}

void Downloader::installUpdate()
{
    if (m_useCustomInstallProcedures)
        return;
    ui->stopButton->setText(tr("Close"));
    ui->downloadLabel->setText(tr("Download complete!"));
    ui->timeLabel->setText(tr("The installer will open separately") + QStringLiteral("..."));
    ui->label_content->setText(tr("Click the \"Update\" button to apply the update"));
    ui->openButton->setEnabled(true);
    ui->openButton->show();
}

void Downloader::openDownload()
{
    if (m_saved && !m_transfer.fileName().isEmpty()) {
        DialogSeam::openUrl(QUrl::fromLocalFile(m_transfer.filePath()));
    } else {
        DialogSeam::warning(this, tr("Error"), tr("Cannot find downloaded update!"));
        return;
    }
    if (m_mandatoryUpdate)
        emit quitRequested();
}

void Downloader::cancelDownload()
{
    if (m_finished) {
        close();
        return;
    }
    const QString text = m_mandatoryUpdate
        ? tr("Are you sure you want to cancel the download? This is a mandatory update, exiting "
             "now will close the application")
        : tr("Are you sure you want to cancel the download?");
    if (DialogSeam::question(this, tr("Updater"), text) != QMessageBox::Yes)
        return;
    hide();
    m_transfer.abort();
    if (m_mandatoryUpdate)
        emit quitRequested();
}
