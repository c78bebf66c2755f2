// Work on one provider source that pages start: a manual guide refresh, cancelling refreshes,
// the connection test, and editing or removing the playlist.
#include "CatalogueStore.h"

#include "Catalogue/CatalogueDatabase.h"
#include "Catalogue/ContentItemIndexes.h"
#include "Catalogue/ImmediateTransaction.h"
#include "Provider/XtreamAPIError.h"
#include "Provider/XtreamClient.h"
#include "Support/Async.h"
#include "Support/CancellationError.h"
#include "Support/Clock.h"
#include "Support/UserSettings.h"

#include <QPointer>

using namespace Qt::StringLiterals;

void CatalogueStore::refreshEPG(const Playlist &playlist)
{
    if (isRefreshing(playlist.id))
        return;
    // Not registered: only the guide import it starts can be cancelled.
    [](QPointer<CatalogueStore> self, Playlist playlist) -> QCoro::Task<void> {
        if (self)
            co_await self->runManualGuideRefresh(playlist);
    }(QPointer(this), playlist);
}

QCoro::Task<void> CatalogueStore::runManualGuideRefresh(Playlist playlist)
{
    QPointer<CatalogueStore> self(this);
    std::exception_ptr failure;
    try {
        const XtreamCredentials login = co_await m_credentials.read(playlist.credentialReference);
        if (!self)
            co_return;
        co_await refreshGuide(playlist.id, login);
    } catch (...) {
        failure = std::current_exception();
    }
    if (!self || !failure)
        co_return;
    const QString sentence = safeError(failure);
    updateHealth(playlist.id, [sentence](SourceHealth &health) { health.guideError = sentence; });
}

void CatalogueStore::cancelRefresh(qint64 playlistID)
{
    if (m_importTasks.contains(playlistID))
        m_importTasks.value(playlistID).cancel();
    if (m_guideTasks.contains(playlistID))
        m_guideTasks.value(playlistID).cancel();
}

bool CatalogueStore::isRefreshing(qint64 playlistID) const
{
    return m_importTasks.contains(playlistID) || m_guideTasks.contains(playlistID)
        || m_sourceMutations.contains(playlistID);
}

QSet<qint64> CatalogueStore::importingPlaylists() const
{
    return QSet<qint64>(m_importTasks.keyBegin(), m_importTasks.keyEnd());
}

QSet<qint64> CatalogueStore::guideRefreshingPlaylists() const
{
    return QSet<qint64>(m_guideTasks.keyBegin(), m_guideTasks.keyEnd());
}

void CatalogueStore::testConnection(const Playlist &playlist)
{
    if (!m_connectionTasks.contains(playlist.id))
        restartConnectionTest(playlist);
}

void CatalogueStore::restartConnectionTest(const Playlist &playlist)
{
    // A test already under way checks a login that may no longer be the playlist's: it stops,
    // records nothing, and leaves the entry to the new test.
    if (m_connectionTasks.contains(playlist.id))
        m_connectionTasks.take(playlist.id).cancel();
    m_connectionTasks.insert(playlist.id, Job<void>::start([self = QPointer(this), playlist](std::stop_token stop) -> QCoro::Task<void> {
        if (self)
            co_await self->runConnectionTest(playlist, stop);
    }));
    Q_EMIT refreshingChanged();
}

QCoro::Task<void> CatalogueStore::runConnectionTest(Playlist playlist, std::stop_token stop)
{
    QPointer<CatalogueStore> self(this);
    std::exception_ptr failure;
    try {
        const XtreamCredentials login = co_await m_credentials.read(playlist.credentialReference);
        CancellationError::throwIfRequested(stop);
        const XtreamClient client(login);
        co_await Async::detached([client, stop] { client.verifyCredentials(stop); });
    } catch (...) {
        failure = std::current_exception();
    }
    if (!self)
        co_return;
    // A cancelled test (its playlist is being removed, or its login was replaced) checked
    // nothing and records nothing.
    if (!stop.stop_requested()) {
        const QDateTime now = m_clock.now();
        const std::optional<QString> sentence = failure ? std::optional(safeError(failure)) : std::nullopt;
        updateHealth(playlist.id, [now, sentence](SourceHealth &health) {
            health.connectionChecked = now;
            health.connectionError = sentence;
        });
    }
    if (m_connectionTasks.value(playlist.id).gave(stop)) {
        m_connectionTasks.remove(playlist.id);
        Q_EMIT refreshingChanged();
    }
}

QCoro::Task<void> CatalogueStore::editPlaylist(Playlist playlist, QString name, QUrl serverURL, QString username,
                                               QString password)
{
    if (isRefreshing(playlist.id))
        throw XtreamAPIError::providerMessage(u"Cancel the active refresh before editing this playlist."_s);
    QPointer<CatalogueStore> self(this);
    const qint64 id = playlist.id;
    m_sourceMutations.insert(id);
    Q_EMIT refreshingChanged();
    std::exception_ptr failure;
    try {
        // The new item exists before the row points at it, and the old one goes only after, so
        // the playlist is never left without a readable login.
        const QString reference = co_await m_credentials.save(serverURL, username, password);
        if (!self)
            co_return;
        const QString path = m_databasePath;
        std::exception_ptr updateFailure;
        try {
            co_await Async::detached([path, name, serverURL, reference, id] {
                CatalogueDatabase database(path);
                database.execute(u"UPDATE playlists SET name=?,server_url=?,credential_ref=? WHERE id=?"_s,
                                 {name, serverURL.toString(QUrl::FullyEncoded), reference, QString::number(id)});
            });
        } catch (...) {
            updateFailure = std::current_exception();
        }
        if (!self)
            co_return;
        if (updateFailure) {
            try {
                co_await m_credentials.remove(reference);
            } catch (...) {
            }
            std::rethrow_exception(updateFailure);
        }
        try {
            co_await m_credentials.remove(playlist.credentialReference);
        } catch (...) {
        }
    } catch (...) {
        failure = std::current_exception();
    }
    if (self && !failure) {
        refreshSnapshot();
        if (const std::optional<Playlist> edited = this->playlist(id))
            restartConnectionTest(*edited);
    }
    if (self) {
        m_sourceMutations.remove(id);
        Q_EMIT refreshingChanged();
    }
    if (failure)
        std::rethrow_exception(failure);
}

QCoro::Task<void> CatalogueStore::removePlaylist(Playlist playlist)
{
    const qint64 id = playlist.id;
    // Another edit or removal of the playlist is under way: nothing is removed here, and the
    // caller must not report that it was.
    if (m_sourceMutations.contains(id))
        throw XtreamAPIError::providerMessage(u"This playlist is being changed. Try again once that has finished."_s);
    QPointer<CatalogueStore> self(this);
    m_sourceMutations.insert(id);
    Q_EMIT refreshingChanged();
    Q_EMIT playlistRemovalStarted(id);
    cancelRefresh(id);
    // The tasks' last health events and sync-state writes happen before the row goes.
    if (m_importTasks.contains(id)) {
        const Job<void> import = m_importTasks.value(id);
        co_await import.finished();
    }
    if (self && m_guideTasks.contains(id)) {
        const Job<int> guide = m_guideTasks.value(id);
        co_await guide.finished();
    }
    if (self && m_connectionTasks.contains(id)) {
        const Job<void> test = m_connectionTasks.value(id);
        test.cancel();
        co_await test.finished();
    }
    if (!self)
        co_return;

    const QString path = m_databasePath;
    std::exception_ptr deleteFailure;
    try {
        co_await Async::detached([path, id] {
            CatalogueDatabase database(path);
            // The playlist's items go with it; when they are most of the table, the indexes
            // and summaries are rebuilt over the rest rather than updated row by row.
            inImmediateTransaction(database, [&database, id] {
                ContentItemIndexes::writePlaylistItems(database, id, ContentItemIndexes::itemsOf(database, id), [&] {
                    database.execute(u"DELETE FROM playlists WHERE id=?"_s, {QString::number(id)});
                });
            });
        });
    } catch (...) {
        deleteFailure = std::current_exception();
    }
    if (!self)
        co_return;
    if (deleteFailure) {
        m_sourceMutations.remove(id);
        Q_EMIT refreshingChanged();
        std::rethrow_exception(deleteFailure);
    }
    // The row and all its data are gone: the clean-up is finished even when the keyring
    // refuses to forget the login, and that refusal is reported afterwards.
    std::exception_ptr keyringFailure;
    try {
        co_await m_credentials.remove(playlist.credentialReference);
    } catch (...) {
        keyringFailure = std::current_exception();
    }
    if (!self)
        co_return;
    m_health.remove(id);
    Q_EMIT healthChanged();
    UserSettings::remove(u"quillmere.health."_s + QString::number(id));
    refreshSnapshot();
    m_sourceMutations.remove(id);
    Q_EMIT refreshingChanged();
    if (keyringFailure)
        std::rethrow_exception(keyringFailure);
}
