#include "ui/mainwindow.h"
#include "ui_mainwindow.h"

#include "base/dialogseam.h"
#include "base/global.h"
#include "downloads/downloadengine.h"
#include "downloads/downloadlistcontroller.h"
#include "extractor/extractorprobe.h"
#include "extractor/extractorupdate.h"
#include "extractor/extractorupdatedialog.h"

#include <QDir>
#include <QLabel>

// The extractor the program runs: shown on the About page, renewed by the
// menu entry "Update extractor". The probe and the update are controllers of
// their own; this file shows what they report.

void MainWindow::createExtractorSupport()
{
    m_extractorProbe = new ExtractorProbeRunner(this);
    connect(m_extractorProbe, &ExtractorProbeRunner::probed, this, &MainWindow::showExtractorInfo);

    m_extractorUpdate = new ExtractorUpdate(this);
    m_extractorUpdate->setRunningDownloads(
        [this] { return m_downloads ? m_downloads->engine()->busyDownloads() : 0; });
    m_extractorDialog = new ExtractorUpdateDialog(m_extractorUpdate, this);
    connect(m_extractorUpdate, &ExtractorUpdate::finished, this, &MainWindow::onExtractorUpdated);

    // Below the vendor's lines on the About page.
    m_extractorLabel = new QLabel(ui->page_10);
    m_extractorLabel->setGeometry(
        Global::scaled(40), Global::scaled(300), Global::scaled(660), Global::scaled(80));
    m_extractorLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_extractorLabel->setWordWrap(true);
    m_extractorLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_extractorLabel->setStyleSheet(QStringLiteral("QLabel{color:#455261}"));
    m_extractorLabel->setObjectName(QStringLiteral("label_extractor"));

    m_extractorProbe->refresh();
}

void MainWindow::showExtractorInfo()
{
    if (!m_extractorLabel)
        return;
    QStringList lines;
    if (!m_extractorProbe->hasResult()) {
        lines << tr("Extractor: looking for it…");
    } else {
        const ExtractorInfo &info = m_extractorProbe->info();
        if (info.path.isEmpty()) {
            lines << tr("Extractor: none found");
        } else {
            lines << tr("Extractor: %1").arg(QDir::toNativeSeparators(info.path));
            lines << tr("Extractor version: %1")
                         .arg(info.version.isEmpty() ? tr("it does not answer") : info.version);
            const auto describe = [](const JsRuntime &r) {
                return QStringLiteral("%1 %2 (%3)")
                    .arg(r.name, r.version, QDir::toNativeSeparators(r.path));
            };
            const JsRuntime runtime = info.usedRuntime();
            QString shown = runtime.isEmpty() ? tr("none") : describe(runtime);
            if (runtime.isEmpty() && !info.refused.isEmpty())
                shown = tr("none (%1 is too old for this extractor)").arg(describe(info.refused));
            lines << tr("JavaScript runtime: %1").arg(shown);
        }
    }
    m_extractorLabel->setText(lines.join(QLatin1Char('\n')));
}

// Menu entry "Update extractor".
void MainWindow::updateExtractor()
{
    m_extractorDialog->reset();
    if (!m_extractorUpdate->start()) {
        DialogSeam::information(this, tr("Update extractor"), m_extractorUpdate->refusal());
        return;
    }
    // Unless it ended at once.
    if (m_extractorUpdate->isRunning())
        m_extractorDialog->show();
}

void MainWindow::onExtractorUpdated(bool ok, const QString &message)
{
    m_extractorDialog->hide();
    if (ok) {
        // The starts and the About page follow the new copy.
        m_extractorProbe->refresh();
        DialogSeam::information(this, tr("Update extractor"), message);
    } else if (!message.isEmpty()) {
        DialogSeam::warning(this, tr("Update extractor"), message);
    }
}

void MainWindow::retranslateExtractor()
{
    showExtractorInfo();
    if (m_extractorDialog)
        m_extractorDialog->retranslate();
}
