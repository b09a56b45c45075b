#pragma once

#include <QHash>
#include <QObject>
#include <QPixmap>
#include <QString>

class QNetworkAccessManager;
class QNetworkReply;

// The thumbnails of the download list, by task (uniqueID). A request is sent
// and forgotten: nothing waits for the network; the picture is decoded and
// scaled to the row's size when it arrives and announced by ready(). A task
// asked for again while its request runs takes the later answer. Requests
// go through the proxy the downloads use, as detected when they are sent,
// and give up after Thumbnail::FetchTimeoutMs.
class ThumbnailCache : public QObject
{
    Q_OBJECT

public:
    explicit ThumbnailCache(QObject *parent = nullptr);
    ~ThumbnailCache() override;

    // Fetches the picture for the task; address is its image address (no
    // address: nothing to fetch).
    void request(const QString &taskKey, const QString &address);
    // The task's picture, null until one arrived.
    QPixmap pixmap(const QString &taskKey) const { return m_pixmaps.value(taskKey); }
    int pending() const { return m_pending.size(); }

signals:
    // The task's picture arrived and decoded.
    void ready(const QString &taskKey);
    // A request ended, with or without a picture.
    void finished(const QString &taskKey);

private:
    void onFinished(QNetworkReply *reply);

    // Made with the first request: most runs never fetch a thumbnail.
    QNetworkAccessManager *m_network = nullptr;
    QHash<QString, QPixmap> m_pixmaps;
    QHash<QNetworkReply *, QString> m_pending;
    QHash<QString, QNetworkReply *> m_latest; // the request whose answer counts
};
