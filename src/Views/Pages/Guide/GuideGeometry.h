#pragma once

#include <QDateTime>
#include <QList>

#include <optional>

// The maths of the TV guide's time line: one day of 1,440 minutes laid out at 5 points per
// minute to the right of a 250-point channel column, of which the page shows as much as its width
// allows. "Offset" is the minute of the shown day at the left edge of the time line.
namespace GuideGeometry {

inline constexpr double channelWidth = 250;
inline constexpr double rowHeight = 64;
inline constexpr double pointsPerMinute = 5;
inline constexpr double minutesPerDay = 1440;
// Minutes between two ruler marks.
inline constexpr int markStep = 30;

// Midnight of the day `dayOffset` calendar days from the day of `now` (a day with a clock change
// keeps its real midnight).
[[nodiscard]] QDateTime dayStart(const QDateTime &now, int dayOffset);
// The shown day's end as the rows take it: 86,400 seconds after its start.
[[nodiscard]] QDateTime dayEnd(const QDateTime &dayStart);

// The minutes that the time line shows for a page width, but never fewer than 60.
[[nodiscard]] double visibleMinutes(double pageWidth);
// The offset that shows the day's end at the right edge; the buttons and the wheel stop there.
[[nodiscard]] double largestOffset(double visibleMinutes);
// An offset moved by `delta` minutes, held within 0 and the largest offset.
[[nodiscard]] double scrolled(double offset, double delta, double visibleMinutes);
// Half an hour before `now`, counted from the start of its own day, never before midnight. Not
// held to the largest offset, so late in the evening it lies beyond what the buttons reach.
[[nodiscard]] double nowOffset(const QDateTime &now);

// The minutes of the ruler's marks: every half hour from the one at or before `offset` through a
// half hour past the visible window.
[[nodiscard]] QList<int> rulerMarks(double offset, double visibleMinutes);
// A mark's left edge within the marks area.
[[nodiscard]] double markX(int minute, double offset);

// Programmes are placed by their times in minutes from the shown day's start (negative before
// it, beyond 1,440 after its end), from milliseconds since 1970.
[[nodiscard]] double minutesFrom(qint64 dayStartMs, qint64 momentMs);

// Whether a programme overlaps the visible window, from `offset` for `visibleMinutes`; touching
// an edge is not overlapping.
[[nodiscard]] bool isVisible(double startMinute, double endMinute, double offset, double visibleMinutes);

// Where a programme's cell lies in its row's lane.
struct Cell
{
    double x = 0;         // from the lane's left edge; negative when it starts left of the window
    double width = 0;     // 3 points narrower than its time for the gap, never under 4
    double textInset = 0; // the title's left inset, sliding right to stay readable at the edge

    friend bool operator==(const Cell &, const Cell &) = default;
};
// The cell of a programme, its times clipped to the shown day.
[[nodiscard]] Cell cell(double startMinute, double endMinute, double offset);

// Where the now line lies within the time line for a page width, or none when it is off screen.
[[nodiscard]] std::optional<double> nowLineX(const QDateTime &now, const QDateTime &dayStart, double offset,
                                             double pageWidth);

} // namespace GuideGeometry
