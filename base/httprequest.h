#pragma once

#include <QByteArray>
#include <QNetworkProxy>
#include <QSsl>
#include <QString>
#include <QUrl>

#include <functional>
#include <optional>

// One HTTP request with a time limit, waited for in a local event loop on the
// calling thread: the thread's other events (a window's painting, timers) are
// served meanwhile. Proxy detection, the connectivity check, the vendor
// service and the thumbnails all go through it; they differ only in Options.
namespace HttpRequest {

enum class Method
{
    Get,
    Post
};

struct Options
{
    Method method = Method::Get;
    QByteArray body; // sent with Post
    QString contentType; // Content-Type header, when not empty
    QByteArray userAgent; // User-Agent header, when not empty
    // Follows redirects, but never from https to http.
    bool followRedirects = false;

    // The proxy to use; none means the process-wide configuration.
    std::optional<QNetworkProxy> proxy;

    int timeoutMs = 10000;
    // Exact to the millisecond rather than Qt's coarse 5 % leeway.
    bool preciseTimer = false;
    // Polled while waiting; true ends the wait at once, as a time-out does.
    std::function<bool()> cancelled;

    // TLS: whether the peer's certificate is checked, and the protocols
    // allowed (none: Qt's default).
    bool verifyPeer = true;
    std::optional<QSsl::SslProtocol> tlsProtocol;

    // What the result holds when the request did not finish cleanly: with
    // keepPartialBody whatever body had arrived (an error page, a part, or
    // nothing); without it nothing at all, because an error page is no answer
    // (a proxy that cannot reach the target, or a web server that is no proxy,
    // answers with one).
    bool keepPartialBody = false;
};

struct Result
{
    QByteArray body;
    bool timedOut = false; // no end within the bound, or cancelled
    QString error; // empty when the request finished without error
    int httpStatus = 0; // 0 when no status line arrived
};

// An invalid or empty url gives an empty result at once.
Result send(const QUrl &url, const Options &options);

// The local proxy the downloads use, of the type it was detected as; no proxy
// while none was found (Global::PROXY_PORT below 1).
QNetworkProxy detectedProxy();

} // namespace HttpRequest
