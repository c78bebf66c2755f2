#include "CivilDateTime.h"

namespace {

// The value of `count` decimal digits at `at`, or -1 when any of them is not a digit.
int digitsValue(QByteArrayView text, qsizetype at, qsizetype count)
{
    int value = 0;
    for (qsizetype index = at; index < at + count; ++index) {
        const char c = text[index];
        if (c < '0' || c > '9')
            return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

bool isLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month)
{
    static constexpr int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : lengths[month - 1];
}

// Days from 1970-01-01 to a date of the proleptic Gregorian calendar.
qint64 daysFromCivil(int year, int month, int day)
{
    year -= month <= 2 ? 1 : 0;
    const qint64 era = (year >= 0 ? year : year - 399) / 400;
    const qint64 yearOfEra = year - era * 400;
    const qint64 dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const qint64 dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

std::optional<CivilDateTime> checked(int year, int month, int day, int hour, int minute, int second)
{
    if (year < 1 || month < 1 || month > 12 || day < 1 || hour < 0 || hour > 23 || minute < 0 || minute > 59
        || second < 0 || second > 59 || day > daysInMonth(year, month))
        return std::nullopt;
    return CivilDateTime{year, month, day, hour, minute, second};
}

} // namespace

std::optional<CivilDateTime> CivilDateTime::fromCompactDigits(QByteArrayView text)
{
    if (text.size() != 14)
        return std::nullopt;
    return checked(digitsValue(text, 0, 4), digitsValue(text, 4, 2), digitsValue(text, 6, 2),
                   digitsValue(text, 8, 2), digitsValue(text, 10, 2), digitsValue(text, 12, 2));
}

std::optional<CivilDateTime> CivilDateTime::fromSeparated(QByteArrayView text, char separator)
{
    if (text.size() != 19 || text[4] != '-' || text[7] != '-' || text[10] != separator || text[13] != ':'
        || text[16] != ':')
        return std::nullopt;
    return checked(digitsValue(text, 0, 4), digitsValue(text, 5, 2), digitsValue(text, 8, 2),
                   digitsValue(text, 11, 2), digitsValue(text, 14, 2), digitsValue(text, 17, 2));
}

std::optional<int> CivilDateTime::utcOffsetSeconds(QByteArrayView text)
{
    const bool withColon = text.size() == 6 && text[3] == ':';
    if ((text.size() != 5 && !withColon) || (text[0] != '+' && text[0] != '-'))
        return std::nullopt;
    const int hours = digitsValue(text, 1, 2);
    const int minutes = digitsValue(text, withColon ? 4 : 3, 2);
    if (hours < 0 || hours > 23 || minutes < 0 || minutes > 59)
        return std::nullopt;
    const int seconds = hours * 3600 + minutes * 60;
    return text[0] == '-' ? -seconds : seconds;
}

qint64 CivilDateTime::secondsAsUTC() const
{
    return daysFromCivil(year, month, day) * 86400 + hour * 3600 + minute * 60 + second;
}

QDateTime CivilDateTime::atUTCOffset(qint64 offsetSeconds) const
{
    return QDateTime::fromSecsSinceEpoch(secondsAsUTC() - offsetSeconds, Qt::UTC);
}

std::optional<QDateTime> CivilDateTime::inLocalTime() const
{
    const QDateTime local(QDate(year, month, day), QTime(hour, minute, second), Qt::LocalTime);
    if (!local.isValid())
        return std::nullopt;
    return local.toUTC();
}
