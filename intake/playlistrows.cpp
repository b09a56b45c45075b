#include "intake/playlistrows.h"

#include "base/global.h"
#include "intake/form.h"

#include <QScrollArea>
#include <QScrollBar>

PlaylistRows::PlaylistRows(QScrollArea *area, Binder binder)
    : m_area(area)
    , m_bind(std::move(binder))
    , m_rowHeight(Global::scaled(36))
    , m_spacing(Global::scaled(2))
{
    setAttribute(Qt::WA_TranslucentBackground);
    connect(m_area->verticalScrollBar(), &QScrollBar::valueChanged, this, &PlaylistRows::place);
    // The rows are made with the dialog, before it is first shown.
    growPool(m_area->height() / (m_rowHeight + m_spacing) + 2);
}

void PlaylistRows::growPool(int size)
{
    while (m_pool.size() < size) {
        auto *row = new Form(this);
        row->hide();
        connect(row, &Form::m_checkclicked, this, &PlaylistRows::checkClicked);
        m_pool << row;
    }
}

void PlaylistRows::setCount(int count)
{
    m_count = count;
    setFixedHeight(count * (m_rowHeight + m_spacing));
    m_area->verticalScrollBar()->setValue(0);
    place();
}

void PlaylistRows::refresh()
{
    place();
}

Form *PlaylistRows::rowFor(int index) const
{
    for (Form *row : m_pool) {
        if (row->isVisible() && row->index() == index)
            return row;
    }
    return nullptr;
}

void PlaylistRows::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    place();
}

void PlaylistRows::place()
{
    const int step = m_rowHeight + m_spacing;
    const int top = m_area->verticalScrollBar()->value();
    const int first = qMax(0, top / step);
    const int wanted = m_area->viewport()->height() / step + 2;
    growPool(wanted);
    for (int i = 0; i < m_pool.size(); ++i) {
        Form *row = m_pool[i];
        const int index = first + i;
        if (index >= m_count) {
            row->hide();
            continue;
        }
        row->setIndex(index);
        m_bind(row, index);
        row->setGeometry(0, index * step, width(), m_rowHeight);
        row->show();
        row->raise();
    }
    update();
}
