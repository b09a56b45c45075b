#pragma once

#include <QList>
#include <QWidget>
#include <functional>

class ItemInfo;
class QVBoxLayout;
class itemWidget;

// The container of the download list. It holds no task data: every display
// call is given the task list and how many members of the view to skip, and
// places at most five rows. Rows are made on demand by the row factory, so a
// long history costs nothing until a task is shown.
class ListWidget : public QWidget
{
    Q_OBJECT

public:
    using RowFactory = std::function<itemWidget *(ItemInfo *)>;

    explicit ListWidget(QWidget *parent = nullptr);

    void setRowFactory(RowFactory factory) { m_rowFor = std::move(factory); }

    void clearRows(const QList<ItemInfo *> &tasks);
    void showPaused(const QList<ItemInfo *> &tasks, int skip);
    void showInProgress(const QList<ItemInfo *> &tasks, int skip);
    void showFinished(const QList<ItemInfo *> &tasks, int skip);
    void showFailed(const QList<ItemInfo *> &tasks, int skip);
    void showView(const QList<ItemInfo *> &tasks, int view, int skip);

    // The rows placed by the last show, top to bottom.
    QList<itemWidget *> shownRows() const { return m_shown; }

signals:
    // Emitted by a row's check box in the playlist dialog.
    void checkChanged();

private:
    QVBoxLayout *m_layout;
    RowFactory m_rowFor;
    QList<itemWidget *> m_shown;
};
