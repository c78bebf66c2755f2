#include "DetailText.h"

#include "EpisodeChoice.h"
#include "Support/TimeText.h"

using namespace Qt::StringLiterals;

namespace {

QString counted(qsizetype count, const QString &noun)
{
    return QString::number(count) + u' ' + noun + (count == 1 ? QString() : u"s"_s);
}

} // namespace

namespace DetailText {

QString counts(qsizetype seasons, qsizetype episodes)
{
    return counted(seasons, u"season"_s) + u" \u00B7 "_s + counted(episodes, u"episode"_s);
}

QString resumeTitle(double seconds)
{
    return u"Resume from "_s + TimeText::timecode(seconds);
}

QString nextEpisodeTitle(const SeriesEpisode &episode, bool hasProgress)
{
    return (hasProgress ? u"Continue "_s : u"Play "_s) + EpisodeChoice::shortCode(episode);
}

} // namespace DetailText
