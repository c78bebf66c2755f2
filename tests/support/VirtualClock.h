#pragma once

#include "Support/Clock.h"

#include <QList>
#include <QPointer>

class VirtualSleep;

// A clock whose time moves only when a test advances it, so that retries, watchdogs,
// schedulers and debounces run in virtual time and their outcomes are exact.
class VirtualClock final : public Clock
{
    Q_OBJECT

public:
    explicit VirtualClock(QDateTime start = QDateTime(QDate(2026, 1, 1), QTime(12, 0), Qt::UTC),
                          QObject *parent = nullptr);
    ~VirtualClock() override;

    [[nodiscard]] QDateTime now() const override;
    [[nodiscard]] qint64 monotonicMs() const override;
    [[nodiscard]] QCoro::Task<bool> sleep(std::chrono::milliseconds duration, std::stop_token token = {}) override;

    // Moves time forward, waking every sleep that falls due in deadline order and letting the
    // event loop run after each wake, so that sleeps begun by woken code are honoured too.
    void advance(std::chrono::milliseconds duration);
    // Jumps the wall clock without waking sleeps (a suspended computer, a changed clock).
    void setWallClock(const QDateTime &moment);
    [[nodiscard]] int pendingSleeps() const;

private:
    struct Sleeper
    {
        qint64 deadline = 0;
        quint64 order = 0;
        QPointer<VirtualSleep> sleep;
    };

    QDateTime m_start;
    qint64 m_wallOffsetMs = 0;
    qint64 m_elapsedMs = 0;
    quint64 m_nextOrder = 0;
    QList<Sleeper> m_sleepers;
};
