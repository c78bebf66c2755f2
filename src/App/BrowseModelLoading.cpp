// The browse model's loading: refreshing categories and the first page when the data changed,
// reloading after a change of scope, search text or order, paging as rows come into view,
// mirroring favourite changes, and the channel list handed to the player. Every result that
// arrives after a newer reload began is dropped (the generation counter), so a slow query can
// never overwrite a newer list.
#include "BrowseModel.h"

#include "Catalogue/CataloguePageReader.h"
#include "Store/CatalogueStore.h"
#include "Support/Clock.h"
#include "Support/Settled.h"

#include <chrono>

using namespace std::chrono_literals;

namespace {

// Search typing reloads at most once per pause of this length.
constexpr auto searchDebounce = 220ms;
// The next page is fetched once one of the last this many loaded rows comes into view.
constexpr int prefetchRows = 30;

// The first non-empty field of a data key: the playlist it was taken for.
QStringView playlistField(const QString &key)
{
    const QList<QStringView> fields = QStringView(key).split(u'|', Qt::SkipEmptyParts);
    return fields.isEmpty() ? QStringView() : fields.constFirst();
}

QCoro::Task<qint64> countItems(CataloguePageReader &reader, std::optional<qint64> playlistID, CatalogueKind kind,
                               BrowseScope scope, QString query)
{
    if (!playlistID)
        co_return 0;
    const qint64 count = co_await reader.browseCount(*playlistID, kind, scope, query);
    co_return count;
}

} // namespace

QCoro::Task<void> BrowseModel::refreshIfNeeded()
{
    const QString key = dataKey();
    if (key == m_loadedFor)
        co_return;
    // The very first refresh has no playlist field and counts as a change of playlist.
    const bool samePlaylist = !m_loadedFor.isEmpty() && playlistField(m_loadedFor) == playlistField(key);
    // Taken before the first await, so that a second call during this refresh does nothing.
    m_loadedFor = key;

    QPointer<BrowseModel> self(this);
    co_await loadCategories();
    if (!self)
        co_return;
    if (!samePlaylist)
        setSelected(std::nullopt);
    // A new playlist gets back the scope kept for it; a category that an import removed cannot
    // be shown.
    const std::optional<BrowseScope> wanted = samePlaylist ? std::optional(m_scope) : savedScope();
    setScope(wanted && isAvailable(*wanted) ? *wanted : defaultScope());
    // The reload below serves any reload that the scope change scheduled.
    m_reloadTask.cancel();
    co_await reload();
}

QCoro::Task<void> BrowseModel::loadCategories()
{
    QPointer<BrowseModel> self(this);
    CataloguePageReader &reader = m_store.pageReader();
    // The reads are queued at once; the reader runs them one after the other.
    const std::optional<qint64> playlistID = m_store.activePlaylistID();
    auto categoriesRead = settle(reader.browseCategories(playlistID, m_kind));
    auto uncategorisedRead = settle(reader.uncategorisedCount(playlistID, m_kind));
    auto hiddenRead = settle(reader.hiddenLanguages());

    const Settled<QList<BrowseCategory>> categories = co_await std::move(categoriesRead);
    const Settled<qint64> uncategorised = co_await std::move(uncategorisedRead);
    if (const std::exception_ptr failure = categories.error ? categories.error : uncategorised.error) {
        if (self)
            setError(CatalogueStore::safeError(failure));
        co_await std::move(hiddenRead);
        co_return;
    }
    if (self)
        setCategories(*categories.value, *uncategorised.value);
    const Settled<QSet<QString>> hidden = co_await std::move(hiddenRead);
    if (!self)
        co_return;
    if (hidden.error)
        setError(CatalogueStore::safeError(hidden.error));
    else
        setHiddenLanguages(*hidden.value);
}

void BrowseModel::scheduleReload(bool debounce)
{
    m_reloadTask.cancel();
    m_reloadTask = Job<void>::start([self = QPointer(this), debounce](std::stop_token stop) {
        return runScheduledReload(self, debounce, std::move(stop));
    });
}

QCoro::Task<void> BrowseModel::runScheduledReload(QPointer<BrowseModel> self, bool debounce, std::stop_token stop)
{
    if (!self)
        co_return;
    if (debounce) {
        // A newer keystroke cancels this task; that only ends the wait early.
        Clock &clock = self->m_store.clock();
        (void)co_await clock.sleep(searchDebounce, stop);
    }
    if (stop.stop_requested() || !self)
        co_return;
    co_await self->reload();
}

QCoro::Task<void> BrowseModel::reload()
{
    const int token = ++m_generation;
    // The running page fetch belongs to the list being replaced; it clears its own handle.
    m_pageTask.cancel();
    setLoading(true);
    setError(std::nullopt);
    setExhausted(false);

    QPointer<BrowseModel> self(this);
    const Selection selection = currentSelection();
    CataloguePageReader &reader = m_store.pageReader();
    auto pageRead = settle(reader.browseItems(selection.playlistID, m_kind, selection.scope, selection.query,
                                              selection.sort, pageSize(), 0));
    auto countRead = settle(countItems(reader, selection.playlistID, m_kind, selection.scope, selection.query));
    const Settled<QList<MediaItem>> page = co_await std::move(pageRead);
    const Settled<qint64> count = co_await std::move(countRead);
    if (!self || m_generation != token)
        co_return;

    if (const std::exception_ptr failure = page.error ? page.error : count.error) {
        setItems({});
        setTotal(0);
        setError(CatalogueStore::safeError(failure));
        setLoading(false);
        co_return;
    }
    setItems(*page.value);
    setTotal(*count.value);
    setExhausted(page.value->size() < pageSize());
    // A selected channel that left the first page is no longer on screen; films and series keep
    // theirs, which the detail page shows.
    if (m_kind == CatalogueKind::Live && m_selected && m_items.indexOf(*m_selected) < 0)
        setSelected(std::nullopt);
    setLoading(false);
}

void BrowseModel::loadMoreIfNeeded(const MediaItem &item)
{
    if (m_exhausted || m_loading || m_pageTask.isValid() || m_items.items().isEmpty())
        return;
    const int row = m_items.lastIndexOf(item);
    if (row < 0 || row < m_items.rowCount() - prefetchRows)
        return;
    m_pageTask = Job<void>::start(
        [self = QPointer(this), selection = currentSelection(), token = m_generation,
         offset = m_items.rowCount()](std::stop_token stop) { return fetchPage(self, selection, token, offset, stop); });
}

QCoro::Task<void> BrowseModel::fetchPage(QPointer<BrowseModel> self, Selection selection, int token, int offset,
                                         std::stop_token stop)
{
    if (!self)
        co_return;
    CataloguePageReader &reader = self->m_store.pageReader();
    const CatalogueKind kind = self->m_kind;
    const int pageSize = self->pageSize();
    // A failed page is dropped quietly: the next row that comes into view tries again.
    const Settled<QList<MediaItem>> page = co_await settle(
        reader.browseItems(selection.playlistID, kind, selection.scope, selection.query, selection.sort, pageSize, offset));
    if (!self)
        co_return;
    if (page.value && !stop.stop_requested() && self->m_generation == token) {
        self->appendPage(*page.value);
        self->setExhausted(page.value->size() < pageSize);
    }
    self->m_pageTask = Job<void>();
}

void BrowseModel::setItems(const QList<MediaItem> &items)
{
    m_loadedIDs.clear();
    m_loadedIDs.reserve(items.size());
    for (const MediaItem &item : items)
        m_loadedIDs.insert(item.providerID);
    m_items.setItems(items);
}

// An import between two page reads can shift rows, so a page may repeat items already loaded;
// only the unseen ones are added. The loaded ids are kept, not gathered anew for every page,
// which at a hundred thousand loaded rows would hold up the frame that appends a page.
void BrowseModel::appendPage(const QList<MediaItem> &page)
{
    QList<MediaItem> unseen;
    for (const MediaItem &item : page) {
        if (!m_loadedIDs.contains(item.providerID)) {
            m_loadedIDs.insert(item.providerID);
            unseen.append(item);
        }
    }
    m_items.append(unseen);
}

void BrowseModel::updateFavourite(const MediaItem &item, bool saved)
{
    if (const int row = m_items.indexOf(item); row >= 0)
        m_items.setFavourite(row, saved);
    if (m_selected && m_selected->kind == item.kind && m_selected->providerID == item.providerID) {
        MediaItem selected = *m_selected;
        selected.isFavourite = saved;
        setSelected(selected);
    }
    if (m_scope.type() != BrowseScope::Type::Favourites || saved)
        return;
    for (int row = m_items.lastIndexOf(item); row >= 0; row = m_items.lastIndexOf(item))
        m_items.removeAt(row);
    m_loadedIDs.remove(item.providerID);
    // The item may lie beyond the loaded pages; the total counts it all the same.
    setTotal(std::max<qint64>(0, m_total - 1));
}

QCoro::Task<QList<MediaItem>> BrowseModel::channelQueue()
{
    if (m_kind != CatalogueKind::Live)
        co_return QList<MediaItem>();
    // Every channel of the scope is loaded already, in the order the list shows.
    if (m_query.isEmpty() && m_exhausted)
        co_return items();
    QPointer<BrowseModel> self(this);
    const Settled<QList<MediaItem>> queue =
        co_await settle(m_store.pageReader().channelQueue(m_store.activePlaylistID(), m_scope));
    if (queue.value)
        co_return *queue.value;
    if (!self)
        co_return QList<MediaItem>();
    co_return self->items();
}
