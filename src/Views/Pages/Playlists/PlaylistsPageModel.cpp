#include "PlaylistsPageModel.h"

#include "App/AppModel.h"
#include "Store/CatalogueStore.h"
#include "Support/Clock.h"

using namespace Qt::StringLiterals;

PlaylistsPageModel::~PlaylistsPageModel()
{
    m_ticker.cancel();
}

void PlaylistsPageModel::start(AppModel &app)
{
    CatalogueStore *store = app.store();
    for (const auto signal : {&CatalogueStore::playlistsChanged, &CatalogueStore::selectedPlaylistIDChanged,
                              &CatalogueStore::healthChanged, &CatalogueStore::activityChanged,
                              &CatalogueStore::refreshingChanged})
        connect(store, signal, this, &PlaylistsPageModel::updateCards);
    updateCards();
    setReady();
    m_ticker = Job<void>::start([self = QPointer(this), &clock = store->clock()](std::stop_token stop) {
        return tick(self, clock, stop);
    });
}

QCoro::Task<void> PlaylistsPageModel::tick(QPointer<PlaylistsPageModel> self, Clock &clock, std::stop_token stop)
{
    using namespace std::chrono_literals;
    while (co_await clock.sleep(60s, stop)) {
        if (!self)
            co_return;
        self->updateCards();
    }
}

void PlaylistsPageModel::updateCards()
{
    const CatalogueStore &store = *app()->store();
    const std::optional<qint64> active = store.activePlaylistID();
    const QSet<qint64> importing = store.importingPlaylists();
    const QDateTime now = store.clock().now();
    QList<PlaylistCard> cards;
    for (const Playlist &playlist : store.playlists()) {
        PlaylistCard::Status status;
        status.health = store.health().value(playlist.id);
        status.active = active == playlist.id;
        status.refreshing = store.isRefreshing(playlist.id);
        status.importing = importing.contains(playlist.id);
        if (store.activity().contains(playlist.id))
            status.activity = store.activity().value(playlist.id);
        cards.append(PlaylistCard::make(playlist, status, now));
    }
    m_cards.setCards(cards);
}

std::optional<Playlist> PlaylistsPageModel::listed(qint64 playlistID) const
{
    if (!app())
        return std::nullopt;
    const QList<Playlist> &playlists = app()->store()->playlists();
    const auto found = std::find_if(playlists.begin(), playlists.end(),
                                    [playlistID](const Playlist &playlist) { return playlist.id == playlistID; });
    return found == playlists.end() ? std::nullopt : std::optional(*found);
}

std::optional<Playlist> PlaylistsPageModel::idle(qint64 playlistID) const
{
    const std::optional<Playlist> playlist = listed(playlistID);
    return playlist && !app()->store()->isRefreshing(playlistID) ? playlist : std::nullopt;
}

QString PlaylistsPageModel::removeTitle() const
{
    return u"Remove \u201c"_s + (m_removing ? m_removing->name : QString()) + u"\u201d?"_s;
}

void PlaylistsPageModel::use(qint64 playlistID)
{
    const std::optional<Playlist> playlist = listed(playlistID);
    if (!playlist)
        return;
    app()->store()->selectPlaylist(playlistID);
    app()->toast(u"Switched to "_s + playlist->name, ToastKind::Success);
}

void PlaylistsPageModel::refresh(qint64 playlistID)
{
    if (const std::optional<Playlist> playlist = idle(playlistID))
        app()->store()->startImport(*playlist);
}

void PlaylistsPageModel::refreshGuide(qint64 playlistID)
{
    if (const std::optional<Playlist> playlist = idle(playlistID))
        app()->store()->refreshEPG(*playlist);
}

void PlaylistsPageModel::cancelRefresh(qint64 playlistID)
{
    if (app())
        app()->store()->cancelRefresh(playlistID);
}

void PlaylistsPageModel::testConnection(qint64 playlistID)
{
    if (const std::optional<Playlist> playlist = idle(playlistID))
        app()->store()->testConnection(*playlist);
}

void PlaylistsPageModel::askToRemove(qint64 playlistID)
{
    if (const std::optional<Playlist> playlist = idle(playlistID))
        setRemoving(playlist);
}

void PlaylistsPageModel::dismissRemove()
{
    setRemoving(std::nullopt);
}

void PlaylistsPageModel::removeConfirmed()
{
    if (!m_removing)
        return;
    const Playlist playlist = *m_removing;
    setRemoving(std::nullopt);
    // Not tied to the page: the notice follows even when the user has moved on.
    remove(QPointer(app()), playlist);
}

QCoro::Task<void> PlaylistsPageModel::remove(QPointer<AppModel> app, Playlist playlist)
{
    std::exception_ptr failure;
    try {
        co_await app->store()->removePlaylist(playlist);
    } catch (...) {
        failure = std::current_exception();
    }
    if (!app)
        co_return;
    if (failure)
        app->toast(CatalogueStore::safeError(failure), ToastKind::Error);
    else
        app->toast(playlist.name + u" removed"_s, ToastKind::Success);
}

void PlaylistsPageModel::setRemoving(const std::optional<Playlist> &playlist)
{
    if (m_removing == playlist)
        return;
    m_removing = playlist;
    Q_EMIT removingChanged();
}
