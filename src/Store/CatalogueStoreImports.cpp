// Catalogue import jobs: at most one per playlist, with sync states, progress and activity.
#include "CatalogueStore.h"

#include "Provider/CatalogueImporter.h"
#include "Support/CancellationError.h"
#include "Support/Clock.h"

#include <QPointer>

using namespace Qt::StringLiterals;

void CatalogueStore::startQueuedImports()
{
    const QList<Playlist> playlists = m_playlists;
    for (const Playlist &playlist : playlists) {
        if (playlist.syncState == u"queued"_s || playlist.syncState == u"interrupted"_s)
            startImport(playlist);
    }
}

void CatalogueStore::startImport(const Playlist &playlist)
{
    const qint64 id = playlist.id;
    if (m_importTasks.contains(id) || m_guideTasks.contains(id) || m_sourceMutations.contains(id))
        return;
    const QDateTime now = m_clock.now();
    updateHealth(id, [now](SourceHealth &health) {
        health.catalogueAttempt = now;
        health.catalogueError.reset();
    });
    setActivity(id, u"Connecting to provider"_s);
    m_importTasks.insert(id, Job<void>::start([self = QPointer(this), playlist](std::stop_token stop) -> QCoro::Task<void> {
        if (!self)
            co_return;
        std::exception_ptr failure;
        bool cancelled = false;
        try {
            co_await self->runImport(playlist, stop);
        } catch (const CancellationError &) {
            cancelled = true;
        } catch (...) {
            failure = std::current_exception();
        }
        if (self)
            self->finishImport(playlist.id, failure, cancelled, stop.stop_requested());
    }));
    Q_EMIT refreshingChanged();
}

QCoro::Task<void> CatalogueStore::runImport(Playlist playlist, std::stop_token stop)
{
    QPointer<CatalogueStore> self(this);
    const qint64 id = playlist.id;
    updateSyncState(id, u"syncing"_s, 1);
    const XtreamCredentials login = co_await m_credentials.read(playlist.credentialReference);
    if (!self)
        co_return;
    CatalogueImporter importer(m_databasePath, id);
    co_await importer.run(
        login,
        [self, id](const QString &step, int percent) {
            // A report that arrives after the job ended must not overwrite its final state.
            if (!self || !self->m_importTasks.contains(id))
                return;
            self->setActivity(id, step);
            self->updateSyncState(id, u"syncing"_s, percent);
        },
        stop);
    if (!self)
        co_return;
    const QDateTime now = m_clock.now();
    updateHealth(id, [now](SourceHealth &health) {
        health.lastCatalogueSuccess = now;
        health.catalogueError.reset();
    });
    setActivity(id, u"Refreshing TV guide"_s);
    refreshSnapshot();
    bumpCatalogueRevision();
    try {
        co_await refreshGuide(id, login);
    } catch (const CancellationError &) {
        throw CancellationError();
    } catch (...) {
        // The guide refresh has recorded its own failure; the catalogue is in.
    }
}

void CatalogueStore::finishImport(qint64 playlistID, const std::exception_ptr &failure, bool cancelled,
                                  bool jobCancelled)
{
    if (cancelled) {
        updateSyncState(playlistID, u"interrupted"_s, 0);
        updateHealth(playlistID, [](SourceHealth &health) {
            health.catalogueError = u"Refresh cancelled. The last completed catalogue is still available."_s;
        });
    } else if (failure) {
        updateSyncState(playlistID, jobCancelled ? u"interrupted"_s : u"error"_s, 0);
        const QString sentence = safeError(failure);
        updateHealth(playlistID, [sentence](SourceHealth &health) { health.catalogueError = sentence; });
    }
    removeActivity(playlistID);
    m_importTasks.remove(playlistID);
    Q_EMIT refreshingChanged();
    refreshSnapshot();
}

void CatalogueStore::updateSyncState(qint64 id, const QString &state, int progress)
{
    SqliteStatement statement = prepare(
        u"UPDATE playlists SET sync_state = ?, sync_progress = ?, last_sync_at = CASE WHEN ? = 'ready' THEN strftime('%s', 'now') ELSE last_sync_at END WHERE id = ?"_s);
    if (!statement)
        return;
    const int clamped = std::clamp(progress, 0, 100);
    statement.bind(1, state);
    statement.bind(2, qint64(clamped));
    statement.bind(3, state);
    statement.bind(4, id);
    checkWrite(statement);
    const auto listed = std::find_if(m_playlists.begin(), m_playlists.end(),
                                     [id](const Playlist &playlist) { return playlist.id == id; });
    if (listed == m_playlists.end())
        return;
    listed->syncState = state;
    listed->syncProgress = clamped;
    Q_EMIT playlistsChanged();
    m_snapshot.readyPlaylistCount = readyPlaylistCount();
    Q_EMIT snapshotChanged();
}
