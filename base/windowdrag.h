#pragma once

#include <QObject>
#include <QPoint>

class QWidget;

// Lets the left mouse button drag a frameless window by any part of it that
// does not take the press itself (buttons, tables and fields keep theirs).
class WindowDrag : public QObject
{
public:
    // The drag lives as long as the window.
    static void install(QWidget *window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit WindowDrag(QWidget *window);

    QWidget *m_window;
    bool m_dragging = false;
    QPoint m_offset; // cursor position relative to the window's corner
};
