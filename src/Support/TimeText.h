#pragma once

#include <QDateTime>
#include <QString>

// How every page writes clock times, days, lengths and ages. Nothing here fails: any input gives
// some text. Times are shown in the machine's time zone and the default locale's names.
namespace TimeText {

// The user's choice of a 24-hour clock ("quillmere.use24HourClock", on unless it holds false).
// Read anew on every call, so a changed setting shows at the next formatting.
[[nodiscard]] bool use24Hour();

// "21:05", or "9:05 PM" with the 12-hour clock.
[[nodiscard]] QString time(const QDateTime &moment);
// "21:00 – 22:30": both clock times around an en dash.
[[nodiscard]] QString range(const QDateTime &start, const QDateTime &end);
// "Today", "Tomorrow" or "Yesterday" when the day is one of those, else "Tue 4 Mar".
[[nodiscard]] QString day(const QDateTime &moment, const QDateTime &now = QDateTime::currentDateTime());
// "Tuesday, 4 March".
[[nodiscard]] QString longDay(const QDateTime &moment);
// A running time: "1m" for anything under two minutes, "47m", "1h 30m"; empty unless positive.
[[nodiscard]] QString duration(double seconds);
// The time left until `end`: "Ending" under a minute (and after the end), "12m left", "1h 5m left".
[[nodiscard]] QString remaining(const QDateTime &end, const QDateTime &now = QDateTime::currentDateTime());
// A player position: "4:05", "1:02:05"; "0:00" for negative or non-finite seconds.
[[nodiscard]] QString timecode(double seconds);
// How long ago: "just now" (also for the future), "5 min ago", "3 h ago", "2 d ago".
[[nodiscard]] QString relative(const QDateTime &moment, const QDateTime &now = QDateTime::currentDateTime());

} // namespace TimeText
