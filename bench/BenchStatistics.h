#pragma once

#include <QList>

#include <algorithm>

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
