#include "service/listtopform.h"

#include "service/topform.h"
#include "service/topinfo.h"

#include <QVBoxLayout>

ListTopForm::ListTopForm(QWidget *parent)
    : QWidget(parent)
    , m_layout(new QVBoxLayout(this))
{
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
}

QList<TopForm *> ListTopForm::showEntries(const QList<TopInfo *> &entries, int kind)
{
    for (TopForm *row : qAsConst(m_rows)) {
        m_layout->removeWidget(row);
        row->hide();
        row->deleteLater();
    }
    m_rows.clear();
    while (QLayoutItem *item = m_layout->takeAt(0))
        delete item;

    for (int i = 0; i < entries.size(); ++i) {
        TopInfo *info = entries[i];
        auto *row = new TopForm(this);
        row->setInfo(info);
        row->setURL(info->url);
        row->setName(info->title);
        row->setTime(info->duration);
        row->setRank(i + 1);
        row->setRankColor(kind);
        row->setImage(info->thumbnail);
        row->setMinimumSize(row->size());
        m_layout->addWidget(row);
        m_rows.append(row);
    }
    m_layout->addStretch();
    return m_rows;
}

TopForm *ListTopForm::rowFor(const TopInfo *info) const
{
    for (TopForm *row : m_rows) {
        if (row->info() == info)
            return row;
    }
    return nullptr;
}
