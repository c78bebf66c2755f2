// The store's playlists: listing, the active playlist, selection and adding.
#include "CatalogueStore.h"

#include "Catalogue/SqliteRow.h"
#include "Support/PrefKeys.h"
#include "Support/UserSettings.h"

#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace {

bool isReady(const Playlist &playlist)
{
    return playlist.syncState == u"ready"_s;
}

} // namespace

QList<Playlist> CatalogueStore::loadPlaylists()
{
    SqliteStatement statement = prepare(u"SELECT id, name, server_url, credential_ref, sync_state, sync_progress, last_sync_at\n"
                                        "FROM playlists\n"
                                        "ORDER BY CASE WHEN last_selected_at IS NULL THEN 1 ELSE 0 END,\n"
                                        "last_selected_at DESC,\n"
                                        "name COLLATE NOCASE"_s);
    QList<Playlist> playlists;
    if (!statement)
        return playlists;
    while (statement.step() == SQLITE_ROW) {
        const SqliteRow row = statement.row();
        const std::optional<QString> name = row.text(1);
        const std::optional<QString> server = row.text(2);
        if (!name || !server)
            continue;
        const QUrl serverURL(*server, QUrl::StrictMode);
        if (server->isEmpty() || !serverURL.isValid())
            continue;
        Playlist playlist;
        playlist.id = row.integer(0).value_or(0);
        playlist.name = *name;
        playlist.serverURL = serverURL;
        playlist.credentialReference = row.text(3).value_or(QString());
        playlist.syncState = row.text(4).value_or(u"queued"_s);
        playlist.syncProgress = int(row.integer(5).value_or(0));
        playlist.lastSyncedAt = row.moment(6);
        playlists.append(playlist);
    }
    return playlists;
}

std::optional<Playlist> CatalogueStore::playlist(qint64 id) const
{
    const auto found = std::find_if(m_playlists.cbegin(), m_playlists.cend(),
                                    [id](const Playlist &playlist) { return playlist.id == id; });
    return found == m_playlists.cend() ? std::nullopt : std::optional(*found);
}

std::optional<qint64> CatalogueStore::activePlaylistID() const
{
    return m_selectedPlaylistID ? m_selectedPlaylistID : fallbackPlaylistID();
}

std::optional<qint64> CatalogueStore::fallbackPlaylistID() const
{
    const auto ready = std::find_if(m_playlists.cbegin(), m_playlists.cend(), isReady);
    if (ready != m_playlists.cend())
        return ready->id;
    if (!m_playlists.isEmpty())
        return m_playlists.constFirst().id;
    return std::nullopt;
}

int CatalogueStore::readyPlaylistCount() const
{
    return int(std::count_if(m_playlists.cbegin(), m_playlists.cend(), isReady));
}

std::optional<Playlist> CatalogueStore::activePlaylist() const
{
    const std::optional<qint64> id = activePlaylistID();
    return id ? playlist(*id) : std::nullopt;
}

void CatalogueStore::selectPlaylist(qint64 id)
{
    if (!playlist(id))
        return;
    setSelectedPlaylistID(id);
    UserSettings::setValue(PrefKeys::activePlaylistID.key.toString(), id);
    if (SqliteStatement statement = prepare(u"UPDATE playlists SET last_selected_at = strftime('%s', 'now') WHERE id = ?"_s)) {
        statement.bind(1, id);
        checkWrite(statement);
    }
    refreshSnapshot();
}

std::optional<Playlist> CatalogueStore::addPlaylist(const QString &name, const QUrl &serverURL,
                                                       const QString &credentialReference)
{
    SqliteStatement statement = prepare(u"INSERT INTO playlists (name, server_url, credential_ref) VALUES (?, ?, ?)"_s);
    if (!statement)
        return std::nullopt;
    statement.bind(1, name);
    statement.bind(2, serverURL.toString(QUrl::FullyEncoded));
    statement.bind(3, credentialReference);
    if (statement.step() != SQLITE_DONE || !m_database)
        return std::nullopt;
    const qint64 id = sqlite3_last_insert_rowid(m_database);
    refreshSnapshot();
    const std::optional<Playlist> added = playlist(id);
    if (added)
        startImport(*added);
    return added;
}
