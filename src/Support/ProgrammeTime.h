#pragma once

#include <QDateTime>

// Where a programme stands at a moment. A programme is on air from its start up to, but not
// including, its end.
namespace ProgrammeTime {

[[nodiscard]] bool isOnAir(const QDateTime &start, const QDateTime &end, const QDateTime &now);
[[nodiscard]] bool isOver(const QDateTime &end, const QDateTime &now);
// How much of it has run, from 0 to 1; 0 for a programme whose end is not after its start.
[[nodiscard]] double progress(const QDateTime &start, const QDateTime &end, const QDateTime &now);

} // namespace ProgrammeTime
