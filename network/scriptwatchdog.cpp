#include "network/scriptwatchdog.h"

#include <QJSEngine>
#include <QThread>

#include <chrono>

ScriptWatchdog::ScriptWatchdog(QJSEngine *engine, int budgetMs)
    : m_engine(engine)
    , m_owner(QThread::currentThread())
{
    m_thread = std::thread([this, budgetMs] { watch(budgetMs); });
}

ScriptWatchdog::~ScriptWatchdog()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_done = true;
    }
    m_wake.notify_all();
    m_thread.join();
    // The engine refuses to run anything while the flag is set; the next
    // evaluation starts clean.
    if (m_fired)
        m_engine->setInterrupted(false);
}

bool ScriptWatchdog::fired() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_fired;
}

void ScriptWatchdog::watch(int budgetMs)
{
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(budgetMs);
    std::unique_lock<std::mutex> lock(m_mutex);
    while (!m_done) {
        const auto slice = std::min(deadline, Clock::now() + std::chrono::milliseconds(50));
        m_wake.wait_until(lock, slice);
        if (m_done)
            return;
        if (Clock::now() >= deadline || m_owner->isInterruptionRequested()) {
            m_fired = true;
            m_engine->setInterrupted(true);
            return;
        }
    }
}
