#pragma once

#include "extractor/listvideoinfo.h"
#include "intake/analysisdialog.h"
#include "intake/intakechoices.h"

#include <QList>
#include <QProcess>
#include <optional>

namespace Ui {
class ListDialog;
}

class Form;
class MyQProcess;
class PlaylistRows;

// The dialog a playlist, channel or user link opens: it lists the entries
// with the extractor's flat-list run, fetches missing titles one at a time,
// and lets the user tick entries and choose quality, subtitle language,
// thumbnail and (outside one-key mode) the save folder. Ends with 3 through
// the download button and 4 through the close button.
class ListDialog : public AnalysisDialog
{
    Q_OBJECT

public:
    enum Result
    {
        Download = 3,
        Closed = 4,
    };

    explicit ListDialog(QWidget *parent = nullptr);
    ~ListDialog() override;

    void startAnalysis(const QString &link);
    void setOneKey(bool onekey);
    void setLanguage(int languageSwitch);
    // Stops the title runs and ends both extractor runs (after the modal run).
    void finish();
    // Lists the entries of a flat-list run's output, ticks the first and
    // starts fetching missing titles.
    void showEntries(const QByteArray &flatListOutput);
    // The choices after a run that ended through the download button.
    std::optional<ListChoice> choice() const;

    const QList<ListVideoInfo> &entries() const { return m_entries; }
    // The rows in sight.
    PlaylistRows *rows() const { return m_rows; }

public slots:
    void on_P1_Finished(int result, QProcess::ExitStatus status);
    void on_P2_Finished(int result, QProcess::ExitStatus status);
    void on_checkBox_toggled(bool checked);
    void on_pushButton_2_clicked();
    void on_pushButton_clicked();
    void on_pushButton_close_clicked();
    void onCheckClicked(int index, bool flag);
    void reject() override;

private:
    void clearRows();
    void showList();
    void showCount();
    // Starts the title run of the next entry without a title, if any.
    void fetchNextTitle();
    void endRuns();

    Ui::ListDialog *ui;
    PlaylistRows *m_rows;
    MyQProcess *m_p1;
    MyQProcess *m_p2;
    QString m_link;
    QList<ListVideoInfo> m_entries;
    int m_titleIndex = -1;
    bool m_finished = false;
    bool m_onekey = false;
    bool m_downloaded = false;
    ListChoice m_choice;
};
