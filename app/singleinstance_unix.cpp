#include "app/singleinstance.h"

QString SingleInstance::serverName() const
{
    return m_folder + QStringLiteral("/quillon.socket");
}
