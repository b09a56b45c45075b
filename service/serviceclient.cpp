#include "service/serviceclient.h"

#include "base/global.h"

#include <QDebug>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSslConfiguration>
#include <QSslSocket>
#include <QTimer>

namespace ServiceClient {

namespace {

// Waits for reply in a local event loop for at most timeoutMs and returns
// what was received. An unfinished reply is aborted.
QByteArray collect(QNetworkReply *reply, int timeoutMs)
{
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    timer.start(timeoutMs);
    if (!reply->isFinished())
        loop.exec();

    QByteArray body = reply->readAll();
    if (!reply->isFinished()) {
        qDebug() << "service request timed out:" << reply->url().toString();
        QObject::disconnect(reply, nullptr, &loop, nullptr);
        reply->abort();
    } else if (reply->error() != QNetworkReply::NoError) {
        qDebug() << "service request failed:" << reply->url().toString() << reply->errorString();
    }
    reply->deleteLater();
    return body;
}

} // namespace

QByteArray get(const QUrl &url, int timeoutMs)
{
    QNetworkAccessManager manager;
    QNetworkRequest request(url);
    return collect(manager.get(request), timeoutMs);
}

QByteArray postJson(const QUrl &url, const QByteArray &body, int timeoutMs)
{
    QNetworkAccessManager manager;
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/json"));
    QSslConfiguration tls = request.sslConfiguration();
    tls.setPeerVerifyMode(QSslSocket::VerifyNone);
    // Any current protocol: pinning the oldest TLS would fail against every
    // up-to-date server.
    tls.setProtocol(QSsl::TlsV1_0OrLater);
    request.setSslConfiguration(tls);

    QNetworkReply *reply = manager.post(request, body);
    QObject::connect(reply, &QNetworkReply::finished, reply, [reply] {
        qDebug() << "service reply status"
                 << reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    });
    return collect(reply, timeoutMs);
}

QByteArray getServiceFile(const QString &path)
{
    return get(QUrl(Global::SERVICE_URL + path));
}

QByteArray postServiceJson(const QString &path, const QString &body)
{
    return postJson(QUrl(Global::SERVICE_URL + path), body.toLatin1());
}

} // namespace ServiceClient
