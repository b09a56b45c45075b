#pragma once

#include "tasks/formatinfo.h"

#include <QList>
#include <QString>

// The rows of the single-video dialog's format table, worked out without any
// widget: the dialog puts each field into its column as it stands. Columns 0
// and 3 get an item only when their icon is set; every other data column
// always gets one (its text may be empty).
struct FormatRow
{
    enum Column
    {
        BestColumn = 0,
        ChoiceColumn = 1, // the row's radio button; no data
        TypeColumn = 2,
        ResolutionIconColumn = 3,
        ResolutionColumn = 4,
        SizeColumn = 5,
        HeightColumn = 6, // the sort key
        FormatIdColumn = 7,
        FpsColumn = 8,
        CodecColumn = 9,
        ColumnCount = 10
    };

    // Column 0: only for a video with both picture and sound.
    QString bestIcon;
    QString bestText;
    QString bestToolTip;
    // Column 2: "Video" or "Audeo" followed by the extension in upper case.
    QString typeText;
    // Column 3: icon by height, with the text " "; empty for height 0 or less.
    QString resolutionIcon;
    QString resolutionIconText;
    // Column 4: "1920x1080" (left aligned, vertically centred) or "129kbps".
    QString resolutionText;
    QString resolutionToolTip;
    bool resolutionAlignedLeft = false;
    // Column 5: size in MB with two decimals, or "UnKnown".
    QString sizeText;
    QString sizeToolTip;
    // Column 6.
    int sortHeight = -1;
    // Column 7.
    QString formatId;
    // Column 8: "FPS 30" or empty.
    QString fpsText;
    QString fpsToolTip;
    // Column 9: the video codec in upper case.
    QString codecText;
    QString codecToolTip;

    FormatInfo format;
};

// One row per format, sorted by height from highest to lowest; rows of equal
// height keep the extractor's order, audio-only rows (height -1) come last.
QList<FormatRow> buildFormatRows(const QList<FormatInfo> &formats);

// The row pre-selected when the table is shown: the first whose codec column
// contains "AVC1", or -1 when there is none (then nothing is selected).
int preselectedRow(const QList<FormatRow> &rows);

// Resolution icon (under ":/img/") for a video height, "" for 0 or less.
QString resolutionIcon(int height);
