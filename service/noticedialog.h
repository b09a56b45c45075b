#pragma once

#include <QDialog>
#include <QStringList>

namespace Ui {
class NoticeDialog;
}

class QLabel;

// The notices of the vendor, up to five rows of title, date and text, in a
// frameless window with a drop shadow that the left mouse button drags.
class NoticeDialog : public QDialog
{
    Q_OBJECT

public:
    static constexpr int Rows = 5;

    explicit NoticeDialog(QWidget *parent = nullptr);
    ~NoticeDialog() override;

    // One notice per row; rows without a notice are emptied, notices beyond
    // the fifth are not shown.
    void setNotices(const QStringList &titles, const QStringList &times, const QStringList &texts);
    // The three labels of row (0 .. 4): title, time, text.
    QList<QLabel *> rowLabels(int row) const;
    void retranslate();

public slots:
    void on_pushButton_close_2_clicked();

private:
    Ui::NoticeDialog *ui;
};
