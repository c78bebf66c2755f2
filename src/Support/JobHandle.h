#pragma once

#include <QCoroTask>
#include <QObject>

#include <memory>
#include <stop_token>
#include <utility>

// A handle on one piece of asynchronous main-thread work: it can be cancelled (the work reads
// the stop token after every suspension and does nothing further once it is stopped) and any
// number of callers can await its end.
class JobHandle final : public QObject
{
    Q_OBJECT

public:
    using Pointer = std::shared_ptr<JobHandle>;

    // Runs the coroutine at once, up to its first suspension.
    template<typename Function>
    [[nodiscard]] static Pointer start(Function function)
    {
        auto job = std::make_shared<JobHandle>();
        run(job, std::move(function));
        return job;
    }

    // Runs the coroutine on a later turn of the event loop, so that the caller has stored the
    // handle before the work can look at it; a handle cancelled before then never runs.
    template<typename Function>
    [[nodiscard]] static Pointer post(Function function)
    {
        auto job = std::make_shared<JobHandle>();
        QMetaObject::invokeMethod(
            job.get(),
            [weak = std::weak_ptr<JobHandle>(job), function = std::move(function)]() mutable {
                if (const Pointer job = weak.lock(); job && !job->isCancelled())
                    run(job, std::move(function));
            },
            Qt::QueuedConnection);
        return job;
    }

    // Completes when the job has finished; at once when it already has.
    [[nodiscard]] static QCoro::Task<> wait(Pointer job);

    [[nodiscard]] std::stop_token token() const { return m_stop.get_token(); }
    [[nodiscard]] bool isCancelled() const { return m_stop.stop_requested(); }
    [[nodiscard]] bool isFinished() const { return m_finished; }

    void cancel() { m_stop.request_stop(); }
    // Marks the end of the work and wakes every waiter; later calls do nothing.
    void finish();

Q_SIGNALS:
    void finished();

private:
    template<typename Function>
    static QCoro::Task<> run(Pointer job, Function function)
    {
        co_await function(job->token());
        job->finish();
    }

    std::stop_source m_stop;
    bool m_finished = false;
};

// Cancels a job held in a member and forgets it.
inline void cancelJob(JobHandle::Pointer &job)
{
    if (job)
        std::exchange(job, {})->cancel();
}
