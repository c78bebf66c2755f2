#pragma once

#include "Support/GuardedJob.h"

#include <QString>

// A page's load that belongs to a key made of the inputs it reads (a playlist id, revision
// counters, a search term): asking again with the same key does nothing, a new key cancels the
// running load and starts one for the new key. The load ends with its owner.
class KeyedJob final
{
public:
    KeyedJob() = default;
    ~KeyedJob() { m_job.cancel(); }

    KeyedJob(const KeyedJob &) = delete;
    KeyedJob &operator=(const KeyedJob &) = delete;

    // body(object, token) -> QCoro::Task<>, started on a later turn of the event loop.
    template<typename Object, typename Body>
    void run(const QString &key, Object *object, Body body)
    {
        if (m_started && key == m_key)
            return;
        m_started = true;
        m_key = key;
        m_job.cancel();
        m_job = startGuardedJob(object, std::move(body));
    }

    [[nodiscard]] const QString &key() const { return m_key; }

private:
    bool m_started = false;
    QString m_key;
    Job<> m_job;
};
