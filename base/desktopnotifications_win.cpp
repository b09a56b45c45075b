#include "base/desktopnotifications.h"

// Windows shows no notices: the window's taskbar button is the sign there.

struct DesktopNotifications::Private
{
};

DesktopNotifications::DesktopNotifications(const QString &, QObject *parent)
    : QObject(parent)
{ }

DesktopNotifications::~DesktopNotifications() = default;

void DesktopNotifications::show(const DesktopNotice &)
{
    emit unavailable();
}

void DesktopNotifications::onActionInvoked(uint, const QString &) { }

void DesktopNotifications::onNotificationClosed(uint, uint) { }
