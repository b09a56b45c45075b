#pragma once

#include <QString>

// One entry of a playlist, channel or user page, as the flat-list run reports
// it. The download link is url (copied into link); checked is the tick the
// user gives it in the playlist dialog.
struct ListVideoInfo
{
    QString _type;
    QString url;
    QString id;
    QString title;
    QString ie_key;
    bool checked = false;
    QString link;
};
