#include "service/serviceclient.h"

#include "base/global.h"

#include <QDebug>

namespace ServiceClient {

namespace {

HttpRequest::Result send(const QUrl &url, HttpRequest::Options options, int timeoutMs)
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
    return result;
}

} // namespace

HttpRequest::Result fetch(const QUrl &url, int timeoutMs)
{
    return send(url, HttpRequest::Options(), timeoutMs);
}

HttpRequest::Result post(const QUrl &url, const QByteArray &body, int timeoutMs)
{
    HttpRequest::Options options;
    options.method = HttpRequest::Method::Post;
    options.body = body;
    options.contentType = QStringLiteral("application/json");
    return send(url, options, timeoutMs);
}

QByteArray get(const QUrl &url, int timeoutMs)
{
    return fetch(url, timeoutMs).body;
}

QByteArray postJson(const QUrl &url, const QByteArray &body, int timeoutMs)
{
    return post(url, body, timeoutMs).body;
}

QByteArray getServiceFile(const QString &path)
{
    if (!Global::vendorServiceConfigured())
        return QByteArray();
    return get(QUrl(Global::SERVICE_URL + path));
}

QByteArray postServiceJson(const QString &path, const QString &body)
{
    if (!Global::vendorServiceConfigured())
        return QByteArray();
    return postJson(QUrl(Global::SERVICE_URL + path), body.toLatin1());
}

} // namespace ServiceClient
