#pragma once

#include <QString>

struct SeriesEpisode;

// The wording of the detail page's meta and action rows.
namespace DetailText {

// "1 season · 1 episode", "3 seasons · 24 episodes".
[[nodiscard]] QString counts(qsizetype seasons, qsizetype episodes);
// "Resume from 12:34".
[[nodiscard]] QString resumeTitle(double seconds);
// "Continue S1 E3" for an episode with a saved position, else "Play S1 E3".
[[nodiscard]] QString nextEpisodeTitle(const SeriesEpisode &episode, bool hasProgress);

} // namespace DetailText
