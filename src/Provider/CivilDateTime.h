#pragma once

#include <QByteArrayView>
#include <QDateTime>

#include <optional>

// A wall-clock date and time read from fixed-width digits and checked against the calendar,
// without the cost of a general date parser: guides carry hundreds of thousands of times.
struct CivilDateTime
{
    int year = 1970;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;

    // Exactly "yyyyMMddHHmmss".
    [[nodiscard]] static std::optional<CivilDateTime> fromCompactDigits(QByteArrayView text);
    // Exactly "yyyy-MM-dd", the separator, "HH:mm:ss".
    [[nodiscard]] static std::optional<CivilDateTime> fromSeparated(QByteArrayView text, char separator);
    // "+hhmm", "-hhmm", "+hh:mm" or "-hh:mm", as seconds east of UTC.
    [[nodiscard]] static std::optional<int> utcOffsetSeconds(QByteArrayView text);

    // The seconds since 1970 of this wall time read in UTC.
    [[nodiscard]] qint64 secondsAsUTC() const;
    // The moment of this wall time in a zone that many seconds east of UTC, in UTC.
    [[nodiscard]] QDateTime atUTCOffset(qint64 offsetSeconds) const;
    // The moment of this wall time in the process's time zone, in UTC; none when the wall time
    // does not exist there.
    [[nodiscard]] std::optional<QDateTime> inLocalTime() const;
};
