#pragma once

#include <QString>

// The option texts the choices of the link dialogs and the one-key page stand
// for. The windows hand back what the user chose (indices, ticks); the texts
// the extractor is given are written here only.

// The thumbnail of a playlist entry or a one-key task: written and converted
// to png when wanted, a lone blank otherwise.
QString thumbnailOption(bool wanted);

// A playlist entry's subtitles: always written (own and automatic ones), in
// the language of subtitleLanguageChoices() at languageIndex.
QString listSubtitleOption(int languageIndex);

// The download command of a single video chosen in its dialog: format
// selector, link and output path as given (each already safe to use), then
// the subtitles when wanted (mode 1 embeds them too, in the language at
// languageIndex) and the thumbnail when wanted.
struct SingleDownloadChoice
{
    QString selector;
    QString link;
    QString outputArgument; // the "-o" value, without quotes
    bool subtitles = false;
    int subtitleMode = 0;
    int subtitleLanguage = 0;
    bool thumbnail = false;
};
QString singleDownloadCommand(const SingleDownloadChoice &choice);
