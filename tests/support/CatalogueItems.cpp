#include "CatalogueItems.h"

using namespace Qt::StringLiterals;

MediaItem catalogueItem(CatalogueKind kind, const QString &providerID, const QString &title)
{
    MediaItem item;
    item.kind = kind;
    item.providerID = providerID;
    if (!title.isEmpty())
        item.title = title;
    else if (kind == CatalogueKind::Movie)
        item.title = u"Film "_s + providerID;
    else if (kind == CatalogueKind::Live)
        item.title = u"Channel "_s + providerID;
    else
        item.title = u"Series "_s + providerID;
    return item;
}

MediaItem film(const QString &providerID)
{
    MediaItem item = catalogueItem(CatalogueKind::Movie, providerID);
    item.containerExtension = u"mp4"_s;
    return item;
}

MediaItem channel(const QString &providerID, std::optional<qint64> number, const QString &epgKey)
{
    MediaItem item = catalogueItem(CatalogueKind::Live, providerID);
    item.number = number;
    item.epgKey = epgKey;
    return item;
}

SeriesEpisode episode(const QString &seriesID, int season, int number)
{
    SeriesEpisode episode;
    episode.seriesID = seriesID;
    episode.providerID = seriesID + u'-' + QString::number(season * 100 + number);
    episode.seasonNumber = season;
    episode.episodeNumber = number;
    episode.title = u"Part "_s + QString::number(number);
    episode.containerExtension = u"mkv"_s;
    return episode;
}

BrowseCategory category(const QString &id, const QString &name, const QString &language, qint64 items, bool hidden)
{
    return {CatalogueKind::Live, id, name, items, language, hidden};
}

QStringList ids(const QList<MediaItem> &items)
{
    QStringList list;
    for (const MediaItem &item : items)
        list.append(item.id());
    return list;
}

QStringList titles(const QList<MediaItem> &items)
{
    QStringList list;
    for (const MediaItem &item : items)
        list.append(item.title);
    return list;
}

QStringList titles(const QList<GuideProgramme> &programmes)
{
    QStringList list;
    for (const GuideProgramme &programme : programmes)
        list.append(programme.title);
    return list;
}
