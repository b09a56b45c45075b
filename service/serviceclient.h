#pragma once

#include "base/httprequest.h"

#include <QByteArray>
#include <QString>
#include <QUrl>

// Requests to the vendor's web service. Every form blocks the caller inside a
// local event loop (the window keeps painting and other events are served)
// until the reply finishes or the bound passes; whatever body arrived by then,
// possibly nothing, is the result. Nothing is retried. TLS peers are verified
// as for any other request: an answer that cannot be authenticated is none.
namespace ServiceClient {

constexpr int TimeoutMs = 9000;

// GET of Global::SERVICE_URL + path.
QByteArray getServiceFile(const QString &path);
// POST of body (Latin-1) as JSON to Global::SERVICE_URL + path.
QByteArray postServiceJson(const QString &path, const QString &body);

// The same requests against a full address, with the whole result (whether
// the bound passed, the HTTP status); what the two above use.
HttpRequest::Result fetch(const QUrl &url, int timeoutMs = TimeoutMs);
HttpRequest::Result post(const QUrl &url, const QByteArray &body, int timeoutMs = TimeoutMs);

// The bodies only.
QByteArray get(const QUrl &url, int timeoutMs = TimeoutMs);
QByteArray postJson(const QUrl &url, const QByteArray &body, int timeoutMs = TimeoutMs);

} // namespace ServiceClient
