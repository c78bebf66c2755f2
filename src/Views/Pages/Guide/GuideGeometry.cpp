#include "GuideGeometry.h"

#include <algorithm>
#include <cmath>

namespace GuideGeometry {

namespace {

double minutesBetween(const QDateTime &from, const QDateTime &to)
{
    return minutesFrom(from.toMSecsSinceEpoch(), to.toMSecsSinceEpoch());
}

} // namespace

QDateTime dayStart(const QDateTime &now, int dayOffset)
{
    return now.toLocalTime().date().addDays(dayOffset).startOfDay();
}

QDateTime dayEnd(const QDateTime &dayStart)
{
    return dayStart.addSecs(86'400);
}

double visibleMinutes(double pageWidth)
{
    return std::max((pageWidth - channelWidth) / pointsPerMinute, 60.0);
}

double largestOffset(double visibleMinutes)
{
    return minutesPerDay - visibleMinutes;
}

double scrolled(double offset, double delta, double visibleMinutes)
{
    return std::max(std::min(offset + delta, largestOffset(visibleMinutes)), 0.0);
}

double nowOffset(const QDateTime &now)
{
    return std::max(minutesBetween(dayStart(now, 0), now) - 30, 0.0);
}

QList<int> rulerMarks(double offset, double visibleMinutes)
{
    const int first = int(std::floor(offset / markStep)) * markStep;
    const int last = first + int(std::floor(visibleMinutes)) + markStep;
    QList<int> marks;
    for (int minute = first; minute <= last; minute += markStep)
        marks.append(minute);
    return marks;
}

double markX(int minute, double offset)
{
    return (minute - offset) * pointsPerMinute + 8;
}

double minutesFrom(qint64 dayStartMs, qint64 momentMs)
{
    return double(momentMs - dayStartMs) / 60'000.0;
}

bool isVisible(double startMinute, double endMinute, double offset, double visibleMinutes)
{
    return endMinute > offset && startMinute < offset + visibleMinutes;
}

Cell cell(double startMinute, double endMinute, double offset)
{
    // The day ends 86,400 seconds after its start, also on a day with a clock change.
    const double a = std::max(startMinute, 0.0);
    const double b = std::min(endMinute, minutesPerDay);
    Cell cell;
    cell.width = std::max((b - a) * pointsPerMinute - 3, 4.0);
    cell.x = (a - offset) * pointsPerMinute;
    const double clipped = cell.x <= 0 ? -cell.x : 0;
    cell.textInset = 10 + std::min(clipped, std::max(0.0, cell.width - 80));
    return cell;
}

std::optional<double> nowLineX(const QDateTime &now, const QDateTime &dayStart, double offset, double pageWidth)
{
    const double x = (minutesBetween(dayStart, now) - offset) * pointsPerMinute;
    if (x < 0 || x > pageWidth - channelWidth)
        return std::nullopt;
    return x;
}

} // namespace GuideGeometry
