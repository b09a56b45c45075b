#pragma once

#include <QHash>
#include <QList>
#include <QWidget>
#include <functional>

class ItemInfo;
class QVBoxLayout;
class itemWidget;

// The container of the download list. It holds no task data: it is given the
// page of tasks to show and places their rows. Rows are made on demand by the
// row factory and kept per task, so a long history costs nothing until a task
// is shown; they are deleted with the list.
class ListWidget : public QWidget
{
    Q_OBJECT

public:
    using RowFactory = std::function<itemWidget *(ItemInfo *)>;

    explicit ListWidget(QWidget *parent = nullptr);
    ~ListWidget() override;

    void setRowFactory(RowFactory factory) { m_makeRow = std::move(factory); }

    // Replaces the rows shown by the rows of page, top to bottom.
    void showTasks(const QList<ItemInfo *> &page);
    // The task's row, made when first needed.
    itemWidget *rowFor(ItemInfo *task);
    // The task's row when one was made, else nullptr.
    itemWidget *existingRow(ItemInfo *task) const { return m_rows.value(task); }
    // Deletes every row (before their tasks go away).
    void deleteRows();

    // The rows placed by the last show, top to bottom.
    QList<itemWidget *> shownRows() const { return m_shown; }

private:
    void clearRows();

    QVBoxLayout *m_layout;
    RowFactory m_makeRow;
    QHash<ItemInfo *, itemWidget *> m_rows;
    QList<itemWidget *> m_shown;
};
