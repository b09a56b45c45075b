#pragma once

#include <QObject>
#include <QVector>

class QTimer;

// Notices extractor runs that have gone silent. Each slot's timer is armed
// when its run starts and re-armed by every piece of output; a run that
// prints nothing for the whole bound is reported as stalled. The bound is
// minutes: a slow site may pause for a while, a hung run never speaks again.
class StallWatchdog : public QObject
{
    Q_OBJECT

public:
    static constexpr int DefaultBoundMs = 5 * 60 * 1000;

    explicit StallWatchdog(int slotCount, QObject *parent = nullptr);

    // Shorter bounds are for tests; they apply from the next arm().
    void setBound(int ms) { m_boundMs = ms; }
    int bound() const { return m_boundMs; }

    // The run of slot started or spoke: the silence is counted from now.
    void arm(int slot);
    // The run of slot is over: nothing to watch.
    void disarm(int slot);

signals:
    void stalled(int slot);

private:
    QVector<QTimer *> m_timers;
    int m_boundMs = DefaultBoundMs;
};
