#include "downloads/listwidget.h"

#include "base/global.h"
#include "downloads/itemwidget.h"

#include <QHash>
#include <QVBoxLayout>

ListWidget::ListWidget(QWidget *parent)
    : QWidget(parent)
    , m_layout(new QVBoxLayout(this))
{
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(Global::scaled(8));
}

ListWidget::~ListWidget()
{
    deleteRows();
}

itemWidget *ListWidget::rowFor(const ItemInfo *task) const
{
    if (!task)
        return nullptr;
    for (itemWidget *row : m_shown) {
        if (row->task() == task)
            return row;
    }
    return nullptr;
}

void ListWidget::clearLayout()
{
    while (QLayoutItem *item = m_layout->takeAt(0))
        delete item;
    m_shown.clear();
}

void ListWidget::showTasks(const QList<ItemInfo *> &page)
{
    // A task that stays on the page keeps its row as it is (a running
    // animation, a status word just set); the other rows are free.
    QHash<const ItemInfo *, itemWidget *> kept;
    QList<itemWidget *> free;
    for (itemWidget *row : qAsConst(m_pool)) {
        if (row->task() && page.contains(row->task()) && !kept.contains(row->task()))
            kept.insert(row->task(), row);
        else
            free << row;
    }
    clearLayout();
    for (ItemInfo *t : page) {
        itemWidget *row = kept.value(t);
        if (!row) {
            if (!free.isEmpty()) {
                row = free.takeFirst();
            } else if (m_makeRow && (row = m_makeRow())) {
                row->setMinimumSize(row->size());
                m_pool << row;
            } else {
                continue;
            }
            row->setTaskInfo(t);
            if (m_bind)
                m_bind(row, t);
        }
        m_layout->addWidget(row);
        row->show();
        m_shown << row;
    }
    for (itemWidget *row : qAsConst(free)) {
        row->hide();
        row->setTaskInfo(nullptr); // an unused row answers for no task
    }
    setFixedHeight(static_cast<int>((m_shown.size() * 88 + 1) * Global::SCALE));
}

void ListWidget::deleteRows()
{
    clearLayout();
    qDeleteAll(m_pool);
    m_pool.clear();
}
