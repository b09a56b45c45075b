#pragma once

#include <QList>
#include <QWidget>

#include <functional>

class Form;
class QScrollArea;

// The rows of the playlist dialog inside its scroll area. A list may hold
// thousands of entries, so only the rows in sight exist: a few Form widgets
// are placed where the visible entries are and re-bound to them as the list
// scrolls. The entries themselves stay with the dialog.
class PlaylistRows : public QWidget
{
    Q_OBJECT

public:
    // Fills a row for entry index (title, check state).
    using Binder = std::function<void(Form *row, int index)>;

    PlaylistRows(QScrollArea *area, Binder binder);

    // Shows count entries from the top.
    void setCount(int count);
    int count() const { return m_count; }
    // Re-binds the rows in sight (after entries changed).
    void refresh();
    // The row that shows entry index, or nullptr when it is out of sight.
    Form *rowFor(int index) const;

signals:
    void checkClicked(int index, bool checked);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void place();
    void growPool(int size);

    QScrollArea *m_area;
    Binder m_bind;
    QList<Form *> m_pool;
    int m_count = 0;
    int m_rowHeight;
    int m_spacing;
};
