#include "downloads/listwidget.h"

#include "base/global.h"
#include "downloads/itemwidget.h"

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

itemWidget *ListWidget::rowFor(ItemInfo *task)
{
    itemWidget *row = m_rows.value(task);
    if (!row && m_makeRow) {
        row = m_makeRow(task);
        if (row)
            m_rows.insert(task, row);
    }
    return row;
}

void ListWidget::clearRows()
{
    while (QLayoutItem *item = m_layout->takeAt(0)) {
        if (QWidget *w = item->widget())
            w->hide();
        delete item;
    }
    m_shown.clear();
}

void ListWidget::showTasks(const QList<ItemInfo *> &page)
{
    clearRows();
    for (ItemInfo *t : page) {
        itemWidget *row = rowFor(t);
        if (!row)
            continue;
        row->setMinimumSize(row->size());
        m_layout->addWidget(row);
        row->show();
        m_shown << row;
    }
    setFixedHeight(static_cast<int>((m_shown.size() * 88 + 1) * Global::SCALE));
}

void ListWidget::deleteRows()
{
    clearRows();
    qDeleteAll(m_rows);
    m_rows.clear();
}
