#pragma once

#include "extractor/metadata.h"
#include "intake/analysisdialog.h"
#include "intake/intakechoices.h"

#include <optional>

namespace Ui {
class SingleDialog;
}

class MyQProcess;

// The dialog a single video link opens: it analyses the link with the
// extractor, shows title, duration and the formats, and lets the user choose
// a format, the save folder, subtitles and the thumbnail. One dialog lives as
// long as the window; every run starts clean.
class SingleDialog : public AnalysisDialog
{
    Q_OBJECT

public:
    explicit SingleDialog(QWidget *parent = nullptr);
    ~SingleDialog() override;

    void setLanguage(int languageSwitch);
    void startAnalysis(const QString &link);
    // Shows what a single-video run printed: title, duration and formats.
    void showAnalysis(const QByteArray &output);
    // The user's choice after the run; nothing when no format was chosen.
    std::optional<SingleChoice> choice() const;

public slots:
    void on_Finished(int result);
    void on_pushButton_5_clicked();
    void on_pushButton_close_2_clicked();
    void on_pushButton_6_clicked();
    void on_tableWidget_itemSelectionChanged();
    void reject() override;

private:
    void fillTable();
    // Ends the analysis run with everything it started.
    void endAnalysis();

    Ui::SingleDialog *ui;
    MyQProcess *m_process;
    QString m_link;
    VideoMetadata m_meta;
    QString m_bestAudioId;
    std::optional<FormatInfo> m_chosen;
    QString m_saveLocation;
    bool m_subtitles = false;
    QString m_subtitleOptions;
    bool m_thumbnail = false;
};
