#pragma once

#include <QCoroTask>

#include <exception>
#include <optional>
#include <utility>

// The outcome of a task that may fail, held as a value, for callers that start several tasks at
// once and must await every one of them before deciding what their failures mean.
template<typename T>
struct Settled
{
    std::optional<T> value;
    std::exception_ptr error;
};

// Awaits the task and keeps its value or its exception. Like every QCoro task it starts at once,
// so wrapping a started task does not delay it.
template<typename T>
QCoro::Task<Settled<T>> settle(QCoro::Task<T> task)
{
    Settled<T> outcome;
    try {
        T value = co_await std::move(task);
        outcome.value = std::move(value);
    } catch (...) {
        outcome.error = std::current_exception();
    }
    co_return outcome;
}
