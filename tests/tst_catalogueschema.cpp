#include "Catalogue/CatalogueDatabase.h"
#include "Catalogue/CatalogueSchema.h"
#include "support/ItemSummaries.h"
#include "support/TableSnapshot.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>


using namespace Qt::StringLiterals;

namespace {

// The whole file as text: its schema and every row of every table.
QStringList dump(const QString &path)
{
    QStringList lines = queryRows(path, u"SELECT type, name, sql FROM sqlite_master ORDER BY name"_s);
    for (const QString &table : queryRows(path, u"SELECT name FROM sqlite_master WHERE type='table' ORDER BY name"_s))
        lines += queryRows(path, u"SELECT * FROM "_s + table); // in key order, rowid or primary key
    return lines;
}

QStringList userObjects(const QString &path, const QString &type)
{
    return queryRows(path, u"SELECT name FROM sqlite_master WHERE type='"_s + type
                          + u"' AND name NOT LIKE 'sqlite_%' ORDER BY name"_s);
}

QString failureOfPrepare(const QString &path)
{
    try {
        CatalogueSchema::prepare(path);
    } catch (const CatalogueDatabaseError &error) {
        return error.description();
    }
    return {};
}

// The ten tables of the file format, then the item counts and the title index with its own tables.
const QStringList allTables = {u"categories"_s, u"category_hidden"_s, u"category_preferences"_s,
                               u"content_counts"_s, u"content_items"_s, u"content_titles"_s,
                               u"content_titles_config"_s, u"content_titles_data"_s, u"content_titles_idx"_s,
                               u"epg_programmes"_s, u"favourites"_s, u"hidden_languages"_s, u"playlists"_s,
                               u"series_episodes"_s, u"watch_progress"_s};

const QStringList allTriggers = {u"content_items_summary_delete"_s, u"content_items_summary_insert"_s,
                                  u"content_items_summary_update"_s};

// The thirteen indexes of the file format, the three that serve the list orders, and the item counts' own.
const QStringList allIndexes = {
    u"category_preferences_order"_s, u"content_counts_group"_s, u"content_items_added"_s, u"content_items_added_order"_s,
    u"content_items_category"_s, u"content_items_category_sort"_s, u"content_items_epg_channel_key"_s,
    u"content_items_kind_title"_s, u"content_items_number_order"_s, u"content_items_playlist_kind_category_title"_s,
    u"content_items_playlist_kind_title"_s, u"content_items_rating_order"_s, u"content_items_sort"_s,
    u"epg_programmes_channel_key"_s, u"favourites_lookup"_s, u"series_episodes_order"_s, u"watch_progress_recent"_s};

// A file as the first releases wrote it: no browse metadata, no hidden categories or languages,
// no guide key on programmes.
const auto oldestLayout = uR"(
CREATE TABLE playlists (id INTEGER PRIMARY KEY AUTOINCREMENT, name TEXT NOT NULL, server_url TEXT NOT NULL,
    credential_ref TEXT NOT NULL, sync_state TEXT NOT NULL DEFAULT 'queued', sync_progress INTEGER NOT NULL DEFAULT 0,
    last_selected_at REAL, last_sync_at REAL);
CREATE TABLE categories (playlist_id INTEGER NOT NULL REFERENCES playlists(id) ON DELETE CASCADE, kind TEXT NOT NULL,
    provider_id TEXT NOT NULL, name TEXT NOT NULL, item_count INTEGER NOT NULL DEFAULT 0,
    sort_order INTEGER NOT NULL DEFAULT 0, PRIMARY KEY (playlist_id, kind, provider_id));
CREATE TABLE content_items (playlist_id INTEGER NOT NULL REFERENCES playlists(id) ON DELETE CASCADE,
    kind TEXT NOT NULL, provider_id TEXT NOT NULL, category_id TEXT, title TEXT NOT NULL, subtitle TEXT,
    epg_channel_id TEXT, epg_channel_key TEXT, artwork_url TEXT, container_extension TEXT,
    PRIMARY KEY (playlist_id, kind, provider_id));
CREATE TABLE epg_programmes (playlist_id INTEGER NOT NULL REFERENCES playlists(id) ON DELETE CASCADE,
    channel_id TEXT NOT NULL, title TEXT NOT NULL, description TEXT, starts_at REAL NOT NULL, ends_at REAL NOT NULL,
    PRIMARY KEY (playlist_id, channel_id, starts_at, ends_at, title));
INSERT INTO playlists (id, name, server_url, credential_ref, sync_state, sync_progress) VALUES
    (1, 'Cut off', 'http://a.example', 'A', 'syncing', 40),
    (2, 'Done', 'http://b.example', 'B', 'ready', 100);
INSERT INTO categories (playlist_id, kind, provider_id, name) VALUES
    (1, 'live', '10', 'UK: Sports'), (1, 'live', '11', '|AR| MBC'), (2, 'movie', '12', 'Sky Sports (UK)');
INSERT INTO content_items (playlist_id, kind, provider_id, title, epg_channel_id, epg_channel_key) VALUES
    (1, 'live', '100', 'BBC One', ' BBC.One.UK ', '   '),
    (1, 'live', ' ABC1 ', 'ABC', '', NULL),
    (1, 'live', '102', 'Kept', 'x', 'already.set');
INSERT INTO epg_programmes (playlist_id, channel_id, title, starts_at, ends_at) VALUES
    (1, ' Chan.A ', 'News', 3600, 7200);
)"_s;

} // namespace

class CatalogueSchemaTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void aNewFileGetsTheWholeSchema()
    {
        QTemporaryDir directory;
        const QString path = directory.filePath(u"quillmere_catalogue.sqlite"_s);
        CatalogueSchema::prepare(path);

        QCOMPARE(userObjects(path, u"table"_s), allTables);
        QCOMPARE(userObjects(path, u"index"_s), allIndexes);
        QCOMPARE(userObjects(path, u"trigger"_s), allTriggers);
        QCOMPARE(queryRows(path, u"PRAGMA journal_mode"_s), QStringList{u"wal"_s});
        QCOMPARE(queryRows(path, u"SELECT name FROM pragma_table_info('content_items') ORDER BY cid"_s),
                 (QStringList{u"playlist_id"_s, u"kind"_s, u"provider_id"_s, u"category_id"_s, u"title"_s,
                              u"subtitle"_s, u"epg_channel_id"_s, u"epg_channel_key"_s, u"artwork_url"_s,
                              u"container_extension"_s, u"sort_number"_s, u"rating"_s, u"added_at"_s, u"genre"_s}));
    }

    void anOldFileIsUpgradedInPlaceOnce()
    {
        QTemporaryDir directory;
        const QString path = directory.filePath(u"quillmere_catalogue.sqlite"_s);
        CatalogueDatabase(path).executeScript(oldestLayout);

        CatalogueSchema::prepare(path);

        QCOMPARE(userObjects(path, u"table"_s), allTables);
        QCOMPARE(userObjects(path, u"index"_s), allIndexes);
        QCOMPARE(queryRows(path, u"PRAGMA journal_mode"_s), QStringList{u"wal"_s});
        QCOMPARE(queryRows(path, u"SELECT name FROM pragma_table_info('content_items') WHERE cid >= 10 ORDER BY cid"_s),
                 (QStringList{u"sort_number"_s, u"rating"_s, u"added_at"_s, u"genre"_s}));
        QCOMPARE(queryRows(path, u"SELECT provider_id, language FROM categories ORDER BY provider_id"_s),
                 (QStringList{u"10|en"_s, u"11|ar"_s, u"12|en"_s}));
        QCOMPARE(queryRows(path, u"SELECT epg_channel_key FROM content_items ORDER BY title"_s),
                 (QStringList{u"abc1"_s, u"bbc.one.uk"_s, u"already.set"_s}));
        QCOMPARE(queryRows(path, u"SELECT channel_key FROM epg_programmes"_s), QStringList{u"chan.a"_s});
        QCOMPARE(queryRows(path, u"SELECT sync_state, sync_progress FROM playlists ORDER BY id"_s),
                 (QStringList{u"interrupted|0"_s, u"ready|100"_s}));
        // The rows already there are counted and their titles indexed.
        QCOMPARE(userObjects(path, u"trigger"_s), allTriggers);
        QCOMPARE(queryRows(path, u"SELECT playlist_id, kind, category_id, item_count FROM content_counts"_s),
                 QStringList{u"1|live|NULL|3"_s});
        CatalogueDatabase database(path);
        QCOMPARE(itemSummaryDifferences(database), QStringList());

        const QStringList upgraded = dump(path);
        CatalogueSchema::prepare(path);
        QCOMPARE(dump(path), upgraded);
    }

    void damagedOrUnreachableFilesFailWithASentence()
    {
        QTemporaryDir directory;
        const QString damaged = directory.filePath(u"damaged.sqlite"_s);
        QFile file(damaged);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(8192, '\x5a'));
        file.close();
        QCOMPARE(failureOfPrepare(damaged), u"Local database error (26): file is not a database"_s);

        QCOMPARE(failureOfPrepare(directory.filePath(u"missing/quillmere_catalogue.sqlite"_s)),
                 u"The local catalogue could not be opened."_s);
    }
};

QTEST_GUILESS_MAIN(CatalogueSchemaTest)
#include "tst_catalogueschema.moc"
