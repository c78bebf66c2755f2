// Series episode lists: served from the database while fresh, fetched from the provider
// otherwise, and never replaced by an empty answer.
#include "CatalogueStore.h"

#include "Catalogue/CatalogueDatabase.h"
#include "Catalogue/ImmediateTransaction.h"
#include "Catalogue/SqliteRow.h"
#include "Provider/XtreamAPIError.h"
#include "Provider/XtreamClient.h"
#include "Support/Async.h"
#include "Support/CancellationError.h"
#include "Support/Clock.h"
#include "Support/UserSettings.h"

#include <QPointer>

#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace {

constexpr qint64 freshnessSeconds = 4 * 60 * 60;

QString freshnessKey(qint64 playlistID, const QString &seriesID)
{
    return u"quillmere.episodes."_s + QString::number(playlistID) + u'.' + seriesID;
}

std::optional<QString> decimal(const std::optional<qint64> &value)
{
    return value ? std::optional(QString::number(*value)) : std::nullopt;
}

void saveEpisodes(const QString &databasePath, qint64 playlistID, const QString &seriesID,
                  const QList<SeriesEpisode> &episodes)
{
    CatalogueDatabase database(databasePath);
    inImmediateTransaction(database, [&] {
        database.execute(u"DELETE FROM series_episodes WHERE playlist_id=? AND series_id=?"_s,
                         {QString::number(playlistID), seriesID});
        for (const SeriesEpisode &episode : episodes) {
            const std::optional<QString> artwork = episode.artworkURL
                ? std::optional(episode.artworkURL->toString(QUrl::FullyEncoded))
                : std::nullopt;
            database.execute(
                u"INSERT INTO series_episodes(playlist_id,series_id,provider_id,season_number,episode_number,title,plot,artwork_url,container_extension,duration_seconds) VALUES(?,?,?,?,?,?,?,?,?,?)"_s,
                {QString::number(playlistID), episode.seriesID, episode.providerID, QString::number(episode.seasonNumber),
                 QString::number(episode.episodeNumber), episode.title, episode.plot, artwork,
                 episode.containerExtension, decimal(episode.durationSeconds)});
        }
    });
}

} // namespace

QList<SeriesEpisode> CatalogueStore::cachedSeriesEpisodes(const QString &seriesID, qint64 playlistID)
{
    SqliteStatement statement = prepare(
        u"SELECT provider_id, season_number, episode_number, title, plot, artwork_url, container_extension, duration_seconds FROM series_episodes WHERE playlist_id = ? AND series_id = ? ORDER BY season_number, episode_number, provider_id"_s);
    QList<SeriesEpisode> episodes;
    if (!statement)
        return episodes;
    statement.bind(1, playlistID);
    statement.bind(2, seriesID);
    while (statement.step() == SQLITE_ROW) {
        const SqliteRow row = statement.row();
        const std::optional<QString> providerID = row.text(0);
        const std::optional<QString> title = row.text(3);
        if (!providerID || !title)
            continue;
        SeriesEpisode episode;
        episode.seriesID = seriesID;
        episode.providerID = *providerID;
        episode.seasonNumber = int(row.integer(1).value_or(0));
        episode.episodeNumber = int(row.integer(2).value_or(0));
        episode.title = *title;
        episode.plot = row.text(4);
        episode.artworkURL = optionalAddress(row.text(5));
        episode.containerExtension = row.text(6);
        episode.durationSeconds = row.integer(7);
        episodes.append(episode);
    }
    return episodes;
}

QCoro::Task<QList<SeriesEpisode>> CatalogueStore::loadSeriesEpisodes(QString seriesID, bool forceRefresh,
                                                                     std::stop_token stop)
{
    const std::optional<Playlist> active = activePlaylist();
    if (!active)
        throw XtreamAPIError::providerMessage(u"No active playlist is selected."_s);
    const qint64 playlistID = active->id;
    const QList<SeriesEpisode> cached = cachedSeriesEpisodes(seriesID, playlistID);
    const QString key = freshnessKey(playlistID, seriesID);
    const std::optional<QDateTime> savedAt = UserSettings::date(key);
    const bool fresh = savedAt && savedAt->secsTo(m_clock.now()) < freshnessSeconds;
    if (!forceRefresh && !cached.isEmpty() && fresh)
        co_return cached;

    QPointer<CatalogueStore> self(this);
    const XtreamCredentials login = co_await m_credentials.read(active->credentialReference);
    const XtreamClient client(login);
    QList<SeriesEpisode> fetched = co_await Async::detached([client, seriesID, stop] {
        return client.fetchSeriesEpisodes(seriesID, stop);
    });
    if (!self)
        throw CancellationError();
    CancellationError::throwIfRequested(stop);
    if (fetched.isEmpty() && !cached.isEmpty())
        throw XtreamAPIError::providerMessage(
            u"The provider returned no episodes. Your saved episode list has been kept; try Refresh episodes again later."_s);
    const QString path = m_databasePath;
    co_await Async::detached([path, playlistID, seriesID, fetched] { saveEpisodes(path, playlistID, seriesID, fetched); });
    if (self)
        UserSettings::setValue(key, m_clock.now());
    co_return fetched;
}
