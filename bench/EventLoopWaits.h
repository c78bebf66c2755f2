#pragma once

#include "BenchStatistics.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QList>
#include <QString>

#include <cstdio>
#include <functional>

// Turns the event loop until `done` holds or `timeoutMs` passes; false on the time-out.
inline bool spinUntil(const std::function<bool()> &done, int timeoutMs = 30'000)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    }
    return true;
}

// One line of figures: the median and the 95th percentile, marked when the percentile misses
// its target.
inline void printFigures(const QString &name, const QList<double> &milliseconds, double target)
{
    const double p95 = percentile(milliseconds, 0.95);
    std::printf("%-44s median %8.1f ms   p95 %8.1f ms   (%lld runs)%s\n", qPrintable(name), median(milliseconds), p95,
                qint64(milliseconds.size()), p95 >= target ? "   MISS" : "");
    std::fflush(stdout);
}
