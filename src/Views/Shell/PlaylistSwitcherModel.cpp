#include "PlaylistSwitcherModel.h"

#include "App/AppModel.h"
#include "Store/CatalogueStore.h"

#include <QTextBoundaryFinder>
#include <QVariantMap>

using namespace Qt::StringLiterals;

void PlaylistSwitcherModel::start(AppModel &app)
{
    CatalogueStore *store = app.store();
    for (const auto signal : {&CatalogueStore::playlistsChanged, &CatalogueStore::selectedPlaylistIDChanged,
                              &CatalogueStore::activityChanged, &CatalogueStore::refreshingChanged,
                              &CatalogueStore::snapshotChanged}) {
        connect(store, signal, this, &PlaylistSwitcherModel::changed);
    }
    Q_EMIT changed();
}

std::optional<Playlist> PlaylistSwitcherModel::active() const
{
    return app() ? app()->store()->activePlaylist() : std::nullopt;
}

bool PlaylistSwitcherModel::hasActive() const
{
    return active().has_value();
}

QString PlaylistSwitcherModel::initial() const
{
    const std::optional<Playlist> playlist = active();
    return initialOf(playlist ? std::optional(playlist->name) : std::nullopt);
}

QString PlaylistSwitcherModel::name() const
{
    const std::optional<Playlist> playlist = active();
    return playlist ? playlist->name : u"No playlist"_s;
}

QString PlaylistSwitcherModel::status() const
{
    const std::optional<Playlist> playlist = active();
    if (!playlist)
        return statusText(std::nullopt, std::nullopt, false, {});
    const CatalogueStore &store = *app()->store();
    const auto activity = store.activity().constFind(playlist->id);
    return statusText(playlist, activity == store.activity().cend() ? std::nullopt : std::optional(*activity),
                      store.guideRefreshingPlaylists().contains(playlist->id), store.snapshot());
}

bool PlaylistSwitcherModel::isRefreshing() const
{
    const std::optional<Playlist> playlist = active();
    return playlist && app()->store()->isRefreshing(playlist->id);
}

QVariantList PlaylistSwitcherModel::playlists() const
{
    if (!app())
        return {};
    const CatalogueStore &store = *app()->store();
    const std::optional<qint64> activeID = store.activePlaylistID();
    QVariantList list;
    for (const Playlist &playlist : store.playlists()) {
        list.append(QVariantMap{
            {u"id"_s, playlist.id},
            {u"name"_s, playlist.name},
            {u"active"_s, activeID == playlist.id},
        });
    }
    return list;
}

void PlaylistSwitcherModel::select(qint64 playlistID)
{
    CatalogueStore &store = *app()->store();
    const auto playlist = std::find_if(store.playlists().cbegin(), store.playlists().cend(),
                                       [playlistID](const Playlist &candidate) { return candidate.id == playlistID; });
    if (playlist == store.playlists().cend())
        return;
    const QString name = playlist->name;
    store.selectPlaylist(playlistID);
    app()->toast(u"Switched to "_s + name, ToastKind::Info);
}

void PlaylistSwitcherModel::refresh()
{
    if (const std::optional<Playlist> playlist = active(); playlist)
        app()->store()->startImport(*playlist);
}

void PlaylistSwitcherModel::refreshGuide()
{
    if (const std::optional<Playlist> playlist = active(); playlist)
        app()->store()->refreshEPG(*playlist);
}

void PlaylistSwitcherModel::cancelRefresh()
{
    if (const std::optional<Playlist> playlist = active())
        app()->store()->cancelRefresh(playlist->id);
}

void PlaylistSwitcherModel::manage()
{
    app()->setRoute(Route::Playlists);
}

QString PlaylistSwitcherModel::initialOf(const std::optional<QString> &name)
{
    if (!name || name->isEmpty())
        return u"+"_s;
    // One whole character, even where it takes several code units.
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, *name);
    const qsizetype end = graphemes.toNextBoundary();
    return name->left(end > 0 ? end : 1).toUpper();
}

QString PlaylistSwitcherModel::titleCount(qint64 count)
{
    return count < 1000 ? QString::number(count) : QString::number(count / 1000) + u"k"_s;
}

QString PlaylistSwitcherModel::statusText(const std::optional<Playlist> &active, const std::optional<QString> &activity,
                                          bool guideRefreshing, const CatalogueSnapshot &snapshot)
{
    if (!active)
        return u"Add a playlist"_s;
    if (activity) {
        if (active->syncProgress >= 1 && active->syncProgress <= 99)
            return *activity + u" · "_s + QString::number(active->syncProgress) + u"%"_s;
        return *activity;
    }
    if (guideRefreshing)
        return u"Updating TV guide…"_s;
    if (active->syncState == u"error"_s)
        return u"Refresh failed"_s;
    return u"Ready · "_s + titleCount(snapshot.liveCount + snapshot.movieCount + snapshot.seriesCount) + u" titles"_s;
}
