#pragma once

#include <exception>
#include <stop_token>

// Thrown when the task a piece of work belongs to has been cancelled. It is distinct from a
// transport's own "request cancelled" error, which callers treat as an ordinary failure.
class CancellationError final : public std::exception
{
public:
    [[nodiscard]] const char *what() const noexcept override { return "The task was cancelled."; }

    static void throwIfRequested(const std::stop_token &token)
    {
        if (token.stop_requested())
            throw CancellationError();
    }
};
