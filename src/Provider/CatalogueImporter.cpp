#include "CatalogueImporter.h"

#include "Catalogue/CatalogueDatabase.h"
#include "Catalogue/CatalogueSchema.h"
#include "Catalogue/ContentItemIndexes.h"
#include "Catalogue/ImmediateTransaction.h"

#include "Catalogue/CategoryLanguage.h"
#include "Provider/BatchPipeline.h"
#include "Provider/GuideLinks.h"
#include "Provider/XtreamAPIError.h"
#include "Provider/XtreamClient.h"
#include "Support/Async.h"
#include "Support/CancellationError.h"

#include <QLocale>

#include <algorithm>
#include <future>
#include <QMetaObject>

using namespace Qt::StringLiterals;

namespace {

const QString stagingScript = u"CREATE TEMP TABLE staged_categories AS SELECT * FROM categories WHERE 0;\n"
                              "CREATE UNIQUE INDEX temp.staged_category_id ON staged_categories(playlist_id,kind,provider_id);\n"
                              "CREATE TEMP TABLE staged_content AS SELECT * FROM content_items WHERE 0;\n"
                              "CREATE UNIQUE INDEX temp.staged_content_id ON staged_content(playlist_id,kind,provider_id);"_s;

// Serves the per-category count of the commit. Built once over the staged rows rather than kept
// up for every batch: a category's items arrive spread over the whole download, so keeping it
// up touched a page at another place for nearly every row, a tenth of the import's time.
const QString categoryLookupSQL = u"CREATE INDEX temp.staged_category_lookup ON staged_content(playlist_id,kind,category_id)"_s;

const QString insertCategorySQL = u"INSERT OR REPLACE INTO staged_categories (playlist_id,kind,provider_id,name,item_count,"
                                  "sort_order,language) VALUES (?,?,?,?,0,?,?)"_s;

const QString insertItemSQL = u"INSERT OR REPLACE INTO staged_content (playlist_id,kind,provider_id,category_id,title,"
                              "subtitle,epg_channel_id,epg_channel_key,artwork_url,container_extension,sort_number,rating,"
                              "added_at,genre) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?)"_s;

const QString deleteItemSliceSQL = u"DELETE FROM content_items WHERE rowid IN (SELECT rowid FROM content_items "
                                   "WHERE playlist_id = ? LIMIT 10000)"_s;

// The count is correlated on the playlist as well: every staged row belongs to this playlist,
// so the result is the same, and it lets the lookup index (which leads with the playlist)
// answer each category instead of a scan of all staged items per category.
const QString itemCountSQL = u"UPDATE staged_categories SET item_count = (SELECT COUNT(*) FROM staged_content i "
                             "WHERE i.playlist_id = staged_categories.playlist_id AND i.kind = staged_categories.kind "
                             "AND i.category_id = staged_categories.provider_id)"_s;

std::optional<QString> numberText(const std::optional<qint64> &value)
{
    return value ? std::optional(QString::number(*value)) : std::nullopt;
}

// The shortest text that reads back as the same double: a rating of four and a half is "4.5".
std::optional<QString> numberText(const std::optional<double> &value)
{
    return value ? std::optional(QString::number(*value, 'g', QLocale::FloatingPointShortest)) : std::nullopt;
}

// The planner's statistics follow the new catalogue in the same transaction, so that a reader
// that reloads the changed schema finds the new figures with it. A failure only keeps the old
// statistics; the catalogue goes in all the same.
void updateStatistics(CatalogueDatabase &database)
{
    database.execute(u"SAVEPOINT statistics"_s);
    try {
        CatalogueSchema::updateStatistics(database);
    } catch (const CatalogueDatabaseError &) {
        database.execute(u"ROLLBACK TO statistics"_s);
    }
    database.execute(u"RELEASE statistics"_s);
}

// A delete of many rows first lists all their row ids in memory (content_items has foreign keys,
// so SQLite cannot delete as it finds them); slices keep that list small for any catalogue.
void deleteItems(CatalogueDatabase &database, const QString &playlist)
{
    qint64 changes = -1;
    while (changes != database.totalChanges()) {
        changes = database.totalChanges();
        database.execute(deleteItemSliceSQL, {playlist});
    }
}

// Each batch is its own transaction, after a look at the token: a cancelled import stops
// between batches and never leaves one half written.
template<typename Write>
void writeBatch(CatalogueDatabase &database, const std::stop_token &stop, Write &&write)
{
    CancellationError::throwIfRequested(stop);
    inImmediateTransaction(database, std::forward<Write>(write));
}

} // namespace

CatalogueImporter::CatalogueImporter(QString databasePath, qint64 playlistID)
    : m_databasePath(std::move(databasePath))
    , m_playlistID(playlistID)
{
}

CatalogueImporter::~CatalogueImporter()
{
    // A report that can no longer be delivered must not hold the import up.
    m_closing = true;
}

QCoro::Task<void> CatalogueImporter::run(XtreamCredentials credentials, ProgressCallback progress, std::stop_token stop)
{
    // Each report is applied on the constructing thread before the import goes on, so that a
    // report can never land after the final commit and overwrite the state it wrote.
    ProgressCallback post = [this, progress = std::move(progress), stop](const QString &text, int percent) {
        auto applied = std::make_shared<std::promise<void>>();
        std::future<void> done = applied->get_future();
        QMetaObject::invokeMethod(
            &m_progressContext,
            [progress, text, percent, applied] {
                progress(text, percent);
                applied->set_value();
            },
            Qt::QueuedConnection);
        while (done.wait_for(std::chrono::milliseconds(50)) != std::future_status::ready) {
            CancellationError::throwIfRequested(stop);
            if (m_closing)
                throw CancellationError();
        }
    };
    auto work = [this, credentials = std::move(credentials), post = std::move(post), stop = std::move(stop)] {
        importCatalogue(credentials, post, stop);
    };
    co_await Async::onExecutor(m_executor, std::move(work));
}

void CatalogueImporter::importCatalogue(const XtreamCredentials &credentials, const ProgressCallback &progress,
                                           const std::stop_token &stop)
{
    const XtreamClient client(credentials);
    client.verifyCredentials(stop);

    // A connection for this run only: the staging tables are TEMP and go with it. Its page
    // cache keeps SQLite's small default: the staged rows go to the temporary file, and the
    // indexes rebuilt at the swap are sorted in buffers the size of that cache, so that the
    // import needs about the same memory for any size of catalogue.
    CatalogueDatabase database(m_databasePath);
    database.executeScript(stagingScript);
    // A batch's rollback journal only ever holds the staged pages that batch touched: kept in
    // memory it spares a file write and truncation per batch, and a failed batch still rolls
    // back whole. The staged rows themselves stay in the temporary file.
    database.execute(u"PRAGMA temp.journal_mode = MEMORY"_s);
    m_categoryOrder = 0;

    for (size_t step = 0; step < allCatalogueKinds.size(); ++step) {
        const CatalogueKind kind = allCatalogueKinds.at(step);
        const QString title = kindTitle(kind).toLower();
        const int base = 30 * int(step);
        progress(u"Downloading "_s + title + u" categories"_s, 2 + base);
        // Each list is read and decoded on a thread of its own while this one writes the
        // batches already decoded, in the order they came.
        runPipelined<QList<Category>>(
            [&](const XtreamClient::CategoryConsumer &emit, const std::stop_token &token) {
                client.consumeCategories(kind, emit, token);
            },
            [&](const QList<Category> &batch) { writeBatch(database, stop, [&] { insertCategories(database, batch); }); },
            stop);
        progress(u"Downloading "_s + title, 10 + base);
        // Items become their insert's binds there too, so that this thread only writes.
        runPipelined<QList<CatalogueDatabase::Binds>>(
            [&](const std::function<void(const QList<CatalogueDatabase::Binds> &)> &emit, const std::stop_token &token) {
                client.consumeContent(kind, [&](const QList<ContentItem> &batch) { emit(itemRows(batch)); }, token);
            },
            [&](const QList<CatalogueDatabase::Binds> &batch) {
                writeBatch(database, stop, [&] { insertItems(database, batch); });
            },
            stop);
        CancellationError::throwIfRequested(stop);
    }

    if (database.integer(u"SELECT COUNT(*) FROM staged_content"_s) < 1)
        throw XtreamAPIError::providerMessage(u"The provider returned an empty catalogue. Your previous catalogue has been kept."_s);
    progress(u"Saving catalogue"_s, 95);
    CancellationError::throwIfRequested(stop);
    database.execute(categoryLookupSQL);
    inImmediateTransaction(database, [&] {
        commit(database);
        updateStatistics(database);
    });
}

void CatalogueImporter::insertCategories(CatalogueDatabase &database, const QList<Category> &categories)
{
    const QString playlist = QString::number(m_playlistID);
    for (const Category &category : categories) {
        const int sortOrder = ++m_categoryOrder;
        database.execute(insertCategorySQL, {playlist, kindText(category.kind), category.providerID, category.name,
                                             QString::number(sortOrder), CategoryLanguage::detect(category.name).key});
    }
}

QList<CatalogueDatabase::Binds> CatalogueImporter::itemRows(const QList<ContentItem> &items) const
{
    const QString playlist = QString::number(m_playlistID);
    QList<CatalogueDatabase::Binds> rows;
    rows.reserve(items.size());
    for (const ContentItem &item : items) {
        const QString channelKey = guideChannelKey(item.epgChannelID.value_or(item.providerID));
        rows.append({playlist, kindText(item.kind), item.providerID, item.categoryID, item.title, item.subtitle,
                     item.epgChannelID, channelKey, item.artworkURL, item.containerExtension, numberText(item.sortNumber),
                     numberText(item.rating), numberText(item.addedAt), item.genre});
    }
    return rows;
}

void CatalogueImporter::insertItems(CatalogueDatabase &database, const QList<CatalogueDatabase::Binds> &rows)
{
    for (const CatalogueDatabase::Binds &row : rows)
        database.execute(insertItemSQL, row);
}

void CatalogueImporter::commit(CatalogueDatabase &database)
{
    const QString playlist = QString::number(m_playlistID);
    // The playlist may have been removed while the import ran: then there is nothing to fill.
    if (database.integer(u"SELECT COUNT(*) FROM playlists WHERE id = "_s + playlist) != 1)
        throw CancellationError();
    database.execute(itemCountSQL);
    database.execute(u"DELETE FROM categories WHERE playlist_id = ?"_s, {playlist});
    // The new rows and the old ones of this playlist go through one write, with the indexes and
    // summaries rebuilt afterwards when this catalogue is most of the table.
    const qint64 rows = std::max(database.integer(u"SELECT COUNT(*) FROM staged_content"_s),
                                 ContentItemIndexes::itemsOf(database, m_playlistID));
    ContentItemIndexes::writePlaylistItems(database, m_playlistID, rows, [&] {
        deleteItems(database, playlist);
        database.execute(u"INSERT INTO categories SELECT * FROM staged_categories"_s);
        database.execute(u"INSERT INTO content_items SELECT * FROM staged_content"_s);
    });
    // The provider's rows carry no title links to the guide; they are made again against the
    // guide that stays, so that a guide refresh that fails next leaves no channel without it.
    GuideLinks::relink(database, m_playlistID);
    database.execute(u"UPDATE playlists SET sync_state='ready',sync_progress=100,last_sync_at=unixepoch() WHERE id=?"_s, {playlist});
}
