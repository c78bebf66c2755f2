#include "ChannelSchedule.h"

#include "Support/ProgrammeTime.h"

namespace ChannelSchedule {

std::optional<GuideProgramme> current(const QList<GuideProgramme> &schedule, const QDateTime &now)
{
    for (const GuideProgramme &programme : schedule) {
        if (ProgrammeTime::isOnAir(programme.start, programme.end, now))
            return programme;
    }
    return std::nullopt;
}

QList<GuideProgramme> upcoming(const QList<GuideProgramme> &schedule, const QDateTime &now, int limit)
{
    QList<GuideProgramme> coming;
    for (const GuideProgramme &programme : schedule) {
        if (coming.size() == limit)
            break;
        if (programme.start > now)
            coming.append(programme);
    }
    return coming;
}

QList<GuideProgramme> fromShortGuide(const QList<LiveProgramme> &programmes, const QString &epgKey,
                                     const QDateTime &now)
{
    QList<GuideProgramme> schedule;
    for (const LiveProgramme &programme : programmes) {
        if (programme.end > now)
            schedule.append({programme.channelID.value_or(epgKey), programme.title, programme.description,
                             programme.start, programme.end});
    }
    return schedule;
}

} // namespace ChannelSchedule
