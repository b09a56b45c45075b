#pragma once

#include "extractor/metadata.h"
#include "intake/analysisdialog.h"
#include "intake/intakechoices.h"

#include <optional>

namespace Ui {
class SingleDialog;
}

// The dialog a single video link opens: while the link is analysed it shows
// the waiting animation, then title, duration and the formats, and lets the
// user choose a format, the save folder, subtitles and the thumbnail. It
// runs nothing itself: the analysis is handed to it. One dialog lives as
// long as the window; every link starts clean.
class SingleDialog : public AnalysisDialog
{
    Q_OBJECT

public:
    explicit SingleDialog(QWidget *parent = nullptr);
    ~SingleDialog() override;

    void setLanguage(int languageSwitch);
    // Starts clean for link, waiting for its analysis.
    void showAnalysing(const QString &link);
    // Shows an analysis: title, duration and formats, or that it failed.
    void showAnalysis(bool ok, const VideoMetadata &meta);
    // The user's choice after the run; nothing when no format was chosen.
    std::optional<SingleChoice> choice() const;

public slots:
    void on_pushButton_5_clicked();
    void on_pushButton_close_2_clicked();
    void on_pushButton_6_clicked();
    void on_tableWidget_itemSelectionChanged();
    void reject() override;

private:
    void fillTable();

    Ui::SingleDialog *ui;
    QString m_link;
    VideoMetadata m_meta;
    QString m_bestAudioId;
    std::optional<FormatInfo> m_chosen;
    QString m_saveLocation;
    bool m_subtitles = false;
    int m_subtitleMode = 0;
    int m_subtitleLanguage = 0;
    bool m_thumbnail = false;
};
