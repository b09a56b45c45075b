#pragma once

#include <QByteArray>
#include <QNetworkProxy>
#include <QUrl>

#include <functional>
#include <optional>

// One bounded GET in a local event loop on the calling thread, with TLS peer
// verification off. Used by proxy detection (worker thread) and the
// connectivity check (GUI thread).
namespace NetFetch {

// The reply body, or an empty array when the request failed: no answer within
// timeoutMs, a network or proxy error, or an HTTP error status. An error page
// is not an answer: a proxy that cannot reach the target, or a web server
// that is no proxy at all, answers with one.
// proxy: the proxy to use; none means the process-wide configuration.
// cancelled: polled while waiting; true ends the wait at once.
QByteArray get(const QUrl &url, const std::optional<QNetworkProxy> &proxy, int timeoutMs,
    const std::function<bool()> &cancelled = {});

} // namespace NetFetch
