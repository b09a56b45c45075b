#include "extractor/releasefiles.h"

#include <QFile>
#include <QHostAddress>
#include <QList>
#include <QRegularExpression>

// The shipped key is a resource of this library; a static library must ask
// for its resources to be registered.
static void initExtractorKeys()
{
    Q_INIT_RESOURCE(extractorkeys);
}

namespace ReleaseFiles {

namespace {

QString normalizedFingerprint(QString fingerprint)
{
    return fingerprint.remove(QLatin1Char(' ')).toUpper();
}

quint32 crc24(const QByteArray &data)
{
    quint32 crc = 0xB704CEu;
    for (const char byte : data) {
        crc ^= static_cast<quint32>(static_cast<unsigned char>(byte)) << 16;
        for (int bit = 0; bit < 8; ++bit) {
            crc <<= 1;
            if (crc & 0x1000000u)
                crc ^= 0x1864CFBu;
        }
    }
    return crc & 0xFFFFFFu;
}

} // namespace

QString releaseAddress()
{
    QString address = qEnvironmentVariable("QUILLON_EXTRACTOR_RELEASES").trimmed();
    if (address.isEmpty())
        address = QStringLiteral(QUILLON_DEFAULT_EXTRACTOR_RELEASES);
    if (!address.endsWith(QLatin1Char('/')))
        address += QLatin1Char('/');
    return address;
}

bool addressAllowed(const QUrl &url)
{
    if (!url.isValid())
        return false;
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("https"))
        return !url.host().isEmpty();
    if (scheme != QLatin1String("http"))
        return false;
    const QString host = url.host().toLower();
    return host == QLatin1String("localhost") || QHostAddress(host).isLoopback();
}

TrustedKey shippedKey()
{
    initExtractorKeys();
    QFile file(QStringLiteral(":/extractorkeys/extractor-release-signing-key.asc"));
    TrustedKey key;
    if (file.open(QIODevice::ReadOnly))
        key.armored = file.readAll();
    key.fingerprint = QStringLiteral("AC0CBBE6848D6A873464AF4E57CF65933B5A7581");
    return key;
}

QByteArray dearmor(const QByteArray &armored)
{
    const QList<QByteArray> lines = armored.split('\n');
    int i = 0;
    while (i < lines.size() && !lines[i].trimmed().startsWith("-----BEGIN PGP"))
        ++i;
    ++i;
    // Header lines ("Comment: ...") end at the first blank line.
    int headerEnd = i;
    while (headerEnd < lines.size() && !lines[headerEnd].trimmed().isEmpty()
        && lines[headerEnd].contains(':'))
        ++headerEnd;
    if (headerEnd < lines.size() && lines[headerEnd].trimmed().isEmpty())
        i = headerEnd + 1;

    QByteArray body;
    QByteArray checksum;
    bool ended = false;
    for (; i < lines.size(); ++i) {
        const QByteArray line = lines[i].trimmed();
        if (line.startsWith("-----END PGP")) {
            ended = true;
            break;
        }
        if (line.startsWith('='))
            checksum = line.mid(1);
        else
            body += line;
    }
    if (!ended || body.isEmpty())
        return QByteArray();
    const auto decoded
        = QByteArray::fromBase64Encoding(body, QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded)
        return QByteArray();
    if (!checksum.isEmpty()) {
        const QByteArray crc = QByteArray::fromBase64(checksum);
        if (crc.size() != 3)
            return QByteArray();
        const quint32 expected = (static_cast<quint32>(static_cast<unsigned char>(crc[0])) << 16)
            | (static_cast<quint32>(static_cast<unsigned char>(crc[1])) << 8)
            | static_cast<unsigned char>(crc[2]);
        if (crc24(*decoded) != expected)
            return QByteArray();
    }
    return *decoded;
}

bool signatureGood(const QByteArray &status, const QString &fingerprint)
{
    const QString wanted = normalizedFingerprint(fingerprint);
    if (wanted.isEmpty())
        return false;
    bool valid = false;
    for (const QByteArray &raw : status.split('\n')) {
        const QList<QByteArray> fields = raw.trimmed().split(' ');
        if (fields.size() < 2 || fields[0] != "[GNUPG:]")
            continue;
        const QByteArray &keyword = fields[1];
        // Any bad or unverifiable signature in the file spoils it.
        if (keyword == "BADSIG" || keyword == "ERRSIG" || keyword == "EXPKEYSIG"
            || keyword == "REVKEYSIG")
            return false;
        if (keyword == "VALIDSIG" && fields.size() >= 3) {
            const QString signing = QString::fromLatin1(fields[2]).toUpper();
            const QString primary = QString::fromLatin1(fields.last()).toUpper();
            if (signing == wanted || primary == wanted)
                valid = true;
        }
    }
    return valid;
}

QString checksumFor(const QByteArray &list, const QString &fileName)
{
    static const QRegularExpression line(QStringLiteral("^([0-9A-Fa-f]{64})[ \\t]+\\*?(.+)$"));
    for (const QByteArray &raw : list.split('\n')) {
        const auto m = line.match(QString::fromUtf8(raw).trimmed());
        if (m.hasMatch() && m.captured(2) == fileName)
            return m.captured(1).toLower();
    }
    return QString();
}

} // namespace ReleaseFiles
