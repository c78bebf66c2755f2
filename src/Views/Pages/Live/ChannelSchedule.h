#pragma once

#include "Catalogue/CatalogueModels.h"

#include <QDateTime>
#include <QList>

#include <optional>

// What a channel's schedule says at a moment: the programme on now and those coming up.
namespace ChannelSchedule {

// The first programme, in list order, that is on air at `now` (overlapping entries: the first).
[[nodiscard]] std::optional<GuideProgramme> current(const QList<GuideProgramme> &schedule, const QDateTime &now);
// The programmes that start after `now`, in list order, at most `limit`.
[[nodiscard]] QList<GuideProgramme> upcoming(const QList<GuideProgramme> &schedule, const QDateTime &now,
                                             int limit);
// The provider's short guide as a schedule: the programmes not over at `now`, in their order,
// those without a channel id under the channel's guide key.
[[nodiscard]] QList<GuideProgramme> fromShortGuide(const QList<LiveProgramme> &programmes, const QString &epgKey,
                                                   const QDateTime &now);

} // namespace ChannelSchedule
