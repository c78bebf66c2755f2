#include "CheckedConversion.h"

#include <cmath>

namespace {

// 2^63: the first whole number beyond a 64-bit integer, exact as a double.
constexpr double integerLimit = 9'223'372'036'854'775'808.0;
constexpr double farthestMomentSeconds = 1e13;

} // namespace

std::optional<qint64> exactInteger(double value)
{
    // Written so that NaN fails every comparison and is refused too.
    if (!(value >= -integerLimit && value < integerLimit) || std::trunc(value) != value)
        return std::nullopt;
    return qint64(value);
}

std::optional<QDateTime> momentFromEpochSeconds(double seconds)
{
    if (!(std::abs(seconds) < farthestMomentSeconds))
        return std::nullopt;
    return QDateTime::fromMSecsSinceEpoch(std::llround(seconds * 1000.0), Qt::UTC);
}
