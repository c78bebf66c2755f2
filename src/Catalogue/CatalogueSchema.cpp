#include "CatalogueSchema.h"

#include "Catalogue/CategoryLanguage.h"
#include "CatalogueDatabase.h"
#include "ContentItemIndexes.h"
#include "ImmediateTransaction.h"
#include "SqliteRow.h"
#include "SqliteStatement.h"

#include <QHash>

#include <sqlite3.h>

#include <algorithm>
#include <span>

using namespace Qt::StringLiterals;

namespace {

struct ColumnMigration
{
    QLatin1StringView table;
    QLatin1StringView column;
    QLatin1StringView definition;
};

constexpr auto creationScript = R"(PRAGMA journal_mode = WAL;
PRAGMA foreign_keys = ON;
CREATE TABLE IF NOT EXISTS playlists (
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    name TEXT NOT NULL,
    server_url TEXT NOT NULL,
    credential_ref TEXT NOT NULL,
    sync_state TEXT NOT NULL DEFAULT 'queued',
    sync_progress INTEGER NOT NULL DEFAULT 0,
    last_selected_at REAL,
    last_sync_at REAL
);
CREATE TABLE IF NOT EXISTS categories (
    playlist_id INTEGER NOT NULL REFERENCES playlists(id) ON DELETE CASCADE,
    kind TEXT NOT NULL,
    provider_id TEXT NOT NULL,
    name TEXT NOT NULL,
    item_count INTEGER NOT NULL DEFAULT 0,
    sort_order INTEGER NOT NULL DEFAULT 0,
    PRIMARY KEY (playlist_id, kind, provider_id)
);
CREATE TABLE IF NOT EXISTS category_preferences (
    playlist_id INTEGER NOT NULL REFERENCES playlists(id) ON DELETE CASCADE,
    kind TEXT NOT NULL,
    provider_id TEXT NOT NULL,
    position INTEGER NOT NULL,
    PRIMARY KEY (playlist_id, kind, provider_id)
);
CREATE INDEX IF NOT EXISTS category_preferences_order ON category_preferences(playlist_id, kind, position);
CREATE TABLE IF NOT EXISTS content_items (
    playlist_id INTEGER NOT NULL REFERENCES playlists(id) ON DELETE CASCADE,
    kind TEXT NOT NULL,
    provider_id TEXT NOT NULL,
    category_id TEXT,
    title TEXT NOT NULL,
    subtitle TEXT,
    epg_channel_id TEXT,
    epg_channel_key TEXT,
    artwork_url TEXT,
    container_extension TEXT,
    PRIMARY KEY (playlist_id, kind, provider_id)
);
CREATE INDEX IF NOT EXISTS content_items_kind_title ON content_items(kind, title COLLATE NOCASE, provider_id);
CREATE INDEX IF NOT EXISTS content_items_playlist_kind_title ON content_items(playlist_id, kind, title COLLATE NOCASE, provider_id);
CREATE INDEX IF NOT EXISTS content_items_playlist_kind_category_title ON content_items(playlist_id, kind, category_id, title COLLATE NOCASE, provider_id);
CREATE TABLE IF NOT EXISTS epg_programmes (
    playlist_id INTEGER NOT NULL REFERENCES playlists(id) ON DELETE CASCADE,
    channel_id TEXT NOT NULL,
    channel_key TEXT NOT NULL DEFAULT '',
    title TEXT NOT NULL,
    description TEXT,
    starts_at REAL NOT NULL,
    ends_at REAL NOT NULL,
    PRIMARY KEY (playlist_id, channel_id, starts_at, ends_at, title)
);
CREATE TABLE IF NOT EXISTS series_episodes (
    playlist_id INTEGER NOT NULL REFERENCES playlists(id) ON DELETE CASCADE,
    series_id TEXT NOT NULL,
    provider_id TEXT NOT NULL,
    season_number INTEGER NOT NULL DEFAULT 0,
    episode_number INTEGER NOT NULL DEFAULT 0,
    title TEXT NOT NULL,
    plot TEXT,
    artwork_url TEXT,
    container_extension TEXT,
    duration_seconds INTEGER,
    PRIMARY KEY (playlist_id, series_id, provider_id)
);
CREATE INDEX IF NOT EXISTS series_episodes_order ON series_episodes(playlist_id, series_id, season_number, episode_number);
CREATE TABLE IF NOT EXISTS watch_progress (
    playlist_id INTEGER NOT NULL REFERENCES playlists(id) ON DELETE CASCADE,
    content_provider_id TEXT NOT NULL,
    content_kind TEXT NOT NULL,
    position_seconds INTEGER NOT NULL DEFAULT 0,
    duration_seconds INTEGER,
    updated_at REAL NOT NULL DEFAULT (strftime('%s', 'now')),
    PRIMARY KEY (playlist_id, content_provider_id, content_kind)
);
CREATE TABLE IF NOT EXISTS favourites (
    playlist_id INTEGER NOT NULL REFERENCES playlists(id) ON DELETE CASCADE,
    content_provider_id TEXT NOT NULL,
    kind TEXT NOT NULL,
    created_at REAL NOT NULL DEFAULT (strftime('%s', 'now')),
    PRIMARY KEY (playlist_id, content_provider_id, kind)
);
)"_L1;

// Guide keys for rows written before the key columns existed, the indexes that depend on them,
// and playlists whose import was cut off by the end of the last run, which are imported again.
constexpr auto guideKeyScript = R"(UPDATE content_items SET epg_channel_key=lower(trim(COALESCE(NULLIF(trim(epg_channel_id),''),provider_id))) WHERE epg_channel_key IS NULL OR trim(epg_channel_key)='';
UPDATE epg_programmes SET channel_key=lower(trim(channel_id)) WHERE trim(channel_key)='';
CREATE INDEX IF NOT EXISTS content_items_epg_channel_key ON content_items(playlist_id,kind,epg_channel_key);
CREATE INDEX IF NOT EXISTS content_items_category ON content_items(playlist_id,kind,category_id,title COLLATE NOCASE,provider_id);
CREATE INDEX IF NOT EXISTS epg_programmes_channel_key ON epg_programmes(playlist_id,channel_key,starts_at,ends_at);
CREATE INDEX IF NOT EXISTS favourites_lookup ON favourites(playlist_id,content_provider_id,kind);
UPDATE playlists SET sync_state='interrupted',sync_progress=0 WHERE sync_state='syncing';
)"_L1;

constexpr auto browseMetadataScript = R"(CREATE TABLE IF NOT EXISTS category_hidden (
    playlist_id INTEGER NOT NULL REFERENCES playlists(id) ON DELETE CASCADE,
    kind TEXT NOT NULL,
    provider_id TEXT NOT NULL,
    PRIMARY KEY (playlist_id, kind, provider_id)
);
CREATE TABLE IF NOT EXISTS hidden_languages (key TEXT PRIMARY KEY);
CREATE INDEX IF NOT EXISTS content_items_sort ON content_items(playlist_id, kind, sort_number, title COLLATE NOCASE);
CREATE INDEX IF NOT EXISTS content_items_category_sort ON content_items(playlist_id, kind, category_id, sort_number);
CREATE INDEX IF NOT EXISTS content_items_added ON content_items(playlist_id, kind, added_at DESC);
CREATE INDEX IF NOT EXISTS watch_progress_recent ON watch_progress(playlist_id, updated_at DESC);
CREATE INDEX IF NOT EXISTS content_items_number_order ON content_items(playlist_id, kind, sort_number IS NULL, sort_number);
CREATE INDEX IF NOT EXISTS content_items_added_order ON content_items(playlist_id, kind, added_at IS NULL, added_at DESC);
CREATE INDEX IF NOT EXISTS content_items_rating_order ON content_items(playlist_id, kind, rating IS NULL, rating DESC, title COLLATE NOCASE);
)"_L1;

// What the browse lists would otherwise work out by walking every item: the number of items per
// playlist, kind and category (NULL for items without one), and a trigram index of the titles
// for substring search. Both follow content_items through its triggers, whichever connection or
// program writes it, so they can never disagree with the rows. The title index stores no text of
// its own (it reads content_items) and no positions: a search takes its rows as candidates and
// still tests every word against the title, so the index only has to find a superset quickly.
constexpr auto itemSummaryTables = R"(CREATE TABLE IF NOT EXISTS content_counts (
    playlist_id INTEGER NOT NULL,
    kind TEXT NOT NULL,
    category_id TEXT,
    item_count INTEGER NOT NULL
);
CREATE INDEX IF NOT EXISTS content_counts_group ON content_counts(playlist_id, kind, category_id);
CREATE VIRTUAL TABLE IF NOT EXISTS content_titles USING fts5(title, content='content_items', content_rowid='rowid',
    tokenize='trigram', detail='none', columnsize=0);
)"_L1;

// Trigger steps that count a row in and index its title, or the reverse.
constexpr auto summariseNewRow = R"(    UPDATE content_counts SET item_count=item_count+1
        WHERE playlist_id=new.playlist_id AND kind=new.kind AND category_id IS new.category_id;
    INSERT INTO content_counts (playlist_id, kind, category_id, item_count)
        SELECT new.playlist_id, new.kind, new.category_id, 1 WHERE changes()=0;
    INSERT INTO content_titles (rowid, title) VALUES (new.rowid, new.title);
)"_L1;
constexpr auto forgetOldRow = R"(    UPDATE content_counts SET item_count=item_count-1
        WHERE playlist_id=old.playlist_id AND kind=old.kind AND category_id IS old.category_id;
    DELETE FROM content_counts
        WHERE playlist_id=old.playlist_id AND kind=old.kind AND category_id IS old.category_id AND item_count<1;
    INSERT INTO content_titles (content_titles, rowid, title) VALUES ('delete', old.rowid, old.title);
)"_L1;

QString itemSummaryScript()
{
    return itemSummaryTables
        + u"CREATE TRIGGER IF NOT EXISTS content_items_summary_insert AFTER INSERT ON content_items BEGIN\n"_s
        + summariseNewRow + u"END;\n"_s
        + u"CREATE TRIGGER IF NOT EXISTS content_items_summary_delete AFTER DELETE ON content_items BEGIN\n"_s
        + forgetOldRow + u"END;\n"_s
        + u"CREATE TRIGGER IF NOT EXISTS content_items_summary_update "
          "AFTER UPDATE OF playlist_id, kind, category_id, title ON content_items BEGIN\n"_s
        + forgetOldRow + summariseNewRow + u"END;\n"_s;
}

constexpr ColumnMigration guideKeyColumns[] = {
    {"content_items"_L1, "epg_channel_id"_L1, "TEXT"_L1},
    {"content_items"_L1, "epg_channel_key"_L1, "TEXT"_L1},
    {"epg_programmes"_L1, "channel_key"_L1, "TEXT NOT NULL DEFAULT ''"_L1},
};

constexpr ColumnMigration browseMetadataColumns[] = {
    {"content_items"_L1, "sort_number"_L1, "INTEGER"_L1},
    {"content_items"_L1, "rating"_L1, "REAL"_L1},
    {"content_items"_L1, "added_at"_L1, "INTEGER"_L1},
    {"content_items"_L1, "genre"_L1, "TEXT"_L1},
    {"categories"_L1, "language"_L1, "TEXT"_L1},
};

void addMissingColumns(CatalogueDatabase &database, std::span<const ColumnMigration> migrations)
{
    for (const ColumnMigration &migration : migrations) {
        const qint64 present = database.integer(u"SELECT COUNT(*) FROM pragma_table_info('"_s + migration.table
                                                + u"') WHERE name='"_s + migration.column + u"'"_s);
        if (present == 0) {
            database.execute(u"ALTER TABLE "_s + migration.table + u" ADD COLUMN "_s + migration.column + u' '
                             + migration.definition);
        }
    }
}

struct UnlabelledCategory
{
    QString playlistID; // decimal text; the column's affinity turns it back into an integer
    QString kind;
    QString providerID;
    QString name;
};

QList<UnlabelledCategory> categoriesWithoutLanguage(CatalogueDatabase &database)
{
    SqliteStatement statement(database.handle(),
                              u"SELECT playlist_id, kind, provider_id, name FROM categories WHERE language IS NULL"_s);
    // Nothing to fill in for a table that cannot be read this way.
    if (!statement)
        return {};
    QList<UnlabelledCategory> categories;
    int step = SQLITE_ROW;
    while ((step = statement.step()) == SQLITE_ROW) {
        const SqliteRow row = statement.row();
        categories.append({row.text(0).value_or(QString()), row.text(1).value_or(QString()),
                           row.text(2).value_or(QString()), row.text(3).value_or(QString())});
    }
    if (step != SQLITE_DONE)
        throw database.error();
    return categories;
}

// All or nothing: a file never ends up with languages for only some of its older categories.
void backfillLanguages(CatalogueDatabase &database)
{
    const QList<UnlabelledCategory> categories = categoriesWithoutLanguage(database);
    if (categories.isEmpty())
        return;
    database.execute(u"BEGIN IMMEDIATE"_s);
    try {
        for (const UnlabelledCategory &category : categories) {
            database.execute(u"UPDATE categories SET language=? WHERE playlist_id=? AND kind=? AND provider_id=?"_s,
                             {CategoryLanguage::detect(category.name).key, category.playlistID, category.kind,
                              category.providerID});
        }
        database.execute(u"COMMIT"_s);
    } catch (const CatalogueDatabaseError &) {
        try {
            database.execute(u"ROLLBACK"_s);
        } catch (const CatalogueDatabaseError &) {
            // The first failure is the one worth reporting.
        }
        throw;
    }
}

// A file from before the summaries existed gets them filled from its rows in the same
// transaction that creates them, so no reader ever sees them empty beside a full catalogue.
void addItemSummaries(CatalogueDatabase &database)
{
    if (database.integer(u"SELECT COUNT(*) FROM sqlite_master WHERE type='table' AND name='content_counts'"_s) > 0)
        return;
    inImmediateTransaction(database, [&database] {
        database.executeScript(itemSummaryScript());
        ContentItemIndexes::rebuildSummaries(database);
    });
}

// A sampled ANALYZE reads the first thousand entries of each index, which all belong to one
// playlist and kind, so it takes each playlist, kind and category for about a thousand items.
// With that, the planner walks all 650,000 films in rating order to fill a page of one category
// of 4,000. The item counts know the true averages for these leading columns; the sampled
// figures stay for the columns after them, never above the figure before.
void correctItemStatistics(CatalogueDatabase &database)
{
    const qint64 rows = database.integer(u"SELECT COALESCE(SUM(item_count), 0) FROM content_counts"_s);
    if (rows == 0)
        return;
    const QHash<QString, qint64> distinct = {
        {u"playlist_id"_s, database.integer(u"SELECT COUNT(DISTINCT playlist_id) FROM content_counts"_s)},
        {u"kind"_s, database.integer(u"SELECT COUNT(DISTINCT kind) FROM content_counts"_s)},
        {u"playlist_id,kind"_s,
         database.integer(u"SELECT COUNT(*) FROM (SELECT DISTINCT playlist_id, kind FROM content_counts)"_s)},
        {u"playlist_id,kind,category_id"_s, database.integer(u"SELECT COUNT(*) FROM content_counts"_s)},
    };
    const QStringList indexes =
        database.texts(u"SELECT idx FROM sqlite_stat1 WHERE tbl='content_items' AND idx IS NOT NULL ORDER BY idx"_s);
    const QStringList sampledStatistics =
        database.texts(u"SELECT stat FROM sqlite_stat1 WHERE tbl='content_items' AND idx IS NOT NULL ORDER BY idx"_s);
    for (qsizetype index = 0; index < indexes.size() && index < sampledStatistics.size(); ++index) {
        const QStringList sampled = sampledStatistics.at(index).split(u' ');
        const QStringList columns = database.texts(u"SELECT COALESCE(name, '') FROM pragma_index_info('"_s
                                                   + indexes.at(index) + u"') ORDER BY seqno"_s);
        QStringList statistics{QString::number(rows)};
        qint64 previous = rows;
        for (qsizetype column = 0; column < columns.size(); ++column) {
            const qint64 groups = distinct.value(columns.mid(0, column + 1).join(u','));
            const qint64 average = groups > 0 ? (rows + groups - 1) / groups : sampled.value(column + 1).toLongLong();
            previous = std::clamp<qint64>(average, 1, previous);
            statistics.append(QString::number(previous));
        }
        database.execute(u"UPDATE sqlite_stat1 SET stat=? WHERE tbl='content_items' AND idx=?"_s,
                         {statistics.join(u' '), indexes.at(index)});
    }
}

} // namespace

void CatalogueSchema::prepare(const QString &databasePath)
{
    CatalogueDatabase database(databasePath);
    database.executeScript(creationScript);
    addMissingColumns(database, guideKeyColumns);
    database.executeScript(guideKeyScript);
    addMissingColumns(database, browseMetadataColumns);
    database.executeScript(browseMetadataScript);
    backfillLanguages(database);
    addItemSummaries(database);
}

void CatalogueSchema::updateStatistics(CatalogueDatabase &database)
{
    database.executeScript(u"PRAGMA analysis_limit=1000; ANALYZE;"_s);
    correctItemStatistics(database);
}
