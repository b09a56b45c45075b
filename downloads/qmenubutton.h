#pragma once

#include <QPushButton>

class QMenu;

// A push button that pops up its own menu just below its lower-left corner.
class QMenuButton : public QPushButton
{
    Q_OBJECT

public:
    explicit QMenuButton(QWidget *parent = nullptr);

    QMenu *menu() const { return popupMenu; }

public slots:
    void popupmenu();

private:
    QMenu *popupMenu;
};
