#pragma once

#include <QDateTime>

#include <cmath>

// Moments as the database and providers keep them: seconds since 1970 as a real number.
[[nodiscard]] inline double epochSeconds(const QDateTime &moment)
{
    return double(moment.toMSecsSinceEpoch()) / 1000.0;
}

[[nodiscard]] inline QDateTime momentFromEpochSeconds(double seconds)
{
    return QDateTime::fromMSecsSinceEpoch(std::llround(seconds * 1000.0), Qt::UTC);
}
