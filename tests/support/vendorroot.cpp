#include "support/vendorroot.h"

#include "support/loopbackhttpserver.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

QString VendorRoot::folder()
{
    return qEnvironmentVariable("QUILLON_SOURCE_DIR") + "/vendor";
}

QStringList VendorRoot::exampleIds()
{
    QFile file(folder() + "/interface/report/quillon/topday.txt");
    file.open(QIODevice::ReadOnly);
    const QJsonObject root = QJsonDocument::fromJson(file.readAll()).object();
    QStringList ids;
    for (const char *key : {"data", "weekdata", "monthdata"}) {
        for (const QJsonValue &v : root.value(key).toArray())
            ids << v.toObject().value("url").toString();
    }
    return ids;
}

void VendorRoot::serve(LoopbackHttpServer &server)
{
    server.routeFolder(folder());
    QImage image(160, 90, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG");
    for (const QString &id : exampleIds())
        server.route(("/vi/" + id + "/1.jpg").toUtf8(), jpeg, "image/jpeg");
}
