#include "downloads/qmenubutton.h"

#include "base/global.h"
#include "base/imagestyle.h"

#include <QMenu>

QMenuButton::QMenuButton(QWidget *parent)
    : QPushButton(parent)
    , popupMenu(new QMenu(this))
{
    connect(this, &QPushButton::clicked, this, &QMenuButton::popupmenu);
    popupMenu->setStyleSheet(ImageStyle::menuSheet(Global::SCALE));
    QFont font = popupMenu->font();
    font.setPixelSize(static_cast<int>(12 * Global::SCALE));
    popupMenu->setFont(font);
}

void QMenuButton::popupmenu()
{
    popupMenu->exec(mapToGlobal(QPoint(0, height())));
}
