#include "LibraryRig.h"

#include "AwaitBlocking.h"
#include "TableSnapshot.h"

#include "App/AppModel.h"
#include "Catalogue/CataloguePageReader.h"
#include "Catalogue/SqliteStatement.h"
#include "Store/CatalogueStore.h"

#include <QDateTime>

#include <stdexcept>

using namespace Qt::StringLiterals;

LibraryRig::LibraryRig(CatalogueSize size)
    : m_playlist(m_app.storeHarness().startWithImportedPlaylist(size))
{
    store().selectPlaylist(m_playlist.id);
    m_app.start();
}

QList<MediaItem> LibraryRig::items(CatalogueKind kind, const QString &query, int limit)
{
    return awaitBlocking(store().pageReader().browseItems(m_playlist.id, kind, BrowseScope::all(), query,
                                                          BrowseSort::Provider, limit, 0));
}

QList<SeriesEpisode> LibraryRig::episodes(const QString &seriesID)
{
    return awaitBlocking(store().loadSeriesEpisodes(seriesID, false));
}

MediaItem LibraryRig::seriesWithSeasons(int seasons)
{
    for (const MediaItem &series : items(CatalogueKind::Series)) {
        QList<int> numbers;
        for (const SeriesEpisode &episode : episodes(series.providerID)) {
            if (!numbers.contains(episode.seasonNumber))
                numbers.append(episode.seasonNumber);
        }
        if (numbers.size() >= seasons)
            return series;
    }
    throw std::runtime_error("no series has that many seasons");
}

void LibraryRig::saveProgress(const QString &providerID, CatalogueKind kind, qint64 position,
                              std::optional<qint64> duration, int age)
{
    SqliteStatement save = store().prepare(
        u"INSERT OR REPLACE INTO watch_progress (playlist_id, content_provider_id, content_kind, position_seconds, "
        "duration_seconds, updated_at) VALUES (?, ?, ?, ?, ?, ?)"_s);
    save.bind(1, m_playlist.id);
    save.bind(2, providerID);
    save.bind(3, kindText(kind));
    save.bind(4, position);
    if (duration)
        save.bind(5, *duration);
    else
        save.bindNull(5);
    save.bind(6, double(QDateTime::currentSecsSinceEpoch() - age));
    store().checkWrite(save);
}

void LibraryRig::execute(const QString &sql)
{
    (void)queryRows(harness().databasePath(), sql);
}
