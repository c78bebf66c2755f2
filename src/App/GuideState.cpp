#include "GuideState.h"

#include "Support/AssignIfChanged.h"

GuideState::GuideState(QObject *parent)
    : QObject(parent)
{
}

void GuideState::setScope(const std::optional<BrowseScope> &scope)
{
    if (assignIfChanged(m_scope, scope))
        Q_EMIT scopeChanged();
}

void GuideState::setDayOffset(int dayOffset)
{
    if (assignIfChanged(m_dayOffset, dayOffset))
        Q_EMIT dayOffsetChanged();
}

void GuideState::setQuery(const QString &query)
{
    if (assignIfChanged(m_query, query))
        Q_EMIT queryChanged();
}

void GuideState::setMinuteOffset(double minuteOffset)
{
    if (assignIfChanged(m_minuteOffset, minuteOffset))
        Q_EMIT minuteOffsetChanged();
}

void GuideState::setChannels(const QList<MediaItem> &channels)
{
    if (assignIfChanged(m_channels, channels))
        Q_EMIT channelsChanged();
}

void GuideState::setLoadedKey(const QString &loadedKey)
{
    if (assignIfChanged(m_loadedKey, loadedKey))
        Q_EMIT loadedKeyChanged();
}

void GuideState::setCache(const ProgrammeCache &cache)
{
    if (assignIfChanged(m_cache, cache))
        Q_EMIT cacheChanged();
}

void GuideState::storeProgrammes(const QString &key, const QList<GuideProgramme> &programmes)
{
    const auto entry = m_cache.constFind(key);
    if (entry != m_cache.constEnd() && *entry == programmes)
        return;
    m_cache.insert(key, programmes);
    Q_EMIT programmesStored(key);
}
