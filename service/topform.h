#pragma once

#include "service/topinfo.h"

#include <QPointer>
#include <QWidget>

namespace Ui {
class TopForm;
}

class QAction;
class QByteArray;
class QMenu;

// One row of a popular list: rank, thumbnail, title, duration and a download
// button; the context menu copies the link or downloads it. Choosing to
// download announces the row's address by sendurl().
class TopForm : public QWidget
{
    Q_OBJECT

public:
    explicit TopForm(QWidget *parent = nullptr);
    ~TopForm() override;

    // Title in a 14-pixel font, cut with an ellipsis when wider than 111
    // pixels (times scale), the whole title as tool tip.
    void setName(const QString &title);
    void setTime(const QString &duration);
    // The 1-based rank as two digits at least.
    void setRank(int rank);
    // Colour of the rank by list: 0 day, 1 week, 2 month.
    void setRankColor(int kind);
    // Shows the picture file (as fetched); what does not decode is ignored.
    void setImage(const QByteArray &picture);
    void setURL(const QString &url) { m_url = url; }
    QString url() const { return m_url; }
    void setInfo(TopInfo *info) { m_info = info; }
    TopInfo *info() const { return m_info; }

    // The row's words for tests and the window: rank, title as shown, time.
    QString rankText() const;
    QString nameText() const;
    QString timeText() const;
    bool hasImage() const;
    // The tool tip in the current language.
    void retranslate();

signals:
    void sendurl(QString url);

public slots:
    void on_pushButton_clicked();
    void copyURl();
    void URLdownload();

protected:
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    Ui::TopForm *ui;
    QString m_url;
    QPointer<TopInfo> m_info;
    QMenu *m_menu = nullptr;
    QAction *m_copyAction = nullptr;
    QAction *m_downloadAction = nullptr;
};
