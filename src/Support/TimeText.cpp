#include "TimeText.h"

#include "Support/PrefKeys.h"

#include <QLocale>

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

// Far beyond any real length; keeps the integer conversions below defined for absurd inputs.
constexpr double longestSeconds = 1e12;

QString hoursAndMinutes(qint64 minutes)
{
    return QString::number(minutes / 60) + u"h "_s + QString::number(minutes % 60) + u'm';
}

QString clock(const QDateTime &moment, bool use24Hour)
{
    return QLocale().toString(moment.toLocalTime().time(), use24Hour ? u"HH:mm"_s : u"h:mm AP"_s);
}

} // namespace

namespace TimeText {

bool use24Hour()
{
    return Prefs::read(PrefKeys::use24HourClock);
}

QString time(const QDateTime &moment)
{
    return clock(moment, use24Hour());
}

QString range(const QDateTime &start, const QDateTime &end)
{
    const bool hours24 = use24Hour();
    return clock(start, hours24) + u" \u2013 "_s + clock(end, hours24);
}

QString day(const QDateTime &moment, const QDateTime &now)
{
    const QDate date = moment.toLocalTime().date();
    const QDate today = now.toLocalTime().date();
    if (date == today)
        return u"Today"_s;
    if (date == today.addDays(1))
        return u"Tomorrow"_s;
    if (date == today.addDays(-1))
        return u"Yesterday"_s;
    return QLocale().toString(date, u"ddd d MMM"_s);
}

QString longDay(const QDateTime &moment)
{
    return QLocale().toString(moment.toLocalTime().date(), u"dddd, d MMMM"_s);
}

QString duration(double seconds)
{
    if (!std::isfinite(seconds) || seconds <= 0)
        return QString();
    const auto minutes = qint64(std::min(seconds, longestSeconds) / 60);
    if (minutes < 60)
        return QString::number(std::max<qint64>(minutes, 1)) + u'm';
    return hoursAndMinutes(minutes);
}

QString remaining(const QDateTime &end, const QDateTime &now)
{
    const auto minutes = qint64(double(now.msecsTo(end)) / 60'000.0);
    if (minutes < 1)
        return u"Ending"_s;
    if (minutes < 60)
        return QString::number(minutes) + u"m left"_s;
    return hoursAndMinutes(minutes) + u" left"_s;
}

QString timecode(double seconds)
{
    if (!std::isfinite(seconds) || seconds < 0)
        return u"0:00"_s;
    const qint64 total = std::llround(std::min(seconds, longestSeconds));
    const auto twoDigits = [](qint64 value) { return QString::number(value).rightJustified(2, u'0'); };
    if (total < 3600)
        return QString::number(total / 60) + u':' + twoDigits(total % 60);
    return QString::number(total / 3600) + u':' + twoDigits(total / 60 % 60) + u':' + twoDigits(total % 60);
}

QString relative(const QDateTime &moment, const QDateTime &now)
{
    const double seconds = double(moment.msecsTo(now)) / 1000.0;
    if (seconds < 60)
        return u"just now"_s;
    if (seconds < 3600)
        return QString::number(qint64(seconds / 60)) + u" min ago"_s;
    if (seconds < 86400)
        return QString::number(qint64(seconds / 3600)) + u" h ago"_s;
    return QString::number(qint64(seconds / 86400)) + u" d ago"_s;
}

} // namespace TimeText
