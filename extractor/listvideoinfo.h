#pragma once

#include <QString>

class QWidget;

// One entry of a playlist, channel or user page, as the flat-list run reports
// it. The download link is url (copied into link); the row is the entry's
// widget in the playlist dialog and is not owned.
struct ListVideoInfo
{
    QString _type;
    QString url;
    QString id;
    QString title;
    QString ie_key;
    bool checked = false;
    QString link;
    QWidget *row = nullptr;
};
