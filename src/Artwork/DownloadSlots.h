#pragma once

#include <QObject>

#include <coroutine>
#include <deque>

// A limit on how many downloads run at once, for main-thread coroutines: `co_await
// slots.acquire()` goes on at once while a slot is free and otherwise waits, first come first
// served, until release() hands it the slot of a download that ended.
class DownloadSlots final : public QObject
{
public:
    explicit DownloadSlots(int capacity, QObject *parent = nullptr);

    class Acquire
    {
    public:
        explicit Acquire(DownloadSlots &slots) : m_slots(slots) {}
        [[nodiscard]] bool await_ready() const;
        void await_suspend(std::coroutine_handle<> waiting) const;
        void await_resume() const noexcept {}

    private:
        DownloadSlots &m_slots;
    };

    [[nodiscard]] Acquire acquire() { return Acquire(*this); }
    // Hands the slot to the longest waiting caller, who goes on at the next turn of the event
    // loop; with nobody waiting the slot becomes free.
    void release();

    [[nodiscard]] int held() const { return m_held; }
    [[nodiscard]] int waiting() const { return int(m_waiting.size()); }

private:
    const int m_capacity;
    int m_held = 0;
    std::deque<std::coroutine_handle<>> m_waiting;
};
