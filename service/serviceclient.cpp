#include "service/serviceclient.h"

#include "base/global.h"
#include "base/httprequest.h"

#include <QDebug>

namespace ServiceClient {

namespace {

QByteArray send(const QUrl &url, HttpRequest::Options options, int timeoutMs)
{
    options.timeoutMs = timeoutMs;
    options.preciseTimer = true;
    // Whatever arrived is the answer; the caller judges whether it is usable.
    options.keepPartialBody = true;
    const HttpRequest::Result result = HttpRequest::send(url, options);
    if (options.method == HttpRequest::Method::Post && result.httpStatus != 0)
        qDebug() << "service reply status" << result.httpStatus;
    if (!result.error.isEmpty())
        qDebug() << "service request failed:" << url.toString() << result.error;
    return result.body;
}

} // namespace

QByteArray get(const QUrl &url, int timeoutMs)
{
    return send(url, HttpRequest::Options(), timeoutMs);
}

QByteArray postJson(const QUrl &url, const QByteArray &body, int timeoutMs)
{
    HttpRequest::Options options;
    options.method = HttpRequest::Method::Post;
    options.body = body;
    options.contentType = QStringLiteral("application/json");
    options.verifyPeer = false;
    // Any current protocol: pinning the oldest TLS would fail against every
    // up-to-date server.
    options.tlsProtocol = QSsl::TlsV1_0OrLater;
    return send(url, options, timeoutMs);
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
