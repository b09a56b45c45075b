#include "app/singleinstance.h"

// Local sockets are named pipes on Windows: one name per user.
QString SingleInstance::serverName() const
{
    return QStringLiteral("quillon-") + qEnvironmentVariable("USERNAME");
}
