#pragma once

#include <QProcess>
#include <QTemporaryDir>

// A real proxy server from Debian's packages, started on a free port of
// 127.0.0.1 for one test and killed when this object goes: tinyproxy for HTTP,
// microsocks for SOCKS5.
class ProxyServerProcess
{
public:
    enum Kind
    {
        Http,
        Socks5
    };

    explicit ProxyServerProcess(Kind kind)
        : m_kind(kind)
    { }
    ~ProxyServerProcess() { stop(); }

    // Starts the server and waits until it accepts connections.
    bool start(QString *error = nullptr);
    void stop();
    quint16 port() const { return m_port; }

    // A port of 127.0.0.1 that nothing listens on at the moment of the call.
    static quint16 freePort();

private:
    Kind m_kind;
    quint16 m_port = 0;
    QTemporaryDir m_dir;
    QProcess m_process;
};
