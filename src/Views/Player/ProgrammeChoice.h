#pragma once

#include "Catalogue/CatalogueModels.h"

#include <QDateTime>
#include <QList>

#include <optional>

// Which programmes the live bar shows as on now and up next: the imported guide's schedule of the
// channel first, the provider's short guide when the schedule has nothing that fits.
namespace ProgrammeChoice {

// A short-guide programme in the schedule's shape (no channel id gives an empty one).
[[nodiscard]] GuideProgramme fromShortGuide(const LiveProgramme &programme);

// The first schedule entry on air at `now`, else the short guide's programme on now.
[[nodiscard]] std::optional<GuideProgramme> onNow(const QList<GuideProgramme> &schedule,
                                                  const std::optional<LiveProgramme> &shortGuideNow,
                                                  const QDateTime &now);

// The first schedule entry that starts after `now` and no earlier than a minute before the current
// programme ends (or before now without one), else the short guide's next programme.
[[nodiscard]] std::optional<GuideProgramme> upNext(const QList<GuideProgramme> &schedule,
                                                   const std::optional<GuideProgramme> &current,
                                                   const std::optional<LiveProgramme> &shortGuideNext,
                                                   const QDateTime &now);

// How far a programme has run at `now`, from 0 to 1; 0 for one without a positive length.
[[nodiscard]] double progress(const QDateTime &start, const QDateTime &end, const QDateTime &now);

} // namespace ProgrammeChoice
