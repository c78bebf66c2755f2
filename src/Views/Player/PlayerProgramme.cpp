#include "PlayerProgramme.h"

#include "Support/AssignIfChanged.h"
#include "Support/TimeText.h"
#include "Support/TitleText.h"
#include "Views/Player/ProgrammeChoice.h"

using namespace Qt::StringLiterals;

void PlayerProgramme::update(const QList<GuideProgramme> &schedule, const std::optional<LiveProgramme> &shortGuideNow,
                             const std::optional<LiveProgramme> &shortGuideNext, bool shortGuideLoading,
                             const QDateTime &now)
{
    const std::optional<GuideProgramme> current = ProgrammeChoice::onNow(schedule, shortGuideNow, now);
    const std::optional<GuideProgramme> next = ProgrammeChoice::upNext(schedule, current, shortGuideNext, now);
    if (assignIfChanged(m_now, current))
        Q_EMIT nowChanged();
    if (assignIfChanged(m_nowRemaining, current ? TimeText::remaining(current->end, now) : QString()))
        Q_EMIT nowRemainingChanged();
    if (assignIfChanged(m_nowProgress, current ? ProgrammeChoice::progress(current->start, current->end, now) : 0.0))
        Q_EMIT nowProgressChanged();
    if (assignIfChanged(m_next, next))
        Q_EMIT nextChanged();
    if (assignIfChanged(m_loading, shortGuideLoading))
        Q_EMIT placeholderChanged();
}

QString PlayerProgramme::nowTitle() const
{
    return m_now ? TitleText::isolated(m_now->title) : QString();
}

QString PlayerProgramme::nowDescription() const
{
    return m_now ? m_now->description.value_or(QString()) : QString();
}

QString PlayerProgramme::nowTimes() const
{
    return m_now ? TimeText::range(m_now->start, m_now->end) : QString();
}

QString PlayerProgramme::nextTitle() const
{
    return m_next ? TitleText::isolated(m_next->title) : QString();
}

QString PlayerProgramme::nextHeading() const
{
    return m_next ? u"NEXT \u00B7 "_s + TimeText::time(m_next->start) : QString();
}

QString PlayerProgramme::placeholder() const
{
    return m_loading ? u"Loading programme information\u2026"_s : u"No programme information"_s;
}
