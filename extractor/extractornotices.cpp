#include "extractor/extractornotices.h"

#include "extractor/extractorremarks.h"
#include "extractor/toolprocess.h"

ExtractorNotices::ExtractorNotices(QObject *parent)
    : QObject(parent)
{ }

bool ExtractorNotices::extractorFound()
{
    const QString tool = ToolProcess::toolName();
    return ToolProcess::resolveProgram(tool, ToolProcess::defaultToolSearch()) != tool;
}

void ExtractorNotices::extractorMissing(bool onPaste)
{
    // A paste is answered every time; waiting work is told about once.
    if (!onPaste) {
        if (m_missingTold)
            return;
        m_missingTold = true;
    }
    emit notice(tr("No extractor"), missingText());
}

void ExtractorNotices::extractorThere()
{
    m_missingTold = false;
}

void ExtractorNotices::runEnded(int remarks, bool failed)
{
    if (failed && (remarks & ExtractorRemarks::Outdated) && !m_outdatedTold) {
        m_outdatedTold = true;
        emit notice(tr("Extractor out of date"), outdatedText());
    }
    if ((remarks & ExtractorRemarks::NoJavaScriptRuntime) && !m_runtimeTold) {
        m_runtimeTold = true;
        emit notice(tr("No JavaScript runtime"), noJavaScriptRuntimeText());
    }
}

QString ExtractorNotices::missingText()
{
    return tr("No extractor was found, so no link can be analysed or downloaded. Install one "
              "(on Debian or Ubuntu the package \"yt-dlp\") or choose \"Update extractor\" in the "
              "menu. Queued tasks wait and start once it is there.");
}

QString ExtractorNotices::outdatedText()
{
    return tr("A download failed and the extractor says that it is out of date. Video sites "
              "change often and an old extractor stops working on them: choose \"Update "
              "extractor\" in the menu, then try the task again.");
}

QString ExtractorNotices::noJavaScriptRuntimeText()
{
    return tr("The extractor found no JavaScript runtime, so some sites give fewer formats or "
              "fail. Install one of Deno, Node 20 or later, or QuickJS.");
}
