#include "tasks/iteminfo.h"

#include <QUuid>

QString newUniqueId()
{
    return QUuid::createUuid().toString(QUuid::Id128);
}
