#include "HomePageModel.h"

#include "App/AppModel.h"
#include "Catalogue/CataloguePageReader.h"
#include "HomeText.h"
#include "Store/CatalogueStore.h"
#include "Support/Clock.h"
#include "Support/Settled.h"

#include <QVariantMap>

using namespace Qt::StringLiterals;

namespace {

// A shelf's rows, or none when its query failed: one shelf's failure never empties another.
template<typename T>
QList<T> rowsOrNone(const Settled<QList<T>> &result)
{
    return result.value.value_or(QList<T>());
}

QVariantMap tile(const QString &title, const QString &detail, const QString &icon, const QString &route)
{
    return {{u"title"_s, title}, {u"detail"_s, detail}, {u"icon"_s, icon}, {u"route"_s, route}};
}

} // namespace

HomePageModel::HomePageModel(QObject *parent)
    : PageModel(parent)
{
}

HomePageModel::~HomePageModel() = default;

void HomePageModel::start(AppModel &app)
{
    CatalogueStore *store = app.store();
    for (const auto signal : {&CatalogueStore::selectedPlaylistIDChanged, &CatalogueStore::playlistsChanged,
                              &CatalogueStore::libraryRevisionChanged, &CatalogueStore::catalogueRevisionChanged,
                              &CatalogueStore::categoryOrderRevisionChanged})
        connect(store, signal, this, &HomePageModel::reloadIfNeeded);
    for (const auto signal : {&CatalogueStore::snapshotChanged, &CatalogueStore::playlistsChanged,
                              &CatalogueStore::selectedPlaylistIDChanged})
        connect(store, signal, this, &HomePageModel::headerChanged);
    Q_EMIT headerChanged();
    reloadIfNeeded();
}

QString HomePageModel::greeting() const
{
    if (!app())
        return QString();
    return HomeText::greeting(app()->store()->clock().now().toLocalTime().time().hour());
}

QString HomePageModel::summary() const
{
    if (!app())
        return QString();
    const CatalogueStore &store = *app()->store();
    const std::optional<Playlist> playlist = store.activePlaylist();
    return HomeText::summary(store.clock().now(), playlist ? std::optional(playlist->name) : std::nullopt,
                             store.snapshot());
}

QVariantList HomePageModel::tiles() const
{
    const CatalogueSnapshot snapshot = app() ? app()->store()->snapshot() : CatalogueSnapshot();
    return {
        tile(u"Live TV"_s, HomeText::tileDetail(snapshot.liveCount, u"channels"_s), u"tv"_s, u"live"_s),
        tile(u"TV Guide"_s, u"What's on now"_s, u"calendar"_s, u"guide"_s),
        tile(u"Movies"_s, HomeText::tileDetail(snapshot.movieCount, u"titles"_s), u"film.stack"_s, u"movies"_s),
        tile(u"Series"_s, HomeText::tileDetail(snapshot.seriesCount, u"shows"_s), u"play.rectangle.on.rectangle"_s,
             u"series"_s),
    };
}

bool HomePageModel::showsEmptyHint() const
{
    return m_showsEmptyHint;
}

QString HomePageModel::taskKey() const
{
    const CatalogueStore &store = *app()->store();
    return QString::number(store.activePlaylistID().value_or(0)) + u'|' + QString::number(store.libraryRevision())
        + u'|' + QString::number(store.catalogueRevision()) + u'|' + QString::number(store.categoryOrderRevision());
}

void HomePageModel::reloadIfNeeded()
{
    m_load.run(taskKey(), this, [](HomePageModel &self, std::stop_token stop) {
        return load(QPointer(&self), std::move(stop));
    });
}

QCoro::Task<void> HomePageModel::load(QPointer<HomePageModel> self, std::stop_token stop)
{
    CataloguePageReader &reader = self->app()->store()->pageReader();
    const std::optional<qint64> playlistID = self->app()->store()->activePlaylistID();
    // All seven are queued at once; the reader answers them one after the other, and each shelf
    // is filled as soon as its own answer is in.
    auto inProgress = settle(reader.library(playlistID, {CatalogueKind::Movie, CatalogueKind::Series}, true, 20));
    auto channels = settle(reader.library(playlistID, {CatalogueKind::Live}, false, 20));
    auto favouriteChannels = settle(reader.favouriteItems(playlistID, CatalogueKind::Live, 30));
    auto favouriteMovies = settle(reader.favouriteItems(playlistID, CatalogueKind::Movie, 30));
    auto favouriteSeries = settle(reader.favouriteItems(playlistID, CatalogueKind::Series, 30));
    auto newMovies = settle(reader.recentlyAdded(playlistID, CatalogueKind::Movie, 24));
    auto newSeries = settle(reader.recentlyAdded(playlistID, CatalogueKind::Series, 24));
    const auto wanted = [&self, &stop] { return self && !stop.stop_requested(); };

    const auto continued = co_await std::move(inProgress);
    if (wanted())
        self->m_continueWatching.setEntries(rowsOrNone(continued));
    const auto watchedChannels = co_await std::move(channels);
    if (wanted()) {
        QList<MediaItem> items;
        for (const LibraryEntry &entry : rowsOrNone(watchedChannels))
            items.append(entry.item);
        self->m_recentChannels.setItems(items);
    }
    const auto favouriteChannelRows = co_await std::move(favouriteChannels);
    if (wanted())
        self->m_favouriteChannels.setItems(rowsOrNone(favouriteChannelRows));
    const auto favouriteMovieRows = co_await std::move(favouriteMovies);
    const auto favouriteSeriesRows = co_await std::move(favouriteSeries);
    if (wanted())
        self->m_favouriteTitles.setItems(rowsOrNone(favouriteMovieRows) + rowsOrNone(favouriteSeriesRows));
    const auto newMovieRows = co_await std::move(newMovies);
    if (wanted())
        self->m_newMovies.setItems(rowsOrNone(newMovieRows));
    const auto newSeriesRows = co_await std::move(newSeries);
    if (wanted()) {
        self->m_newSeries.setItems(rowsOrNone(newSeriesRows));
        self->setLoaded();
    }
}

void HomePageModel::setLoaded()
{
    if (!m_loaded) {
        m_loaded = true;
        Q_EMIT loadedChanged();
        setReady();
    }
    const bool hint = m_continueWatching.rowCount() == 0 && m_recentChannels.rowCount() == 0
        && m_favouriteChannels.rowCount() == 0 && m_newMovies.rowCount() == 0;
    if (hint != m_showsEmptyHint) {
        m_showsEmptyHint = hint;
        Q_EMIT showsEmptyHintChanged();
    }
}

const LibraryEntry *HomePageModel::continued(const QString &entryID) const
{
    const QList<LibraryEntry> &entries = m_continueWatching.entries();
    const auto found = std::find_if(entries.begin(), entries.end(),
                                    [&entryID](const LibraryEntry &entry) { return entry.id() == entryID; });
    return found == entries.end() ? nullptr : &*found;
}

void HomePageModel::resume(const QString &entryID)
{
    if (const LibraryEntry *entry = continued(entryID))
        app()->resume(*entry);
}

void HomePageModel::removeFromContinueWatching(const QString &entryID)
{
    const LibraryEntry *entry = continued(entryID);
    if (!entry)
        return;
    const QString providerID = entry->episode ? entry->episode->providerID : entry->item.providerID;
    // The store finishes the write even when this page is gone; the reload follows its revision.
    (void)app()->store()->removeFromHistory(providerID, entry->item.kind);
}

void HomePageModel::playChannel(MediaItemListModel *shelf, int row)
{
    if (shelf && row >= 0 && row < shelf->rowCount())
        app()->play(shelf->items().at(row), shelf->items(), true);
}

void HomePageModel::openPoster(MediaItemListModel *shelf, int row)
{
    if (!shelf || row < 0 || row >= shelf->rowCount())
        return;
    const MediaItem &item = shelf->items().at(row);
    if (item.kind == CatalogueKind::Live)
        app()->play(item, {}, true);
    else
        app()->setDetail(item);
}

void HomePageModel::clearRecentlyWatched()
{
    clearChannels(QPointer(app()));
}

QCoro::Task<void> HomePageModel::clearChannels(QPointer<AppModel> app)
{
    CatalogueStore &store = *app->store();
    // A failed write has the store's own error sentence, and no notice says it happened.
    const std::optional<bool> cleared = co_await store.clearHistory({CatalogueKind::Live});
    if (cleared && app)
        app->toast(u"Recently watched cleared"_s, ToastKind::Success);
}

void HomePageModel::openSearch()
{
    app()->setRoute(Route::Search);
    app()->setSearchFocusRequest(app()->searchFocusRequest() + 1);
}
