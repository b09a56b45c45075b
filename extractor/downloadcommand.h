#pragma once

#include "extractor/outputnames.h"

#include <QList>
#include <QString>
#include <QVector>

class ItemInfo;
struct FormatInfo;

// One entry of a choice list shown on the one-key page and the playlist
// dialog: translated label, icon (may be empty) and the option it stands for.
// These tables are the only list of the download choices; the index of an
// entry is what the pages, the tasks and the stored settings keep.
struct ChoiceEntry
{
    QString label;
    QString icon;
    QString option;
};

// The labels are translated (context "DownloadChoices") at every call, so a
// list filled after a language switch shows the new language.
// Quality choices 0..12 (the task's quality_num). option is the fixed
// format-selector text; it is empty where the selector depends on the
// analysed formats (the height/width searches and " Only Audio").
QVector<ChoiceEntry> qualityChoices();
// Rate choices 0..4; option is the limitRate value ("", "1M", ...).
QVector<ChoiceEntry> rateChoices();
// Subtitle modes 0..1 and subtitle languages 0..4 of the one-key page.
QVector<ChoiceEntry> subtitleModeChoices();
QVector<ChoiceEntry> subtitleLanguageChoices();

// The option of an index; "" for an index outside the list.
QString rateLimitForIndex(int index);
QString subtitleModeOption(int index);
QString subtitleLanguageOption(int index);

// Pieces of the download command, exposed for the dialogs and the tests.
// The format selector for quality_num. Searches (2..10) walk the formats
// that have a safe id, mp4 first and webm only when that found nothing, and
// the last match wins; current is where they start from, so a search that
// finds nothing keeps an earlier selector, and an index outside 0..12 keeps
// current as well.
QString selectQuality(int qualityNum, const QList<FormatInfo> &formats, const QString &bestaudioId,
    const QString &current);
QString rateOption(const QString &limitRate);
QString conversionOption(const QString &zhuanhuan);
// A format id that can be put into "-f" as it stands: not empty, no white
// space, control character or '"', and not starting with '-'. Format ids come
// from the site's manifests, so ids that fail this are never selected.
bool isSafeFormatId(const QString &formatId);
// The target path as the "-o" argument: "%" and "$" mean something to the
// extractor's output template and are written so that the file lands exactly
// at path.
QString outputTemplateArgument(const QString &path);

// The task's output folder: path//uploader (uploader sanitised), which is
// always created, and with folderoption other than 0 one more level named
// after the video. Creates it, stores it in task->folder and returns it.
QString outputFolder(ItemInfo *task, int folderoption);

// Turns an analysed task's choices and formats into quality, renametitle,
// folder, targetPath, renametargetPath and cmd. Creates the folders; starts
// nothing. A link that is not http(s) is left out of the command, so such a
// download fails instead of handing the extractor something else.
void composeDownloadCommand(ItemInfo *task, int folderoption);
