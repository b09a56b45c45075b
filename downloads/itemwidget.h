#pragma once

#include <QWidget>

namespace Ui {
class itemWidget;
}

class ItemInfo;
class QAction;
class QMenu;
class QMovie;

// One row of the download list: thumbnail, title, status, progress, size,
// percent, speed, remaining time, play / retry / open-folder buttons and a
// context menu. A view: it reads its task but never changes it; its buttons
// and menu entries only say what the user asked for.
class itemWidget : public QWidget
{
    Q_OBJECT

public:
    explicit itemWidget(QWidget *parent = nullptr);
    ~itemWidget() override;

    void setTaskInfo(ItemInfo *task);
    ItemInfo *task() const { return taskInfo; }
    // Back to the look of a new row (no texts, no progress, the default
    // picture, no play button or animation), before it shows another task.
    void clearDisplay();

    void setDurationText(const QString &text);
    void setTitleText(const QString &text);
    void setStatusText(const QString &text);
    void setSizeText(const QString &text);
    void setPercentText(const QString &text);
    void setProgressValue(int value);
    void setSpeedText(const QString &text);
    void setEtaText(const QString &text);
    // A null pixmap leaves the picture as it is.
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
    void startRequested(ItemInfo *task);
    void pauseRequested(ItemInfo *task);
    void redownloadRequested(ItemInfo *task);
    void deleteRequested(ItemInfo *task);
    void playRequested(ItemInfo *task);
    void openFolderRequested(ItemInfo *task);
    // The task's link is to go to the clipboard.
    void copyLinkRequested(ItemInfo *task);

public slots:
    void on_pushButton_clicked();
    void on_pushButton_2_clicked();
    void on_pushButton_3_clicked();
    void copyURl();

protected:
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void applyStyles();
    void retranslateMenu();
    // Emits request with the row's task, when it has one.
    void ask(void (itemWidget::*request)(ItemInfo *));

    Ui::itemWidget *ui;
    QMovie *busyMovie;
    QMenu *contextMenu;
    QAction *copyAction;
    QAction *openFolderAction;
    QAction *deleteAction;
    QAction *redownloadAction;
    QAction *startAction;
    QAction *pauseAction;
    ItemInfo *taskInfo = nullptr;
};
