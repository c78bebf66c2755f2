#pragma once

#include <QCoroTask>

#include <exception>
#include <optional>

// Runs a task to completion from a test, turning the event loop while it is suspended, and
// rethrows the task's own exception (a plain QCoro::waitFor would wait for ever on one).
template<typename T>
T awaitBlocking(QCoro::Task<T> task)
{
    std::exception_ptr failure;
    auto guarded = [](QCoro::Task<T> inner, std::exception_ptr &caught) -> QCoro::Task<std::optional<T>> {
        try {
            co_return co_await std::move(inner);
        } catch (...) {
            caught = std::current_exception();
        }
        co_return std::nullopt;
    };
    std::optional<T> result = QCoro::waitFor(guarded(std::move(task), failure));
    if (failure)
        std::rethrow_exception(failure);
    return std::move(*result);
}

inline void awaitBlocking(QCoro::Task<void> task)
{
    auto asValue = [](QCoro::Task<void> inner) -> QCoro::Task<bool> {
        co_await std::move(inner);
        co_return true;
    };
    awaitBlocking(asValue(std::move(task)));
}

// The user-facing sentence of the error the task ends with; empty when it succeeds.
template<typename Error, typename T>
QString failureSentence(QCoro::Task<T> task)
{
    try {
        awaitBlocking(std::move(task));
    } catch (const Error &error) {
        return error.description();
    }
    return {};
}
