#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class GetProxyPortThread;
class QProcess;

// Everything the program does about the proxy, without widgets: detection
// runs and publishing their result, the periodic connectivity check, the
// rules of the proxy page and the proxy test run. The window shows what the
// signals announce and hands in what the user typed.
class ProxyController : public QObject
{
    Q_OBJECT

public:
    // The modes of the proxy page, as stored.
    enum Mode
    {
        Adaptive = 0,
        NoProxy = 1,
        SystemProxy = 2,
        CustomProxy = 3
    };

    // Where the check of the custom proxy stands, shown on the proxy page.
    enum class CustomCheck
    {
        None,
        Testing,
        Works,
        Fails
    };

    // The answer to saving the custom proxy: whether it was stored, and the
    // message for the user either way.
    struct SaveResult
    {
        bool saved = false;
        QString message;
    };

    static constexpr int DetectionDelayMs = 2000;
    static constexpr int KeepaliveTimeoutMs = 10000;
    static constexpr int FailuresBeforeRedetect = 3;
    static constexpr int TestWaitMs = 30000;

    explicit ProxyController(const QString &settingsPath, QObject *parent = nullptr);
    ~ProxyController() override;

    // --- detection and the connectivity check -------------------------------
    // Starts a detection run after a short wait (events are served meanwhile),
    // unless one is running by then.
    void startDetection();
    bool isDetecting() const;
    // Takes a detection result into use: publishes it to the commands, or
    // starts a new run when nothing was found (port -1). In the adaptive and
    // custom modes the result is stored, for the next run to try first; the
    // stored mode is left as the user chose it.
    void publish(const QString &host, int port, const QString &type);
    // The proxy in use, as last published: port -1 while nothing is known,
    // 0 for a direct connection. The controller is its only writer; the
    // command texts read the copy in Global, which publish() keeps equal.
    int port() const { return m_port; }
    QString host() const { return m_host; }
    bool isSocks5() const { return m_socks5; }
    bool networkKnown() const { return m_port != -1; }
    // The periodic check: starts a detection while nothing is known; otherwise
    // fetches a small file through the proxy in use, and the third failure in
    // a row starts a new detection. Never runs twice at once.
    void checkConnectivity();
    int failuresInARow() const { return m_keepaliveFailures; }

    // --- the proxy page ----------------------------------------------------
    // The stored mode; anything unknown reads as Adaptive.
    Mode storedMode() const;
    // Stores the mode; a change takes effect at once: a running detection is
    // dropped and one for the new mode starts.
    void chooseMode(Mode mode);
    // The stored proxy port, shown in the custom fields; empty when none is
    // usable (a direct connection is stored as 0).
    QString storedPort() const;
    // Stores host and port as the custom proxy and probes it at once; a port
    // that is missing or outside 1..65535 is refused.
    SaveResult saveCustomProxy(const QString &host, const QString &port);
    // The latest check of the custom proxy, and its text for the page.
    CustomCheck customCheck() const { return m_customCheck; }
    QString customCheckText() const;

    // --- the proxy test ----------------------------------------------------
    // Runs the extractor's metadata request for clipboardText through the
    // proxy in use, without blocking; a run still going is dropped. Its
    // standard output arrives by testOutput once it ends or the wait (for the
    // start, then for the end) passes.
    void runProxyTest(const QString &clipboardText);
    bool isTesting() const { return !m_testProcess.isNull(); }

    // Shorter waits, for tests.
    void setDetectionDelay(int ms) { m_detectionDelayMs = ms; }
    void setTestWait(int ms) { m_testWaitMs = ms; }

    // Ends a running detection and test; nothing is reported afterwards.
    void stop();

signals:
    void networkAvailable();
    void networkTesting();
    void detectionStarted();
    void testOutput(const QString &text);
    void customCheckChanged();

private:
    void finishTest(QProcess *process);
    GetProxyPortThread *newThread();
    void startRun(bool afterChange);
    void restartDetection();
    void runFinished();
    void setCustomCheck(CustomCheck check);

    QString m_settingsPath;
    QString m_host = QStringLiteral("127.0.0.1");
    int m_port = -1;
    bool m_socks5 = false;
    GetProxyPortThread *m_thread = nullptr;
    // The run under way or last made.
    bool m_runAfterChange = false; // started by a change of mode or custom proxy
    bool m_runFound = false;
    bool m_runCustom = false;
    CustomCheck m_customCheck = CustomCheck::None;
    QString m_customFound; // "HTTP 127.0.0.1:7890" once the custom proxy answered
    int m_keepaliveFailures = 0;
    bool m_keepaliveBusy = false;
    bool m_stopped = false;
    int m_detectionDelayMs = DetectionDelayMs;
    int m_testWaitMs = TestWaitMs;
    QPointer<QProcess> m_testProcess;
};
