#pragma once

#include <QCoreApplication>

// Lets the main thread handle what it has been told so far, with no time passing: the events
// posted until now and those they post in turn (queued calls, coroutines resuming, the first turn
// of a job). A test that checks that a change it made set nothing else off calls this first.
inline void handlePostedEvents()
{
    for (int round = 0; round < 3; ++round)
        QCoreApplication::processEvents();
}
