#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

// One entry of a popular list, in list order. The row that shows it is found
// through the list's container, so the record stays free of widgets.
class TopInfo : public QObject
{
    Q_OBJECT

public:
    explicit TopInfo(QObject *parent = nullptr)
        : QObject(parent)
    { }

    QString url; // the video's watch page
    QString title;
    QString duration; // "hh:mm:ss"
    QByteArray thumbnail; // the picture file as fetched; empty until then
    int index = 0; // 0-based position in its list
};
