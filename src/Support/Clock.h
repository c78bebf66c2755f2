#pragma once

#include <QCoroTask>
#include <QDateTime>
#include <QObject>

#include <chrono>
#include <stop_token>

// The source of time for every timer-driven state machine (retries, watchdogs, the refresh
// scheduler, debounces, notices). Production code uses SystemClock; tests drive a virtual one.
class Clock : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // Wall-clock time, for values that are stored or compared with stored times.
    [[nodiscard]] virtual QDateTime now() const = 0;
    // Monotonic milliseconds, for measuring elapsed time.
    [[nodiscard]] virtual qint64 monotonicMs() const = 0;
    // Suspends the calling main-thread coroutine. Yields false when the sleep ended because
    // the token was stopped, true when the full duration passed.
    [[nodiscard]] virtual QCoro::Task<bool> sleep(std::chrono::milliseconds duration,
                                                  std::stop_token token = {}) = 0;
};

class SystemClock final : public Clock
{
    Q_OBJECT

public:
    using Clock::Clock;

    [[nodiscard]] QDateTime now() const override;
    [[nodiscard]] qint64 monotonicMs() const override;
    [[nodiscard]] QCoro::Task<bool> sleep(std::chrono::milliseconds duration,
                                          std::stop_token token = {}) override;
};
