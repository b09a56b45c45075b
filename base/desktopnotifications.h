#pragma once

#include <QObject>
#include <QString>

#include <memory>

// One notice for the desktop.
struct DesktopNotice
{
    QString summary;
    QString body; // plain text
    QString category; // the desktop's category, e.g. "transfer.complete"
    QString actionText; // the label of the action that activates it
    QString key; // handed back by activated()
};

// Notices shown by the desktop's notification service over the session bus.
// Nothing here waits: show() returns at once and every call on the bus is
// asynchronous. Without a session bus or without a notification service a
// notice is dropped and nothing else happens. On Windows nothing is shown.
class DesktopNotifications : public QObject
{
    Q_OBJECT

public:
    // appId: the name of the program's menu entry and icon.
    explicit DesktopNotifications(const QString &appId, QObject *parent = nullptr);
    ~DesktopNotifications() override;

    void show(const DesktopNotice &notice);

signals:
    // The user activated the notice shown with key.
    void activated(const QString &key);
    // A notice was dropped: there is no session bus (said before show()
    // returns when none is named), it cannot be reached, or it has no
    // notification service.
    void unavailable();

private slots:
    // Signals of the notification service.
    void onActionInvoked(uint id, const QString &actionKey);
    void onNotificationClosed(uint id, uint reason);

private:
    // Starts connecting to the session bus; false when there is none.
    bool connectBus();
    // Hands the waiting notices on once the bus is there: asks the service
    // what it can show first, then sends them.
    void offerWaiting();
    void sendWaiting();

    struct Private;
    std::unique_ptr<Private> d;
};
