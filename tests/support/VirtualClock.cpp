#include "VirtualClock.h"

#include "PostedEvents.h"

#include <QCoroSignal>

#include <algorithm>
#include <memory>

class VirtualSleep final : public QObject
{
    Q_OBJECT

Q_SIGNALS:
    void finished(bool completed);
};

VirtualClock::VirtualClock(QDateTime start, QObject *parent)
    : Clock(parent)
    , m_start(std::move(start))
{
}

VirtualClock::~VirtualClock() = default;

QDateTime VirtualClock::now() const
{
    return m_start.addMSecs(m_elapsedMs + m_wallOffsetMs);
}

qint64 VirtualClock::monotonicMs() const
{
    return m_elapsedMs;
}

QCoro::Task<bool> VirtualClock::sleep(std::chrono::milliseconds duration, std::stop_token token)
{
    if (token.stop_requested())
        co_return false;
    auto sleep = std::make_unique<VirtualSleep>();
    VirtualSleep *target = sleep.get();
    m_sleepers.append({m_elapsedMs + qint64(duration.count()), m_nextOrder++, target});
    std::stop_callback onStop(token, [target] {
        QMetaObject::invokeMethod(target, [target] { Q_EMIT target->finished(false); }, Qt::QueuedConnection);
    });
    co_return co_await qCoro(target, &VirtualSleep::finished);
}

void VirtualClock::advance(std::chrono::milliseconds duration)
{
    const qint64 target = m_elapsedMs + qint64(duration.count());
    for (;;) {
        handlePostedEvents();
        m_sleepers.removeIf([](const Sleeper &sleeper) { return sleeper.sleep.isNull(); });
        const auto next = std::min_element(m_sleepers.begin(), m_sleepers.end(), [](const Sleeper &a, const Sleeper &b) {
            return a.deadline != b.deadline ? a.deadline < b.deadline : a.order < b.order;
        });
        if (next == m_sleepers.end() || next->deadline > target)
            break;
        m_elapsedMs = std::max(m_elapsedMs, next->deadline);
        const QPointer<VirtualSleep> due = next->sleep;
        m_sleepers.erase(next);
        if (due)
            Q_EMIT due->finished(true);
    }
    m_elapsedMs = target;
    handlePostedEvents();
}

void VirtualClock::setWallClock(const QDateTime &moment)
{
    m_wallOffsetMs = m_start.msecsTo(moment) - m_elapsedMs;
}

int VirtualClock::pendingSleeps() const
{
    return int(std::count_if(m_sleepers.begin(), m_sleepers.end(),
                             [](const Sleeper &sleeper) { return !sleeper.sleep.isNull(); }));
}

#include "VirtualClock.moc"
