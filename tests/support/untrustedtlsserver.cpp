#include "support/untrustedtlsserver.h"

#include "support/testfiles.h"

#include <QProcess>
#include <QTemporaryDir>

namespace {

// A fresh self-signed certificate for 127.0.0.1 and its key, made with
// openssl; both empty when that fails.
QPair<QByteArray, QByteArray> makeCertificate()
{
    QTemporaryDir dir;
    const QString cert = dir.filePath(QStringLiteral("cert.pem"));
    const QString key = dir.filePath(QStringLiteral("key.pem"));
    QProcess openssl; // its progress output stays out of the test's
    openssl.start(QStringLiteral("openssl"),
        {"req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes",
            "-subj", "/CN=127.0.0.1", "-days", "2", "-keyout", key, "-out", cert});
    openssl.waitForFinished(30000);
    return {readFile(cert), readFile(key)};
}

} // namespace

UntrustedTlsServer::UntrustedTlsServer(const QByteArray &body, QObject *parent)
    : QTcpServer(parent)
    , m_body(body)
{
    const auto pems = makeCertificate();
    m_certificate = QSslCertificate(pems.first, QSsl::Pem);
    m_key = QSslKey(pems.second, QSsl::Ec, QSsl::Pem);
}

void UntrustedTlsServer::incomingConnection(qintptr descriptor)
{
    auto *socket = new QSslSocket(this);
    if (!socket->setSocketDescriptor(descriptor)) {
        delete socket;
        return;
    }
    socket->setLocalCertificate(m_certificate);
    socket->setPrivateKey(m_key);
    connect(socket, &QSslSocket::readyRead, socket, [this, socket] {
        socket->readAll();
        socket->write("HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nContent-Length: "
            + QByteArray::number(m_body.size()) + "\r\nConnection: close\r\n\r\n" + m_body);
        socket->disconnectFromHost();
    });
    connect(socket, &QSslSocket::disconnected, socket, &QObject::deleteLater);
    socket->startServerEncryption();
}
