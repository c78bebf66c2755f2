// The queries behind the home page's shelves and the detail page's episode progress.

#include "CataloguePageReader.h"

#include "SqliteRow.h"
#include "Support/Async.h"

using namespace Qt::StringLiterals;

QCoro::Task<QList<LibraryEntry>> CataloguePageReader::library(std::optional<qint64> playlistID,
                                                              const QList<CatalogueKind> &kinds, bool inProgress,
                                                              int limit)
{
    return Async::onExecutor(m_executor, [this, playlistID, kinds, inProgress, limit] {
        if (!playlistID)
            return QList<LibraryEntry>();
        QStringList quotedKinds;
        for (const CatalogueKind kind : kinds)
            quotedKinds.append(u'\'' + kindText(kind) + u'\'');
        // An episode joins only when no item of the same id and kind exists; rows whose item and
        // episode are both gone drop out.
        const QString sql = u"SELECT "_s + itemColumns(u"i")
            + u",\n"
              "       e.provider_id, e.series_id, e.season_number, e.episode_number, e.title, e.plot, e.artwork_url, e.container_extension, e.duration_seconds,\n"
              "       w.position_seconds, w.duration_seconds, w.updated_at,\n"
              "       s.title, s.artwork_url, s.provider_id\n"
              "FROM watch_progress w\n"
              "LEFT JOIN content_items i ON i.playlist_id=w.playlist_id AND i.provider_id=w.content_provider_id AND i.kind=w.content_kind\n"
              "LEFT JOIN series_episodes e ON i.provider_id IS NULL AND w.content_kind='series' AND e.playlist_id=w.playlist_id AND e.provider_id=w.content_provider_id\n"
              "LEFT JOIN content_items s ON s.playlist_id=e.playlist_id AND s.kind='series' AND s.provider_id=e.series_id\n"
              "WHERE w.playlist_id=? AND w.content_kind IN ("_s
            + quotedKinds.join(u',') + u") AND (i.provider_id IS NOT NULL OR e.provider_id IS NOT NULL) "_s
            + (inProgress ? u"AND w.position_seconds > 30 AND (w.duration_seconds IS NULL OR w.position_seconds < w.duration_seconds * 0.95)"_s
                          : QString())
            + u"\nORDER BY w.updated_at DESC LIMIT ?"_s;
        return rows<LibraryEntry>(sql, {*playlistID, qint64(limit)}, &CataloguePageReader::libraryEntry);
    });
}

QCoro::Task<QList<MediaItem>> CataloguePageReader::favouriteItems(std::optional<qint64> playlistID, CatalogueKind kind,
                                                                  int limit)
{
    return Async::onExecutor(m_executor, [this, playlistID, kind, limit] {
        if (!playlistID)
            return QList<MediaItem>();
        const QString sql = itemSelect(kind)
            + u" FROM favourites f\n"
              "JOIN content_items i ON i.playlist_id=f.playlist_id AND i.provider_id=f.content_provider_id AND i.kind=f.kind\n"
              "WHERE f.playlist_id=? AND f.kind=? ORDER BY f.created_at DESC LIMIT ?"_s;
        return items(sql, {*playlistID, kindText(kind), qint64(limit)}, kind == CatalogueKind::Live);
    });
}

QCoro::Task<QList<MediaItem>> CataloguePageReader::recentlyAdded(std::optional<qint64> playlistID, CatalogueKind kind,
                                                                 int limit)
{
    return Async::onExecutor(m_executor, [this, playlistID, kind, limit] {
        if (!playlistID)
            return QList<MediaItem>();
        Binds binds{*playlistID, kindText(kind)};
        const QString sql = itemSelect(kind) + u" FROM content_items i WHERE i.playlist_id=? AND i.kind=? "_s
            + whereClause(BrowseScope::all(), QString(), binds) + u' ' + orderBy(BrowseSort::Added, kind)
            + u" LIMIT ? OFFSET ?"_s;
        binds << qint64(limit) << qint64(0);
        return items(sql, binds, kind == CatalogueKind::Live);
    });
}

QCoro::Task<QHash<QString, EpisodeProgress>> CataloguePageReader::episodeProgress(std::optional<qint64> playlistID,
                                                                                const QStringList &episodeIDs)
{
    return Async::onExecutor(m_executor, [this, playlistID, episodeIDs] {
        QHash<QString, EpisodeProgress> progress;
        if (!playlistID || episodeIDs.isEmpty())
            return progress;
        Binds binds{*playlistID};
        QStringList placeholders;
        for (const QString &id : episodeIDs) {
            binds.append(id);
            placeholders.append(u"?"_s);
        }
        const QString sql = u"SELECT content_provider_id, position_seconds, duration_seconds FROM watch_progress "
                            "WHERE playlist_id=? AND content_kind='series' AND content_provider_id IN ("_s
            + placeholders.join(u',') + u')';
        forEachRow(sql, binds, [&progress](const SqliteRow &row) {
            if (const std::optional<QString> id = row.text(0))
                progress.insert(*id, {row.integer(1).value_or(0), row.integer(2)});
        });
        return progress;
    });
}
