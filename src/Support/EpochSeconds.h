#pragma once

#include <QDateTime>
#include <QString>

// Moments as the database and providers keep them: seconds since 1970 as a real number (read
// back through momentFromEpochSeconds, which refuses damaged values).
[[nodiscard]] inline double epochSeconds(const QDateTime &moment)
{
    return double(moment.toMSecsSinceEpoch()) / 1000.0;
}

// Seconds as identifiers and cache keys write them: the shortest decimal text that reads back
// as the same double, never in exponent form, and always with a fraction ("1700000000.0",
// "3600.5"), so that one moment always gives one text.
[[nodiscard]] QString epochSecondsText(double seconds);
[[nodiscard]] inline QString epochSecondsText(const QDateTime &moment)
{
    return epochSecondsText(epochSeconds(moment));
}
