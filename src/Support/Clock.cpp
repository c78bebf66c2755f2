#include "Clock.h"

#include <QCoroSignal>
#include <QElapsedTimer>
#include <QTimer>

#include <memory>

namespace {

// Carries the end of one sleep to the awaiting coroutine: true when the time passed,
// false when the sleep was cut short by its stop token.
class SleepSignal final : public QObject
{
    Q_OBJECT

Q_SIGNALS:
    void finished(bool completed);
};

qint64 processMonotonicMs()
{
    static const QElapsedTimer started = [] {
        QElapsedTimer timer;
        timer.start();
        return timer;
    }();
    return started.elapsed();
}

} // namespace

QDateTime SystemClock::now() const
{
    return QDateTime::currentDateTimeUtc();
}

qint64 SystemClock::monotonicMs() const
{
    return processMonotonicMs();
}

QCoro::Task<bool> SystemClock::sleep(std::chrono::milliseconds duration, std::stop_token token)
{
    if (token.stop_requested())
        co_return false;

    auto signal = std::make_unique<SleepSignal>();
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    SleepSignal *target = signal.get();
    QObject::connect(&timer, &QTimer::timeout, target, [target] { Q_EMIT target->finished(true); });
    // The callback is destroyed before the signal object, so it never outlives its target;
    // the queued call is dropped by Qt if the coroutine has already ended.
    std::stop_callback onStop(token, [target] {
        QMetaObject::invokeMethod(target, [target] { Q_EMIT target->finished(false); }, Qt::QueuedConnection);
    });
    timer.start(duration);
    co_return co_await qCoro(target, &SleepSignal::finished);
}

#include "Clock.moc"
