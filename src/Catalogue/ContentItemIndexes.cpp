#include "ContentItemIndexes.h"

#include "CatalogueDatabase.h"

using namespace Qt::StringLiterals;

namespace {

// Definitions and names of one kind of schema object on content_items, in the same order.
QStringList schemaOf(CatalogueDatabase &database, const QString &column, const QString &type)
{
    return database.texts(u"SELECT "_s + column + u" FROM sqlite_master WHERE type='"_s + type
                          + u"' AND tbl_name='content_items' AND sql IS NOT NULL ORDER BY name"_s);
}

} // namespace

ContentItemIndexes::Suspended ContentItemIndexes::suspend(CatalogueDatabase &database)
{
    Suspended suspended;
    for (const QString &type : {u"index"_s, u"trigger"_s}) {
        const QStringList names = schemaOf(database, u"name"_s, type);
        (type == u"index" ? suspended.indexes : suspended.triggers) = schemaOf(database, u"sql"_s, type);
        for (const QString &name : names)
            database.execute(u"DROP "_s + type.toUpper() + u" \""_s + name + u'"');
    }
    return suspended;
}

void ContentItemIndexes::restore(CatalogueDatabase &database, const Suspended &suspended)
{
    for (const QString &definition : suspended.indexes)
        database.execute(definition);
    rebuildSummaries(database);
    for (const QString &definition : suspended.triggers)
        database.execute(definition);
}

void ContentItemIndexes::rebuildSummaries(CatalogueDatabase &database)
{
    database.executeScript(uR"(DELETE FROM content_counts;
INSERT INTO content_counts (playlist_id, kind, category_id, item_count)
    SELECT playlist_id, kind, category_id, COUNT(*) FROM content_items GROUP BY playlist_id, kind, category_id;
INSERT INTO content_titles (content_titles) VALUES ('rebuild');)"_s);
}

qint64 ContentItemIndexes::itemsOf(CatalogueDatabase &database, qint64 playlistID)
{
    return database.integer(u"SELECT COALESCE(SUM(item_count), 0) FROM content_counts WHERE playlist_id = "_s
                            + QString::number(playlistID));
}

qint64 ContentItemIndexes::itemsOutside(CatalogueDatabase &database, qint64 playlistID)
{
    return database.integer(u"SELECT COALESCE(SUM(item_count), 0) FROM content_counts WHERE playlist_id <> "_s
                            + QString::number(playlistID));
}

void ContentItemIndexes::writePlaylistItems(CatalogueDatabase &database, qint64 playlistID, qint64 rows,
                                            const std::function<void()> &write)
{
    if (rows > itemsOutside(database, playlistID)) {
        // Each index is built by sorting its keys in buffers the size of the page cache, which
        // stays as the caller set it; two helper threads sort beside this one.
        database.execute(u"PRAGMA threads = 2"_s);
        const Suspended suspended = suspend(database);
        write();
        restore(database, suspended);
        return;
    }
    // Row by row, each index is updated at places spread all over it: a page cache of a fixed
    // size keeps most of those pages at hand, and its memory does not grow with the table.
    database.execute(u"PRAGMA cache_size = -65536"_s);
    write();
}
