#pragma once

#include "Support/Job.h"

#include <QPointer>

#include <stop_token>
#include <utility>

// Starts a job that runs body(object, token), one of a main-thread object's coroutines. Jobs begin
// on a later turn of the event loop: one cancelled by then, or whose object is gone by then, does
// nothing, so that an object may cancel its jobs and be destroyed at any time.
template<typename Object, typename Body>
[[nodiscard]] Job<> startGuardedJob(Object *object, Body body)
{
    return Job<>::start([guard = QPointer<Object>(object), body = std::move(body)](std::stop_token token)
                            -> QCoro::Task<> {
        if (guard && !token.stop_requested())
            co_await body(*guard, token);
    });
}
