#include "ProgrammeChoice.h"

#include <algorithm>

namespace ProgrammeChoice {

GuideProgramme fromShortGuide(const LiveProgramme &programme)
{
    return {programme.channelID.value_or(QString()), programme.title, programme.description, programme.start,
            programme.end};
}

std::optional<GuideProgramme> onNow(const QList<GuideProgramme> &schedule,
                                    const std::optional<LiveProgramme> &shortGuideNow, const QDateTime &now)
{
    for (const GuideProgramme &programme : schedule) {
        if (programme.start <= now && programme.end > now)
            return programme;
    }
    return shortGuideNow ? std::optional(fromShortGuide(*shortGuideNow)) : std::nullopt;
}

std::optional<GuideProgramme> upNext(const QList<GuideProgramme> &schedule, const std::optional<GuideProgramme> &current,
                                     const std::optional<LiveProgramme> &shortGuideNext, const QDateTime &now)
{
    // A programme that starts up to a minute before the current one ends still follows it.
    const QDateTime reference = current ? current->end : now;
    const QDateTime earliest = reference.addSecs(-60);
    for (const GuideProgramme &programme : schedule) {
        if (programme.start >= earliest && programme.start > now)
            return programme;
    }
    return shortGuideNext ? std::optional(fromShortGuide(*shortGuideNext)) : std::nullopt;
}

double progress(const QDateTime &start, const QDateTime &end, const QDateTime &now)
{
    const qint64 total = start.msecsTo(end);
    if (total <= 0)
        return 0;
    return std::clamp(double(start.msecsTo(now)) / double(total), 0.0, 1.0);
}

} // namespace ProgrammeChoice
