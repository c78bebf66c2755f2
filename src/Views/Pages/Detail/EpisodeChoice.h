#pragma once

#include "Catalogue/CatalogueModels.h"
#include "Catalogue/CataloguePageReader.h"

#include <QHash>
#include <QList>
#include <QString>

#include <optional>

// What the detail page of a series derives from its episode list and the saved positions of its
// episodes: the seasons, the episode its play button offers, the season shown, and each row's
// watched share. The player's own choice of the following episode, made at the end of an
// episode, is a different rule and lives with the player.
namespace EpisodeChoice {

using ProgressMap = QHash<QString, EpisodeProgress>;

// The distinct season numbers, lowest first.
[[nodiscard]] QList<int> seasons(const QList<SeriesEpisode> &episodes);

// The first episode in list order that is under way (more than 30 s watched and short of 95 %
// of a known duration, or any position past 30 s without a duration); else the one after the
// last episode in list order with any saved position; else the first episode. Its index in
// `episodes`, or none for an empty list.
[[nodiscard]] std::optional<qsizetype> nextEpisode(const QList<SeriesEpisode> &episodes, const ProgressMap &progress);

// The season the user picked, else that of the next episode, else the lowest season.
[[nodiscard]] std::optional<int> currentSeason(std::optional<int> picked, const QList<SeriesEpisode> &episodes,
                                               const ProgressMap &progress);

// "S2 E5", or "E5" for specials (season 0).
[[nodiscard]] QString shortCode(const SeriesEpisode &episode);
// "Season 2", or "Specials" for season 0.
[[nodiscard]] QString seasonTitle(int season);

// How much of the episode was watched, 0 to 1: none without a saved position, and none without a
// duration of at least 1 s (the saved one, else the episode's own).
[[nodiscard]] std::optional<double> watchedFraction(const SeriesEpisode &episode,
                                                    const std::optional<EpisodeProgress> &progress);
// Watched means 95 % or more.
[[nodiscard]] bool isWatched(const std::optional<double> &fraction);

} // namespace EpisodeChoice
