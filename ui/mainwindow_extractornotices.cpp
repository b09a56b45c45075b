#include "ui/mainwindow.h"

#include "base/dialogseam.h"
#include "downloads/downloadengine.h"
#include "downloads/downloadlistcontroller.h"
#include "extractor/analysissession.h"
#include "extractor/extractornotices.h"
#include "intake/linkintake.h"

// Wiring of what the program tells about the extractor itself: the list's
// engine and link intake report, the controller decides what is said once,
// the window shows it.

void MainWindow::createExtractorNotices()
{
    m_extractorNotices = new ExtractorNotices(this);
    DownloadEngine *engine = m_downloads->engine();
    connect(engine, &DownloadEngine::extractorMissing, m_extractorNotices,
        [this] { m_extractorNotices->extractorMissing(); });
    connect(engine, &DownloadEngine::extractorThere, m_extractorNotices,
        &ExtractorNotices::extractorThere);
    connect(engine, &DownloadEngine::extractorRemarked, m_extractorNotices,
        &ExtractorNotices::runEnded);
    // The dialogs' analyses: a failed paste with an out-of-date extractor.
    connect(m_analysis, &AnalysisSession::extractorRemarked, m_extractorNotices,
        &ExtractorNotices::runEnded);
    connect(m_intake, &LinkIntake::extractorMissing, m_extractorNotices,
        [this] { m_extractorNotices->extractorMissing(true); });
    // Shown from the event loop: a run's completion is never held up by a
    // message box waiting for the user.
    connect(
        m_extractorNotices, &ExtractorNotices::notice, this,
        [this](
            const QString &title, const QString &text) { DialogSeam::warning(this, title, text); },
        Qt::QueuedConnection);
}
