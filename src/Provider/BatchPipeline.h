#pragma once

#include "Support/CancellationError.h"

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <optional>
#include <stop_token>
#include <thread>

// Runs `produce` (a download and its decoding) on a thread of its own and hands every batch it
// emits, in order, to `consume` on the calling thread, so that reading and decoding the next
// batches overlaps with writing this one. At most `capacity` batches wait in between.
//
// A failure of `consume` stops the producer and is rethrown once it has ended; a failure of
// `produce` is rethrown after the batches emitted before it have been consumed, as if both had
// run one after the other. Stopping `stop` stops the producer too.
template<typename Batch>
void runPipelined(const std::function<void(const std::function<void(const Batch &)> &emit, const std::stop_token &)> &produce,
                  const std::function<void(const Batch &)> &consume, const std::stop_token &stop,
                  std::size_t capacity = 8)
{
    std::mutex mutex;
    std::condition_variable_any changed;
    std::deque<Batch> waiting;
    bool finished = false;
    std::exception_ptr failure;

    std::jthread producer([&](const std::stop_token &own) {
        const auto emit = [&](const Batch &batch) {
            std::unique_lock lock(mutex);
            // Stopped, or stopped while waiting for room.
            if (!changed.wait(lock, own, [&] { return waiting.size() < capacity; }) || own.stop_requested())
                throw CancellationError();
            waiting.push_back(batch);
            changed.notify_all();
        };
        try {
            produce(emit, own);
        } catch (...) {
            const std::scoped_lock lock(mutex);
            failure = std::current_exception();
        }
        const std::scoped_lock lock(mutex);
        finished = true;
        changed.notify_all();
    });
    // Declared after the producer, so it goes first; the producer's destructor then stops and
    // joins the thread on every way out of here.
    const std::stop_callback forward(stop, [&producer] { producer.request_stop(); });

    for (;;) {
        std::optional<Batch> next;
        {
            std::unique_lock lock(mutex);
            changed.wait(lock, [&] { return !waiting.empty() || finished; });
            if (waiting.empty())
                break;
            next = std::move(waiting.front());
            waiting.pop_front();
            changed.notify_all();
        }
        consume(*next);
    }
    if (failure)
        std::rethrow_exception(failure);
}
