#pragma once

#include <QFuture>
#include <QPromise>
#include <QThreadPool>

#include <exception>
#include <memory>
#include <type_traits>
#include <utility>

namespace Async {

// Runs a function on a pool and hands its result or exception to the returned future. Unlike
// QtConcurrent::run, a waiting thread can never steal and run the call itself, so a call runs
// only on the pool's threads (which keeps a serial executor's calls on its one thread, in order).
template<typename Function>
auto runOnPool(QThreadPool &pool, Function function) -> QFuture<std::invoke_result_t<Function>>
{
    using Result = std::invoke_result_t<Function>;
    auto promise = std::make_shared<QPromise<Result>>();
    QFuture<Result> future = promise->future();
    promise->start();
    pool.start([promise, function = std::move(function)]() mutable {
        try {
            if constexpr (std::is_void_v<Result>)
                function();
            else
                promise->addResult(function());
        } catch (...) {
            promise->setException(std::current_exception());
        }
        promise->finish();
    });
    return future;
}

} // namespace Async

// Runs one call at a time on a thread of its own, in the order the calls were made.
// Owners that keep a SQLite connection use one of these so that the connection is only
// ever touched from a single thread, and the main thread awaits the returned futures.
class SerialExecutor final
{
public:
    SerialExecutor();
    ~SerialExecutor();

    SerialExecutor(const SerialExecutor &) = delete;
    SerialExecutor &operator=(const SerialExecutor &) = delete;

    template<typename Function>
    [[nodiscard]] auto run(Function function) -> QFuture<std::invoke_result_t<Function>>
    {
        return Async::runOnPool(m_pool, std::move(function));
    }

    // Blocks until every queued call has finished; used when the owner is destroyed.
    void waitForDone();

private:
    QThreadPool m_pool;
};
