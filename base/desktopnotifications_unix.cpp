#include "base/desktopnotifications.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QFileInfo>
#include <QHash>
#include <QList>
#include <QThread>
#include <QVariantMap>

namespace {

const QString Service = QStringLiteral("org.freedesktop.Notifications");
const QString Path = QStringLiteral("/org/freedesktop/Notifications");
const QString Interface = QStringLiteral("org.freedesktop.Notifications");

// Notices waiting for the service's answer about what it can show, and
// notices shown whose activation is still possible: both are bounded, a
// service that never answers or never closes a notice costs nothing more.
constexpr int MaxWaiting = 20;
constexpr int MaxShown = 100;

// The session bus's address, without starting one: the environment's, else
// the per-user bus in the runtime folder. An address that would start a bus
// (autolaunch) counts as none.
QString sessionBusAddress()
{
    const QString address = qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS");
    if (!address.isEmpty())
        return address.contains(QLatin1String("autolaunch:")) ? QString() : address;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (runtime.isEmpty())
        return QString();
    const QString socket = runtime + QStringLiteral("/bus");
    return QFileInfo::exists(socket) ? QStringLiteral("unix:path=") + socket : QString();
}

} // namespace

struct DesktopNotifications::Private
{
    enum class Link
    {
        None,
        Connecting, // a thread of its own connects: the bus may be slow
        Connected,
    };
    enum class Service
    {
        Unknown, // not asked yet, or gone
        Asking, // asked what it can show, no answer yet
        Ready,
    };

    QString appId;
    QString connectionName;
    Link link = Link::None;
    Service service = Service::Unknown;
    bool markup = false; // the service reads the body as markup
    QList<DesktopNotice> waiting;
    QHash<uint, QString> keys; // notice id -> key
    QList<uint> shownOrder;

    QDBusConnection connection() const { return QDBusConnection(connectionName); }
};

DesktopNotifications::DesktopNotifications(const QString &appId, QObject *parent)
    : QObject(parent)
    , d(std::make_unique<Private>())
{
    d->appId = appId;
    d->connectionName
        = QStringLiteral("quillon-notifications-%1").arg(reinterpret_cast<quintptr>(this), 0, 16);
}

DesktopNotifications::~DesktopNotifications()
{
    if (d->link == Private::Link::Connected)
        QDBusConnection::disconnectFromBus(d->connectionName);
}

void DesktopNotifications::show(const DesktopNotice &notice)
{
    if (d->link == Private::Link::Connected && !d->connection().isConnected()) {
        // The bus went away: the next notice connects again.
        QDBusConnection::disconnectFromBus(d->connectionName);
        d->link = Private::Link::None;
        d->service = Private::Service::Unknown;
    }
    if (d->link == Private::Link::None && !connectBus()) {
        emit unavailable();
        return;
    }
    if (d->waiting.size() < MaxWaiting)
        d->waiting.append(notice);
    if (d->link == Private::Link::Connected)
        offerWaiting();
}

// Connects on first use, so a program that never shows a notice never
// touches the bus. Connecting waits for the bus's answer, which a hung bus
// never gives: a thread of its own waits, the window goes on.
bool DesktopNotifications::connectBus()
{
    const QString address = sessionBusAddress();
    if (address.isEmpty())
        return false;
    const QString name = d->connectionName;
    QThread *connecting
        = QThread::create([address, name] { QDBusConnection::connectToBus(address, name); });
    connect(connecting, &QThread::finished, connecting, &QObject::deleteLater);
    connect(connecting, &QThread::finished, this, [this] {
        if (!d->connection().isConnected()) {
            QDBusConnection::disconnectFromBus(d->connectionName);
            d->link = Private::Link::None;
            d->waiting.clear();
            emit unavailable();
            return;
        }
        d->link = Private::Link::Connected;
        // Any sender: naming the service would make the connection look up
        // its owner, which waits for the bus. The ids tell our notices apart.
        QDBusConnection bus = d->connection();
        bus.connect(QString(), Path, Interface, QStringLiteral("ActionInvoked"), this,
            SLOT(onActionInvoked(uint, QString)));
        bus.connect(QString(), Path, Interface, QStringLiteral("NotificationClosed"), this,
            SLOT(onNotificationClosed(uint, uint)));
        offerWaiting();
    });
    d->link = Private::Link::Connecting;
    connecting->start();
    return true;
}

void DesktopNotifications::offerWaiting()
{
    if (d->service == Private::Service::Asking)
        return;
    if (d->service == Private::Service::Ready) {
        sendWaiting();
        return;
    }

    // Whether the body is read as markup decides how a title with "&" or "<"
    // must be written; the answer also tells whether a service is there.
    d->service = Private::Service::Asking;
    const QDBusMessage ask = QDBusMessage::createMethodCall(
        Service, Path, Interface, QStringLiteral("GetCapabilities"));
    auto *watcher = new QDBusPendingCallWatcher(d->connection().asyncCall(ask), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *w) {
        w->deleteLater();
        const QDBusPendingReply<QStringList> reply = *w;
        if (reply.isError()) {
            // No service: what waited is dropped, the next notice asks again.
            d->service = Private::Service::Unknown;
            d->waiting.clear();
            emit unavailable();
            return;
        }
        d->markup = reply.value().contains(QStringLiteral("body-markup"));
        d->service = Private::Service::Ready;
        sendWaiting();
    });
}

void DesktopNotifications::sendWaiting()
{
    const QList<DesktopNotice> notices = d->waiting;
    d->waiting.clear();
    for (const DesktopNotice &notice : notices) {
        QVariantMap hints;
        hints.insert(QStringLiteral("desktop-entry"), d->appId);
        if (!notice.category.isEmpty())
            hints.insert(QStringLiteral("category"), notice.category);
        QDBusMessage call
            = QDBusMessage::createMethodCall(Service, Path, Interface, QStringLiteral("Notify"));
        call << QStringLiteral("Quillon") << 0u << d->appId << notice.summary
             << (d->markup ? notice.body.toHtmlEscaped() : notice.body)
             << QStringList {QStringLiteral("default"), notice.actionText} << hints << -1;
        auto *watcher = new QDBusPendingCallWatcher(d->connection().asyncCall(call), this);
        const QString key = notice.key;
        connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, key](QDBusPendingCallWatcher *w) {
                w->deleteLater();
                const QDBusPendingReply<uint> reply = *w;
                if (reply.isError()) {
                    // The service went away: ask again before the next notice.
                    d->service = Private::Service::Unknown;
                    emit unavailable();
                    return;
                }
                const uint id = reply.value();
                d->keys.insert(id, key);
                d->shownOrder.append(id);
                while (d->shownOrder.size() > MaxShown)
                    d->keys.remove(d->shownOrder.takeFirst());
            });
    }
}

void DesktopNotifications::onActionInvoked(uint id, const QString &)
{
    const auto it = d->keys.constFind(id);
    if (it != d->keys.constEnd())
        emit activated(it.value());
}

void DesktopNotifications::onNotificationClosed(uint id, uint)
{
    if (d->keys.remove(id) > 0)
        d->shownOrder.removeOne(id);
}
