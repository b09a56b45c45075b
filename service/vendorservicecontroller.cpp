#include "service/vendorservicecontroller.h"

#include "base/global.h"
#include "service/appcast.h"
#include "service/topinfo.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkProxy>
#include <QPointer>

VendorServiceController::VendorServiceController(QObject *parent)
    : QObject(parent)
{ }

VendorServiceController::~VendorServiceController()
{
    stop();
}

bool VendorServiceController::configured()
{
    return Global::vendorServiceConfigured();
}

void VendorServiceController::stop()
{
    m_stopped = true;
}

bool VendorServiceController::mayAsk(bool onDemand) const
{
    return configured() && !m_stopped && (onDemand || !m_silent);
}

HttpRequest::Result VendorServiceController::serviceRequest(
    const QString &path, const QByteArray *postBody)
{
    const QUrl url(Global::SERVICE_URL + path);
    HttpRequest::Result result = postBody ? ServiceClient::post(url, *postBody, m_serviceTimeoutMs)
                                          : ServiceClient::fetch(url, m_serviceTimeoutMs);
    // A plain static web server refuses a POST; its copy of the answer is
    // then read with a GET.
    if (postBody && (result.httpStatus == 405 || result.httpStatus == 501) && !m_stopped)
        result = ServiceClient::fetch(url, m_serviceTimeoutMs);
    m_silent = result.timedOut;
    return result;
}

// --- popular lists ------------------------------------------------------------

bool VendorServiceController::topListsEmpty() const
{
    for (const QList<TopInfo *> &list : m_lists) {
        if (!list.isEmpty())
            return false;
    }
    return true;
}

bool VendorServiceController::refreshTopLists(int topnum, bool onDemand)
{
    if (m_refreshing)
        return false;
    m_refreshing = true;
    TopLists::Lists lists;
    if (mayAsk(onDemand)) {
        const HttpRequest::Result answer = serviceRequest(
            QStringLiteral("/report/") + Global::MODULE_NAME + QStringLiteral("/topday.txt"),
            nullptr);
        lists = TopLists::parse(answer.body, topnum, m_watchPrefix);
    }
    replaceLists(lists);
    emit topListsChanged();
    fetchThumbnails();
    m_refreshing = false;
    return true;
}

void VendorServiceController::replaceLists(const TopLists::Lists &lists)
{
    for (int kind = 0; kind < TopLists::KindCount; ++kind) {
        qDeleteAll(m_lists[kind]);
        m_lists[kind].clear();
        for (const TopLists::Entry &entry : lists[kind]) {
            auto *info = new TopInfo(this);
            info->url = entry.url;
            info->title = entry.title;
            info->duration = entry.duration;
            info->index = m_lists[kind].size();
            m_lists[kind].append(info);
        }
    }
}

void VendorServiceController::fetchThumbnails()
{
    if (m_thumbnailBase.isEmpty())
        return;
    QList<QPointer<TopInfo>> rows;
    for (const QList<TopInfo *> &list : m_lists) {
        for (TopInfo *info : list)
            rows.append(info);
    }

    HttpRequest::Options options;
    options.proxy = HttpRequest::detectedProxy();
    options.timeoutMs = m_thumbnailTimeoutMs;
    options.cancelled = [this] { return m_stopped; };

    for (const QPointer<TopInfo> &info : rows) {
        if (m_stopped || !info || info->url.isEmpty())
            continue;
        const QString id = TopLists::videoId(info->url);
        const HttpRequest::Result result
            = HttpRequest::send(QUrl(m_thumbnailBase + id + QStringLiteral("/1.jpg")), options);
        // A host that does not answer is not asked again in this refresh.
        if (result.timedOut)
            break;
        // Decoded by the row that shows it.
        if (!info || result.body.isEmpty())
            continue;
        info->thumbnail = result.body;
        emit thumbnailReady(info);
    }
}

// --- notices --------------------------------------------------------------------

void VendorServiceController::loadNotices(bool onDemand)
{
    if (!mayAsk(onDemand))
        return;
    const HttpRequest::Result answer
        = serviceRequest(QStringLiteral("/upgradefileinfo/quillon/1.ini"), nullptr);
    const NoticeSet notices = NoticeFile::parse(answer.body);
    if (notices == m_notices)
        return;
    m_notices = notices;
    emit noticesChanged();
}

// --- version ---------------------------------------------------------------------

QString VendorServiceController::latestVersionFrom(const QByteArray &answer)
{
    const QJsonObject root = QJsonDocument::fromJson(answer).object();
    if (root.value(QLatin1String("state")).toString() != QLatin1String("ok"))
        return QString();
    const QJsonObject data = root.value(QLatin1String("data")).toObject();
    const QJsonValue active = data.value(QLatin1String("active"));
    if (!active.isDouble() || active.toDouble() != 1.0)
        return QString();
    const QJsonValue version = data.value(QLatin1String("versionNo"));
    // A number in the answer is a version too ("2.7" rather than "2.7").
    return version.isDouble() ? QString::number(version.toDouble()) : version.toString().trimmed();
}

VendorServiceController::VersionCheck VendorServiceController::checkVersion(bool onDemand)
{
    VersionCheck check;
    if (!mayAsk(onDemand))
        return check;
    const QByteArray body = QStringLiteral("{\"version\":\"%1\"}").arg(Global::APP_VER).toLatin1();
    const HttpRequest::Result answer = serviceRequest(
        QStringLiteral("/verInfo/") + Global::MODULE_NAME + QStringLiteral("/index1.php"), &body);
    check.latest = latestVersionFrom(answer.body);
    if (check.latest.isEmpty())
        return check;
    // A service that lags behind the running version names no update; taking
    // it as one would run the appcast check, and its "latest version" box,
    // at every start.
    check.state = Appcast::isNewer(check.latest, Global::APP_VER) ? VersionState::Other
                                                                  : VersionState::Latest;
    return check;
}
