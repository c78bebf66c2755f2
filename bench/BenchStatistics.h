#pragma once

#include <QList>
#include <QString>

#include <algorithm>
#include <cstdio>

// The value at a fraction (0.5 for the median, 0.95 for the 95th percentile) of measured
// figures, by nearest rank; 0 for no figures.
[[nodiscard]] inline double percentile(QList<double> values, double fraction)
{
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    return values.at(qsizetype(fraction * double(values.size() - 1) + 0.5));
}

[[nodiscard]] inline double median(const QList<double> &values)
{
    return percentile(values, 0.5);
}

// One line of figures: the median, the 95th percentile and the worst, marked when the
// percentile misses its target.
inline void printFigures(const QString &name, const QList<double> &milliseconds, double target)
{
    const double worst = milliseconds.isEmpty() ? 0 : *std::max_element(milliseconds.cbegin(), milliseconds.cend());
    std::printf("%-44s median %7.1f ms   p95 %7.1f ms   max %7.1f ms   (%lld)%s\n", qPrintable(name),
                median(milliseconds), percentile(milliseconds, 0.95), worst, qint64(milliseconds.size()),
                percentile(milliseconds, 0.95) >= target ? "   MISS" : "");
    std::fflush(stdout);
}
