#include "ProgrammeTime.h"

#include <algorithm>

namespace ProgrammeTime {

bool isOnAir(const QDateTime &start, const QDateTime &end, const QDateTime &now)
{
    return start <= now && end > now;
}

bool isOver(const QDateTime &end, const QDateTime &now)
{
    return end <= now;
}

double progress(const QDateTime &start, const QDateTime &end, const QDateTime &now)
{
    const qint64 length = start.msecsTo(end);
    if (length <= 0)
        return 0;
    return std::clamp(double(start.msecsTo(now)) / double(length), 0.0, 1.0);
}

} // namespace ProgrammeTime
