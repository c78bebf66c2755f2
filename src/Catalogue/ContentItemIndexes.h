#pragma once

#include <QStringList>
#include <QtGlobal>

#include <functional>

class CatalogueDatabase;

// Everything the file keeps up to date beside content_items: its indexes, the item counts per
// category and the title search index (the last two through triggers). A writer that replaces
// most of the table suspends all of it, writes the rows, and restores it, inside one
// transaction: building each structure afresh is far cheaper than updating it row by row.
namespace ContentItemIndexes {

struct Suspended
{
    QStringList indexes;  // CREATE INDEX statements, as the file defines them
    QStringList triggers; // CREATE TRIGGER statements
};

// Drops the indexes and triggers of content_items and returns their definitions. Throws
// CatalogueDatabaseError.
[[nodiscard]] Suspended suspend(CatalogueDatabase &database);

// Builds the dropped indexes, recounts the items, re-indexes every title and brings the
// triggers back. Throws CatalogueDatabaseError.
void restore(CatalogueDatabase &database, const Suspended &suspended);

// Recounts every playlist's items and re-indexes every title from content_items.
void rebuildSummaries(CatalogueDatabase &database);

// How many items belong to this playlist, and to all the others, from the item counts.
[[nodiscard]] qint64 itemsOf(CatalogueDatabase &database, qint64 playlistID);
[[nodiscard]] qint64 itemsOutside(CatalogueDatabase &database, qint64 playlistID);

// Runs `write`, which replaces or removes one playlist's items, inside the caller's transaction.
// When the playlist's rows it touches (`rows`, the larger of before and after) outnumber all
// other playlists' rows, everything is suspended for the write and rebuilt after it; beside
// larger playlists, updating row by row touches less. Either way sets how the connection sorts
// or caches for it (helper threads for the sorts, a 64 MiB page cache row by row), and leaves it
// so: the callers' connections serve this one write.
void writePlaylistItems(CatalogueDatabase &database, qint64 playlistID, qint64 rows, const std::function<void()> &write);

} // namespace ContentItemIndexes
