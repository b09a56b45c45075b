#include "downloads/stallwatchdog.h"

#include <QTimer>

StallWatchdog::StallWatchdog(int slotCount, QObject *parent)
    : QObject(parent)
{
    for (int s = 0; s < slotCount; ++s) {
        auto *timer = new QTimer(this);
        timer->setSingleShot(true);
        connect(timer, &QTimer::timeout, this, [this, s] { emit stalled(s); });
        m_timers.append(timer);
    }
}

void StallWatchdog::arm(int slot)
{
    m_timers.at(slot)->start(m_boundMs);
}

void StallWatchdog::disarm(int slot)
{
    m_timers.at(slot)->stop();
}
