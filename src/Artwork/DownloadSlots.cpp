#include "DownloadSlots.h"

DownloadSlots::DownloadSlots(int capacity, QObject *parent)
    : QObject(parent)
    , m_capacity(capacity)
{
}

bool DownloadSlots::Acquire::await_ready() const
{
    if (m_slots.m_held >= m_slots.m_capacity)
        return false;
    ++m_slots.m_held;
    return true;
}

void DownloadSlots::Acquire::await_suspend(std::coroutine_handle<> waiting) const
{
    m_slots.m_waiting.push_back(waiting);
}

void DownloadSlots::release()
{
    if (m_waiting.empty()) {
        --m_held;
        return;
    }
    const std::coroutine_handle<> next = m_waiting.front();
    m_waiting.pop_front();
    // Not resumed inside release(): the caller is still in the middle of its own work. Bound to
    // this object, so that nothing resumes once the limiter is gone.
    QMetaObject::invokeMethod(this, [next] { next.resume(); }, Qt::QueuedConnection);
}
