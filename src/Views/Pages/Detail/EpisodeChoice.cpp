#include "EpisodeChoice.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// A position this short is a false start, not an episode under way.
constexpr qint64 startedAfterSeconds = 30;
constexpr double watchedShare = 0.95;

bool isUnderWay(const EpisodeProgress &progress)
{
    if (progress.position <= startedAfterSeconds)
        return false;
    if (!progress.duration)
        return true;
    return progress.position < qint64(double(*progress.duration) * watchedShare);
}

} // namespace

namespace EpisodeChoice {

QList<int> seasons(const QList<SeriesEpisode> &episodes)
{
    QList<int> numbers;
    for (const SeriesEpisode &episode : episodes) {
        if (!numbers.contains(episode.seasonNumber))
            numbers.append(episode.seasonNumber);
    }
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

std::optional<qsizetype> nextEpisode(const QList<SeriesEpisode> &episodes, const ProgressMap &progress)
{
    if (episodes.isEmpty())
        return std::nullopt;
    qsizetype lastWatched = -1;
    for (qsizetype i = 0; i < episodes.size(); ++i) {
        const auto found = progress.constFind(episodes.at(i).providerID);
        if (found == progress.cend())
            continue;
        if (isUnderWay(*found))
            return i;
        lastWatched = i;
    }
    if (lastWatched >= 0 && lastWatched + 1 < episodes.size())
        return lastWatched + 1;
    return 0;
}

std::optional<int> currentSeason(std::optional<int> picked, const QList<SeriesEpisode> &episodes,
                                 const ProgressMap &progress)
{
    if (picked)
        return picked;
    if (const std::optional<qsizetype> next = nextEpisode(episodes, progress))
        return episodes.at(*next).seasonNumber;
    return std::nullopt;
}

QString shortCode(const SeriesEpisode &episode)
{
    const QString number = u'E' + QString::number(episode.episodeNumber);
    if (episode.seasonNumber >= 1)
        return u'S' + QString::number(episode.seasonNumber) + u' ' + number;
    return number;
}

QString seasonTitle(int season)
{
    return season == 0 ? u"Specials"_s : u"Season "_s + QString::number(season);
}

std::optional<double> watchedFraction(const SeriesEpisode &episode, const std::optional<EpisodeProgress> &progress)
{
    if (!progress)
        return std::nullopt;
    const std::optional<qint64> duration = progress->duration ? progress->duration : episode.durationSeconds;
    if (!duration || *duration < 1)
        return std::nullopt;
    return std::min(double(progress->position) / double(*duration), 1.0);
}

bool isWatched(const std::optional<double> &fraction)
{
    return fraction && *fraction >= watchedShare;
}

} // namespace EpisodeChoice
