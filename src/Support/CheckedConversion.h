#pragma once

#include <QDateTime>

#include <optional>

// Conversions of real numbers read from files, databases and servers. A damaged value (1e300,
// an infinity) gives none instead of reaching a conversion whose result is undefined.

// The value as a 64-bit integer when it is whole and fits; none otherwise.
[[nodiscard]] std::optional<qint64> exactInteger(double value);

// The moment of seconds since 1970; none for a value that is not finite or lies beyond any
// calendar (about 300,000 years either way).
[[nodiscard]] std::optional<QDateTime> momentFromEpochSeconds(double seconds);
