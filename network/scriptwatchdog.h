#pragma once

#include <condition_variable>
#include <mutex>
#include <thread>

class QJSEngine;
class QThread;

// Interrupts a script engine that runs longer than its budget, or whose
// thread is asked to stop. A script blocks the thread it runs on, so the
// watch is kept from a thread of its own. One watchdog guards one run:
// create it just before evaluating and let it go out of scope right after.
class ScriptWatchdog
{
public:
    ScriptWatchdog(QJSEngine *engine, int budgetMs);
    ~ScriptWatchdog();

    ScriptWatchdog(const ScriptWatchdog &) = delete;
    ScriptWatchdog &operator=(const ScriptWatchdog &) = delete;

    // True once the engine has been interrupted by this watchdog.
    bool fired() const;

private:
    void watch(int budgetMs);

    QJSEngine *m_engine;
    QThread *m_owner; // the thread the script runs on
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_done = false;
    bool m_fired = false;
    std::thread m_thread;
};
