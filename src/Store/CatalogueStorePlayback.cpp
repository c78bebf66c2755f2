// What the player needs of the store: the active login, stream addresses, favourites and
// resume positions.
#include "CatalogueStore.h"

#include "Provider/PlaybackURL.h"
#include "Support/Logging.h"
#include "Support/PrefKeys.h"

#include <sqlite3.h>

using namespace Qt::StringLiterals;

std::optional<XtreamCredentials> CatalogueStore::credentialsForSelectedPlaylist()
{
    const std::optional<Playlist> active = activePlaylist();
    if (!active) {
        qCCritical(lcCatalogue, "No active playlist is available while loading credentials. playlistCount=%lld",
                   qint64(m_playlists.size()));
        return std::nullopt;
    }
    if (std::optional<XtreamCredentials> login = cachedLogin(*active))
        return login;
    const QString reason = m_loginErrors.value(active->credentialReference,
                                               u"The login has not been read from the keyring yet."_s);
    qCCritical(lcCatalogue, "Credentials unavailable for active playlist id=%lld, name=%s: %s", active->id,
               qUtf8Printable(Logging::redacted(active->name)), qUtf8Printable(reason));
    return std::nullopt;
}

std::optional<XtreamCredentials> CatalogueStore::cachedLogin(const Playlist &playlist)
{
    std::optional<XtreamCredentials> login = m_credentials.cached(playlist.credentialReference);
    // Not read in this run (the keyring was locked at start-up, say): read it now, so that the
    // next request finds it.
    if (!login)
        readLoginInBackground(playlist.credentialReference);
    return login;
}

std::optional<QUrl> CatalogueStore::playbackURL(const CatalogueItem &item, CatalogueKind kind)
{
    const std::optional<Playlist> active = activePlaylist();
    if (!active)
        return std::nullopt;
    const std::optional<XtreamCredentials> login = cachedLogin(*active);
    if (!login)
        return std::nullopt;
    const QString liveFormat = Prefs::read(PrefKeys::liveFormat);
    return PlaybackURL::make(*login, item.id, kind, item.containerExtension, liveFormat);
}

bool CatalogueStore::isFavourite(const CatalogueItem &item, CatalogueKind kind, std::optional<qint64> playlistID)
{
    const std::optional<qint64> target = playlistID ? playlistID : m_selectedPlaylistID;
    if (!target)
        return false;
    SqliteStatement statement =
        prepare(u"SELECT 1 FROM favourites WHERE playlist_id = ? AND content_provider_id = ? AND kind = ? LIMIT 1"_s);
    if (!statement)
        return false;
    statement.bind(1, *target);
    statement.bind(2, item.id);
    statement.bind(3, kindText(kind));
    return statement.step() == SQLITE_ROW;
}

void CatalogueStore::setFavourite(const CatalogueItem &item, CatalogueKind kind, bool isFavourite,
                                  std::optional<qint64> playlistID)
{
    const std::optional<qint64> target = playlistID ? playlistID : m_selectedPlaylistID;
    if (!target)
        return;
    SqliteStatement statement = prepare(
        isFavourite
            ? u"INSERT OR REPLACE INTO favourites (playlist_id, content_provider_id, kind, created_at) VALUES (?, ?, ?, strftime('%s', 'now'))"_s
            : u"DELETE FROM favourites WHERE playlist_id = ? AND content_provider_id = ? AND kind = ?"_s);
    if (!statement)
        return;
    statement.bind(1, *target);
    statement.bind(2, item.id);
    statement.bind(3, kindText(kind));
    checkWrite(statement);
    bumpLibraryRevision();
}

double CatalogueStore::resumePosition(const QString &providerID, CatalogueKind kind)
{
    if (kind == CatalogueKind::Live || !m_selectedPlaylistID)
        return 0;
    SqliteStatement statement = prepare(
        u"SELECT position_seconds,duration_seconds FROM watch_progress WHERE playlist_id=? AND content_provider_id=? AND content_kind=?"_s);
    if (!statement)
        return 0;
    statement.bind(1, *m_selectedPlaylistID);
    statement.bind(2, providerID);
    statement.bind(3, kind == CatalogueKind::Series ? u"series"_s : u"movie"_s);
    if (statement.step() != SQLITE_ROW)
        return 0;
    const double position = sqlite3_column_double(statement.handle(), 0);
    const double duration = sqlite3_column_double(statement.handle(), 1);
    // Near the start or within the last half-minute, a title starts over.
    const bool resumable = position > 30 && (duration == 0 || position < duration - 30);
    return resumable ? position : 0;
}
