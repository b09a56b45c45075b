#pragma once

#include <QWidget>

namespace Ui {
class itemWidget;
}

class ItemInfo;
class QAction;
class QMenu;
class QMovie;
class SqliteDBAOperator;

// One row of the download list: thumbnail, title, status, progress, size,
// percent, speed, remaining time, play / retry / open-folder buttons and a
// context menu. The row changes its task for the user's row actions and then
// tells the main window through senddoWork() (requeued) or senddelsig()
// (deleted).
class itemWidget : public QWidget
{
    Q_OBJECT

public:
    explicit itemWidget(QWidget *parent = nullptr);
    ~itemWidget() override;

    void setTaskInfo(ItemInfo *task);
    void setDatabase(SqliteDBAOperator *db);
    ItemInfo *task() const { return taskInfo; }

    void setDurationText(const QString &text);
    void setTitleText(const QString &text);
    void setStatusText(const QString &text);
    void setSizeText(const QString &text);
    void setPercentText(const QString &text);
    void setProgressValue(int value);
    void setSpeedText(const QString &text);
    void setEtaText(const QString &text);
    void setThumbnail(const QPixmap &pixmap);
    void showPlayButton();
    void startBusyAnimation();
    void stopBusyAnimation();
    void showBusyLabel();
    void hideBusyLabel();

    QString statusText() const;
    // The context menu's entries for the task's current state, in order.
    QList<QAction *> menuActions() const;

signals:
    void senddoWork();
    void senddelsig();

public slots:
    void on_pushButton_clicked();
    void on_pushButton_2_clicked();
    void on_pushButton_3_clicked();
    void copyURl();
    void selectFolder();
    void removeSelectedImages();
    void reloadImages();
    void startImages();

protected:
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void applyStyles();
    void retranslateMenu();
    // Requeues the task after the user confirmed.
    void redownload();

    Ui::itemWidget *ui;
    QMovie *busyMovie;
    QMenu *contextMenu;
    QAction *copyAction;
    QAction *openFolderAction;
    QAction *deleteAction;
    QAction *redownloadAction;
    QAction *startAction;
    ItemInfo *taskInfo = nullptr;
    SqliteDBAOperator *database = nullptr;
};
