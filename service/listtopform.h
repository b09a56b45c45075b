#pragma once

#include <QList>
#include <QWidget>

class QVBoxLayout;
class TopForm;
class TopInfo;

// The rows of one popular list stacked from the top, followed by a stretch.
class ListTopForm : public QWidget
{
    Q_OBJECT

public:
    explicit ListTopForm(QWidget *parent = nullptr);

    // Drops the rows shown before and shows one new row per entry; kind
    // colours the ranks (0 day, 1 week, 2 month). The rows are returned in
    // list order for wiring.
    QList<TopForm *> showEntries(const QList<TopInfo *> &entries, int kind);
    const QList<TopForm *> &rows() const { return m_rows; }
    // The row showing info, if any.
    TopForm *rowFor(const TopInfo *info) const;

private:
    QVBoxLayout *m_layout = nullptr;
    QList<TopForm *> m_rows;
};
