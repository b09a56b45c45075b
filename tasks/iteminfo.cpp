#include "tasks/iteminfo.h"

#include <QUuid>

ItemInfo::ItemInfo(QObject *parent)
    : QObject(parent)
{ }

QString newUniqueId()
{
    return QUuid::createUuid().toString(QUuid::Id128);
}
