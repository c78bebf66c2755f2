#pragma once

#include "SerialExecutor.h"

#include <QCoroFuture>
#include <QCoroTask>
#include <QException>
#include <QThreadPool>

#include <exception>
#include <type_traits>
#include <utility>

namespace Async {

// Awaits a future from a main-thread coroutine. A worker's exception reaches QFuture wrapped in
// QUnhandledException; the original is rethrown so that callers can catch the typed error.
template<typename T>
QCoro::Task<T> await(QFuture<T> future)
{
    try {
        if constexpr (std::is_void_v<T>)
            co_await qCoro(future).waitForFinished();
        else
            co_return co_await qCoro(future).waitForFinished();
    } catch (const QUnhandledException &wrapped) {
        if (wrapped.exception())
            std::rethrow_exception(wrapped.exception());
        throw;
    }
}

// Runs a plain function on the executor and awaits its result.
template<typename Function>
auto onExecutor(SerialExecutor &executor, Function function)
    -> QCoro::Task<std::invoke_result_t<Function>>
{
    return await(executor.run(std::move(function)));
}

// Runs a plain function on the shared worker pool (a detached task) and awaits its result.
template<typename Function>
auto detached(Function function) -> QCoro::Task<std::invoke_result_t<Function>>
{
    return await(runOnPool(*QThreadPool::globalInstance(), std::move(function)));
}

} // namespace Async
