#include "extractor/mediacheck.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QtEndian>

namespace {

bool isMp4Family(const QString &path)
{
    static const QStringList extensions = {QStringLiteral("mp4"), QStringLiteral("m4a"),
        QStringLiteral("m4v"), QStringLiteral("mov"), QStringLiteral("3gp"), QStringLiteral("3g2")};
    return extensions.contains(QFileInfo(path).suffix().toLower());
}

// Walks the top-level boxes: each starts with its size (32 bits, or 1 and a
// 64-bit size after the type, or 0 for "up to the end of the file").
bool boxChainIsWhole(QFile &file)
{
    const qint64 end = file.size();
    qint64 at = 0;
    bool index = false;
    while (at < end) {
        uchar header[16];
        if (!file.seek(at) || file.read(reinterpret_cast<char *>(header), 8) != 8)
            return false;
        quint64 size = qFromBigEndian<quint32>(header);
        index = index || QByteArray(reinterpret_cast<const char *>(header) + 4, 4) == "moov";
        if (size == 1) {
            if (file.read(reinterpret_cast<char *>(header) + 8, 8) != 8)
                return false;
            size = qFromBigEndian<quint64>(header + 8);
        } else if (size == 0) {
            size = quint64(end - at);
        }
        if (size < 8 || size > quint64(end - at))
            return false;
        at += qint64(size);
    }
    return index;
}

} // namespace

bool isWholeMediaFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() == 0)
        return false;
    return !isMp4Family(path) || boxChainIsWhole(file);
}
