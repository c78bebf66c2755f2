#pragma once

#include <QString>

struct SeriesEpisode;

// How an episode is named in lists and in the player: "S1 · E2  Pilot".
namespace EpisodeText {

// The season and episode code (numbers of 0 are left out) and the episode's own title, joined by
// two spaces. Titles that only repeat the numbering ("Episode 4", "S01E04 ...") are left out; a
// shown title is isolated so that a right-to-left title does not reorder the code beside it.
[[nodiscard]] QString label(const SeriesEpisode &episode);

} // namespace EpisodeText
