#include "downloads/qmenubutton.h"

#include "base/global.h"

#include <QMenu>

QMenuButton::QMenuButton(QWidget *parent)
    : QPushButton(parent)
    , popupMenu(new QMenu(this))
{
    connect(this, &QPushButton::clicked, this, &QMenuButton::popupmenu);
    popupMenu->setStyleSheet(
        QStringLiteral(
            "QMenu {background-color:rgb(255,255,255);border: 1px solid rgb(53, 152, 219);}")
        + QStringLiteral("QMenu::item {color: rgb(0,0,0);background-color:rgb(255,255,255);"
                         "padding:%1px %2px;margin:0px %3px;}")
              .arg(5 * Global::SCALE)
              .arg(20 * Global::SCALE)
              .arg(5 * Global::SCALE)
        + QStringLiteral("QMenu::item:selected {color: rgb(111, 156, 207); }"));
    QFont font = popupMenu->font();
    font.setPixelSize(static_cast<int>(12 * Global::SCALE));
    popupMenu->setFont(font);
}

void QMenuButton::popupmenu()
{
    popupMenu->exec(mapToGlobal(QPoint(0, height())));
}
