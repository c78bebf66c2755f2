#pragma once

#include <QCoroSignal>
#include <QCoroTask>
#include <QCoreApplication>
#include <QObject>

#include <coroutine>
#include <exception>
#include <memory>
#include <optional>
#include <stop_token>
#include <type_traits>
#include <utility>

namespace JobDetail {

// Resumes the awaiting coroutine on the next turn of the main thread's event loop.
struct NextTurn
{
    [[nodiscard]] bool await_ready() const noexcept { return false; }
    void await_suspend(std::coroutine_handle<> awaiting) const
    {
        QMetaObject::invokeMethod(QCoreApplication::instance(), [awaiting] { awaiting.resume(); }, Qt::QueuedConnection);
    }
    void await_resume() const noexcept {}
};

// Announces the end of a job to whoever awaits it. A QObject so that any number of main-thread
// coroutines can await the same end through a signal.
class Completion : public QObject
{
    Q_OBJECT

public:
    bool finished = false;
    std::exception_ptr error;
    std::stop_source stop;

Q_SIGNALS:
    void completed();
};

template<typename T>
struct State : Completion
{
    std::optional<T> value;
};

template<>
struct State<void> : Completion
{
};

} // namespace JobDetail

// A unit of work on the main thread that can be cancelled, awaited by any number of callers (who
// all get its value or its error) and asked whether it has ended. The body begins on the next turn
// of the event loop, never inside start(), so that whoever starts a job can register its handle
// before any of the job's own bookkeeping runs. Cancellation is cooperative: the body receives a
// stop token and checks it after each await.
template<typename T = void>
class Job
{
public:
    Job() = default;

    // Schedules body(std::stop_token) -> QCoro::Task<T> and returns its handle.
    template<typename Body>
    [[nodiscard]] static Job start(Body body)
    {
        Job job;
        job.m_state = std::make_shared<JobDetail::State<T>>();
        run(job.m_state, std::move(body));
        return job;
    }

    [[nodiscard]] bool isValid() const { return bool(m_state); }
    [[nodiscard]] bool isFinished() const { return m_state && m_state->finished; }
    [[nodiscard]] bool isCancelled() const { return m_state && m_state->stop.stop_requested(); }
    // Whether `token` is the one this job's body was given: lets a body that may have been
    // replaced in its owner's bookkeeping tell whether the entry there is still its own.
    [[nodiscard]] bool gave(const std::stop_token &token) const { return m_state && m_state->stop.get_token() == token; }
    void cancel() const
    {
        if (m_state)
            m_state->stop.request_stop();
    }
    // Cancels the job and lets go of it, for an owner that keeps at most one such job.
    void cancelAndForget()
    {
        cancel();
        m_state.reset();
    }

    // Waits for the end and returns the job's value or rethrows its error.
    [[nodiscard]] QCoro::Task<T> value() const
    {
        const auto state = m_state;
        co_await waitFor(state);
        if (state->error)
            std::rethrow_exception(state->error);
        // A copy for each waiter: QCoro moves from a returned lvalue, which would empty the
        // shared value for every waiter after the first.
        if constexpr (!std::is_void_v<T>)
            co_return T(*state->value);
    }

    // Waits for the end whatever it was.
    [[nodiscard]] QCoro::Task<void> finished() const
    {
        const auto state = m_state;
        co_await waitFor(state);
    }

    friend bool operator==(const Job &a, const Job &b) { return a.m_state == b.m_state; }

private:
    using StatePointer = std::shared_ptr<JobDetail::State<T>>;

    template<typename Body>
    static QCoro::Task<void> run(StatePointer state, Body body)
    {
        co_await JobDetail::NextTurn();
        try {
            if constexpr (std::is_void_v<T>) {
                co_await body(state->stop.get_token());
            } else {
                T result = co_await body(state->stop.get_token());
                state->value = std::move(result);
            }
        } catch (...) {
            state->error = std::current_exception();
        }
        state->finished = true;
        Q_EMIT state->completed();
    }

    static QCoro::Task<void> waitFor(StatePointer state)
    {
        if (!state->finished)
            co_await qCoro(static_cast<JobDetail::Completion *>(state.get()), &JobDetail::Completion::completed);
    }

    StatePointer m_state;
};
