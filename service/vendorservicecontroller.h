#pragma once

#include "service/noticefile.h"
#include "service/serviceclient.h"
#include "service/toplists.h"

#include <QList>
#include <QObject>
#include <QString>

#include <array>

class TopInfo;

// What the program asks the vendor service, without widgets: the popular
// lists with their thumbnails, the notice set and the latest version. With no
// vendor root configured nothing is ever sent.
//
// A service that does not answer costs at most one bound per action: once a
// request ran into its bound, the requests that would follow in the same
// refresh are not sent (the remaining thumbnails), and the automatic
// requests of start-up are skipped until the service answers again. What the
// user asks for (refresh, the "Update" entry) is always tried.
class VendorServiceController : public QObject
{
    Q_OBJECT

public:
    static constexpr int ThumbnailTimeoutMs = 3000;

    enum class VersionState
    {
        NoAnswer, // not configured, no answer or nothing usable
        Latest, // the service names the running version or an older one
        Other // the service names a newer version
    };
    struct VersionCheck
    {
        VersionState state = VersionState::NoAnswer;
        QString latest;
    };

    explicit VendorServiceController(QObject *parent = nullptr);
    ~VendorServiceController() override;

    static bool configured();

    // --- popular lists -------------------------------------------------------
    // The watch-page address an entry's identifier is appended to, and the
    // thumbnail host (ending in "/vi/"; empty: no thumbnails).
    void setWatchPrefix(const QString &prefix) { m_watchPrefix = prefix; }
    void setThumbnailBase(const QString &base) { m_thumbnailBase = base; }

    // Fetches and parses the lists (at most topnum entries each), announces
    // them by topListsChanged(), then fetches the thumbnails row by row.
    // Returns false at once when a refresh is running already.
    bool refreshTopLists(int topnum, bool onDemand);
    bool isRefreshing() const { return m_refreshing; }
    const QList<TopInfo *> &topList(int kind) const { return m_lists[kind]; }
    // True while every list is empty (nothing configured, fetched or usable).
    bool topListsEmpty() const;

    // --- notices ------------------------------------------------------------------
    void loadNotices(bool onDemand);
    const NoticeSet &notices() const { return m_notices; }

    // --- version ------------------------------------------------------------------
    // Posts the version request and reads the latest version from the answer.
    VersionCheck checkVersion(bool onDemand);
    // The latest version in a version answer: "data"."versionNo" when "state"
    // is "ok" and "data"."active" is the number 1; empty otherwise.
    static QString latestVersionFrom(const QByteArray &answer);

    // Ends a running wait; nothing is sent afterwards.
    void stop();
    // Shorter bounds, for tests.
    void setServiceTimeout(int ms) { m_serviceTimeoutMs = ms; }
    void setThumbnailTimeout(int ms) { m_thumbnailTimeoutMs = ms; }

signals:
    void topListsChanged();
    void thumbnailReady(TopInfo *info);
    void noticesChanged();

private:
    // One service request; the silent flag follows its outcome.
    HttpRequest::Result serviceRequest(const QString &path, const QByteArray *postBody);
    bool mayAsk(bool onDemand) const;
    void replaceLists(const TopLists::Lists &lists);
    void fetchThumbnails();

    std::array<QList<TopInfo *>, TopLists::KindCount> m_lists;
    NoticeSet m_notices;
    QString m_watchPrefix;
    QString m_thumbnailBase;
    bool m_refreshing = false;
    bool m_silent = false; // the last service request ran into its bound
    bool m_stopped = false;
    int m_serviceTimeoutMs = ServiceClient::TimeoutMs;
    int m_thumbnailTimeoutMs = ThumbnailTimeoutMs;
};
