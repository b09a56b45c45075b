#pragma once

#include <QByteArray>
#include <QString>

class ItemInfo;

class ProgressParser
{
public:
    void feed(ItemInfo *task, const QByteArray &chunk);
    void flush(ItemInfo *task);
    void reset();

private:
    QByteArray m_pending;
};

void parseProgressLine(ItemInfo *task, const QString &line);
