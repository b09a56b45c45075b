#pragma once

#include <QByteArray>
#include <QObject>
#include <QProcess>
#include <QString>

// The media fixture's folder served so slowly that a test can act in the
// middle of a transfer (throttled_range_server.py: about seconds for the
// plain clip, Range requests answered). Stopped when this object goes.
class ThrottledServer : public QObject
{
public:
    ThrottledServer(const QString &folder, int seconds);
    ~ThrottledServer() override;

    // Empty when the server did not start.
    QString base() const { return m_base; }
    // Every request since the last clear: "GET <path> range=<...>" lines.
    QByteArray requests;

private:
    QProcess m_server;
    QString m_base;
};
