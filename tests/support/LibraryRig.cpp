#include "LibraryRig.h"

#include "AwaitBlocking.h"
#include "TableSnapshot.h"

#include "App/AppModel.h"
#include "Catalogue/CataloguePageReader.h"
#include "Catalogue/SqliteStatement.h"
#include "Store/CatalogueStore.h"

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
    store().saveWatchPosition(m_playlist.id, providerID, kind, position, duration);
    if (age == 0)
        return;
    SqliteStatement older = store().prepare(
        u"UPDATE watch_progress SET updated_at=updated_at-? WHERE playlist_id=? AND content_provider_id=? "
        "AND content_kind=?"_s);
    older.bind(1, qint64(age));
    older.bind(2, m_playlist.id);
    older.bind(3, providerID);
    older.bind(4, kindText(kind));
    store().checkWrite(older);
}

void LibraryRig::execute(const QString &sql)
{
    (void)queryRows(harness().databasePath(), sql);
}
