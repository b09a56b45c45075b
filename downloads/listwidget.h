#pragma once

#include <QList>
#include <QWidget>
#include <functional>

class ItemInfo;
class QVBoxLayout;
class itemWidget;

// The container of the download list. It holds no task data: it is given the
// page of tasks to show and places their rows. However long the history, it
// owns one page's worth of rows: a row keeps its task while that task stays
// on the page, and is re-bound to another task when the page moves on.
class ListWidget : public QWidget
{
    Q_OBJECT

public:
    // Makes an empty row (its buttons connected); the list owns it.
    using RowFactory = std::function<itemWidget *()>;
    // Fills a row that was just bound to task.
    using RowBinder = std::function<void(itemWidget *row, ItemInfo *task)>;

    explicit ListWidget(QWidget *parent = nullptr);
    ~ListWidget() override;

    void setRowFactory(RowFactory factory) { m_makeRow = std::move(factory); }
    void setRowBinder(RowBinder binder) { m_bind = std::move(binder); }

    // Replaces the rows shown by the rows of page, top to bottom.
    void showTasks(const QList<ItemInfo *> &page);
    // The row that shows task, or nullptr when the task is not on the page.
    itemWidget *rowFor(const ItemInfo *task) const;
    // Deletes every row (before their tasks go away).
    void deleteRows();

    // The rows placed by the last show, top to bottom.
    QList<itemWidget *> shownRows() const { return m_shown; }
    // Every row made so far (at most one page's worth).
    int rowCount() const { return m_pool.size(); }

private:
    void clearLayout();

    QVBoxLayout *m_layout;
    RowFactory m_makeRow;
    RowBinder m_bind;
    QList<itemWidget *> m_pool;
    QList<itemWidget *> m_shown;
};
