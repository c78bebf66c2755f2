#include "SyncToasts.h"

#include "App/AppModel.h"
#include "Store/CatalogueStore.h"

using namespace Qt::StringLiterals;

SyncToasts::SyncToasts(AppModel &app, QObject *parent)
    : QObject(parent)
    , m_app(app)
{
    const CatalogueStore &store = *m_app.store();
    // What runs when the shell first shows is not a change: it is not taken in until the set of
    // running jobs next changes.
    m_lastSeen = store.importingPlaylists() + store.guideRefreshingPlaylists();
    connect(&store, &CatalogueStore::refreshingChanged, this, &SyncToasts::update);
}

std::optional<QString> SyncToasts::runError(const SourceHealth &health, bool imported)
{
    if (imported && health.catalogueError)
        return health.catalogueError;
    return health.guideError;
}

void SyncToasts::update()
{
    const CatalogueStore &store = *m_app.store();
    const QSet<qint64> importing = store.importingPlaylists();
    const QSet<qint64> running = importing + store.guideRefreshingPlaylists();
    if (running == m_lastSeen)
        return;
    m_lastSeen = running;

    for (const qint64 id : importing)
        m_imported.insert(id);
    const QSet<qint64> finished = m_running - running;
    for (const qint64 id : finished) {
        const bool imported = m_imported.contains(id);
        m_imported.remove(id);
        // The removal of a playlist cancels its refresh and waits for it before the playlist
        // leaves the list: a refresh that ends under way to removal is not worth a word.
        const auto playlist = std::find_if(store.playlists().cbegin(), store.playlists().cend(),
                                           [id](const Playlist &candidate) { return candidate.id == id; });
        if (playlist == store.playlists().cend() || store.sourceMutations().contains(id))
            continue;
        const std::optional<QString> error = runError(store.health().value(id), imported);
        if (error)
            m_app.toast(playlist->name + u": "_s + *error, ToastKind::Error);
        else
            m_app.toast(playlist->name + u" is up to date"_s, ToastKind::Success);
    }
    m_running = running;
}
