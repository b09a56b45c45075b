#pragma once

#include "extractor/listvideoinfo.h"
#include "intake/analysisdialog.h"
#include "intake/intakechoices.h"

#include <QList>
#include <optional>

namespace Ui {
class ListDialog;
}

class Form;
class PlaylistRows;

// The dialog a playlist, channel or user link opens: it shows the entries and
// the titles looked up for them as they are handed to it, and lets the user
// tick entries and choose quality, subtitle language, thumbnail and (outside
// one-key mode) the save folder. It runs nothing itself. Ends with 3 through
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

    // Starts clean for link, waiting for its entries.
    void showAnalysing(const QString &link);
    void setOneKey(bool onekey);
    void setLanguage(int languageSwitch);
    // Lists the entries and ticks the first.
    void showEntries(const QList<ListVideoInfo> &entries);
    // The title looked up for entry index; empty when the lookup failed.
    void showTitle(int index, const QString &title);
    // The choices after a run that ended through the download button.
    std::optional<ListChoice> choice() const;

    const QList<ListVideoInfo> &entries() const { return m_entries; }
    // The rows in sight.
    PlaylistRows *rows() const { return m_rows; }

public slots:
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

    Ui::ListDialog *ui;
    PlaylistRows *m_rows;
    QString m_link;
    QList<ListVideoInfo> m_entries;
    bool m_onekey = false;
    bool m_downloaded = false;
    ListChoice m_choice;
};
