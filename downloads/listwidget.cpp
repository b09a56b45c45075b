#include "downloads/listwidget.h"

#include "base/global.h"
#include "downloads/itemwidget.h"
#include "downloads/listrules.h"
#include "tasks/iteminfo.h"

#include <QDebug>
#include <QVBoxLayout>

ListWidget::ListWidget(QWidget *parent)
    : QWidget(parent)
    , m_layout(new QVBoxLayout(this))
{
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(Global::scaled(8));
}

void ListWidget::clearRows(const QList<ItemInfo *> &tasks)
{
    for (ItemInfo *t : tasks) {
        if (!t->row || t->row->parentWidget() != this)
            continue;
        m_layout->removeWidget(t->row);
        t->row->hide();
        t->row->setParent(nullptr);
    }
    while (QLayoutItem *item = m_layout->takeAt(0)) {
        if (QWidget *w = item->widget()) {
            w->hide();
            w->setParent(nullptr);
        }
        delete item;
    }
    m_shown.clear();
}

void ListWidget::showView(const QList<ItemInfo *> &tasks, int view, int skip)
{
    m_shown.clear();
    if (m_rowFor) {
        for (ItemInfo *t : ListRules::page(tasks, view, skip)) {
            itemWidget *row = m_rowFor(t);
            if (!row)
                continue;
            row->setMinimumSize(row->size());
            m_layout->addWidget(row);
            row->show();
            m_shown << row;
            if (view == ListRules::Finished)
                qDebug() << "m_form->size()" << row->size();
        }
    }
    setFixedHeight(static_cast<int>((m_shown.size() * 88 + 1) * Global::SCALE));
}

void ListWidget::showPaused(const QList<ItemInfo *> &tasks, int skip)
{
    showView(tasks, ListRules::Paused, skip);
}

void ListWidget::showInProgress(const QList<ItemInfo *> &tasks, int skip)
{
    showView(tasks, ListRules::InProgress, skip);
}

void ListWidget::showFinished(const QList<ItemInfo *> &tasks, int skip)
{
    showView(tasks, ListRules::Finished, skip);
}

void ListWidget::showFailed(const QList<ItemInfo *> &tasks, int skip)
{
    showView(tasks, ListRules::Failed, skip);
}
