#include "app/singleinstance.h"

#include <QCryptographicHash>
#include <QDir>

QString SingleInstance::serverName() const
{
    // A socket path holds at most 107 bytes; a deep runtime folder gets a
    // name of its own in the temporary folder instead, the same for every
    // start that uses that runtime folder.
    const QString path = m_folder + QStringLiteral("/quillon.socket");
    if (path.toLocal8Bit().size() <= 100)
        return path;
    const QByteArray id = QCryptographicHash::hash(m_folder.toUtf8(), QCryptographicHash::Sha1);
    return QDir::tempPath() + QStringLiteral("/quillon-") + QString::fromLatin1(id.toHex().left(16))
        + QStringLiteral(".socket");
}
