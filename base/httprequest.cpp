#include "base/httprequest.h"

#include "base/global.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSslConfiguration>
#include <QSslSocket>
#include <QTimer>

#include <memory>

namespace HttpRequest {

namespace {

void applyTls(QNetworkRequest &request, const Options &options)
{
    if (options.verifyPeer && !options.tlsProtocol)
        return;
    if (!QSslSocket::supportsSsl())
        return; // no TLS at all: only plain http can work, and it ignores this
    QSslConfiguration tls = request.sslConfiguration();
    if (!options.verifyPeer)
        tls.setPeerVerifyMode(QSslSocket::VerifyNone);
    if (options.tlsProtocol)
        tls.setProtocol(*options.tlsProtocol);
    request.setSslConfiguration(tls);
}

void waitFor(QNetworkReply *reply, const Options &options)
{
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QTimer deadline;
    deadline.setSingleShot(true);
    if (options.preciseTimer)
        deadline.setTimerType(Qt::PreciseTimer);
    QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
    QTimer poll;
    if (options.cancelled) {
        QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
            if (options.cancelled())
                loop.quit();
        });
        poll.start(50);
    }
    deadline.start(options.timeoutMs);
    loop.exec();
}

} // namespace

Result send(const QUrl &url, const Options &options)
{
    Result result;
    if (!url.isValid() || url.isEmpty()) {
        result.error = QStringLiteral("invalid address");
        return result;
    }

    QNetworkAccessManager manager;
    if (options.proxy)
        manager.setProxy(*options.proxy);
    QNetworkRequest request(url);
    if (!options.contentType.isEmpty())
        request.setHeader(QNetworkRequest::ContentTypeHeader, options.contentType);
    if (!options.userAgent.isEmpty())
        request.setHeader(QNetworkRequest::UserAgentHeader, options.userAgent);
    if (options.followRedirects)
        request.setAttribute(
            QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    applyTls(request, options);

    std::unique_ptr<QNetworkReply> reply(options.method == Method::Post
            ? manager.post(request, options.body)
            : manager.get(request));
    if (!reply->isFinished())
        waitFor(reply.get(), options);

    const QByteArray body = reply->readAll();
    result.httpStatus = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (!reply->isFinished()) {
        result.timedOut = true;
        result.error = QStringLiteral("no answer within %1 ms").arg(options.timeoutMs);
        reply->abort();
    } else if (reply->error() != QNetworkReply::NoError) {
        result.error = reply->errorString();
    }
    if (result.error.isEmpty() || options.keepPartialBody)
        result.body = body;
    return result;
}

QNetworkProxy detectedProxy()
{
    if (Global::PROXY_PORT < 1)
        return QNetworkProxy(QNetworkProxy::NoProxy);
    return QNetworkProxy(
        Global::PROXY_IS_SOCKS5 ? QNetworkProxy::Socks5Proxy : QNetworkProxy::HttpProxy,
        QStringLiteral("127.0.0.1"), static_cast<quint16>(Global::PROXY_PORT));
}

} // namespace HttpRequest
