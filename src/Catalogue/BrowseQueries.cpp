// The queries behind the browse lists: categories, pages of items, counts, hidden languages,
// the player's channel list and guide schedules.

#include "CataloguePageReader.h"

#include "CatalogueDatabaseError.h"
#include "SqliteRow.h"
#include "Support/Async.h"
#include "Support/EpochSeconds.h"
#include "Support/Logging.h"

using namespace Qt::StringLiterals;

namespace {

// The programme running now on the row's guide channel (the latest-starting one when several
// overlap), as title, start and end joined by the unit separator.
const auto currentProgrammeColumn =
    u", (SELECT e.title || char(31) || e.starts_at || char(31) || e.ends_at FROM epg_programmes e\n"
    "  WHERE e.playlist_id=i.playlist_id AND e.channel_key=COALESCE(NULLIF(i.epg_channel_key,''), lower(trim(i.provider_id)))\n"
    "    AND e.starts_at<=unixepoch('now') AND e.ends_at>unixepoch('now') ORDER BY e.starts_at DESC LIMIT 1)"_s;

// Items without a category, or whose category is neither hidden nor of a hidden language. The
// statement's first two parameters are always the playlist and the kind; naming them here (rather
// than referring to the outer row) lets SQLite compute the set of hidden categories once instead
// of once per item, which turns a count over 200,000 films from seconds into milliseconds.
const auto visibleCategoryCondition =
    u"AND (i.category_id IS NULL OR i.category_id NOT IN (\n"
    "    SELECT c.provider_id FROM categories c WHERE c.playlist_id=?1 AND c.kind=?2\n"
    "       AND (c.language IN (SELECT key FROM hidden_languages)\n"
    "            OR EXISTS(SELECT 1 FROM category_hidden h WHERE h.playlist_id=c.playlist_id AND h.kind=c.kind AND h.provider_id=c.provider_id))))"_s;

const auto channelOrder = u"ORDER BY i.sort_number IS NULL, i.sort_number, i.title COLLATE NOCASE"_s;

// A word of a search as a LIKE pattern that matches it literally anywhere in a title.
QString containsPattern(QString word)
{
    word.replace(u'\\', u"\\\\"_s).replace(u'%', u"\\%"_s).replace(u'_', u"\\_"_s);
    return u'%' + word + u'%';
}

// The words a search looks for: at most the first four, split at single spaces.
QStringList searchWords(const QString &query)
{
    return query.trimmed().split(u' ', Qt::SkipEmptyParts).mid(0, 4);
}

// A title index query for the rows whose title may contain every word: trigrams (three
// consecutive characters) that cover each word of three characters or more, side by side and
// the last one flush with the word's end, all required. A title that contains the word contains
// each of them. The index folds case over all of Unicode, a superset of LIKE's ASCII-only
// folding, so every title that LIKE matches is among the rows found; the LIKE conditions then
// keep exactly the right ones. Empty when no word is long enough, and the titles are scanned
// instead.
QString titleIndexQuery(const QStringList &words)
{
    QStringList trigrams;
    for (const QString &word : words) {
        const QList<uint> characters = word.toUcs4();
        const auto add = [&](qsizetype start) {
            QString trigram = QString::fromUcs4(reinterpret_cast<const char32_t *>(characters.constData()) + start, 3);
            trigrams.append(u'"' + trigram.replace(u'"', u"\"\""_s) + u'"');
        };
        const qsizetype last = characters.size() - 3;
        for (qsizetype start = 0; start <= last; start += 3)
            add(start);
        if (last > 0 && last % 3 != 0)
            add(last);
    }
    trigrams.removeDuplicates();
    return trigrams.join(u" AND "_s);
}

} // namespace

QString CataloguePageReader::itemColumns(QStringView alias)
{
    const QString a = alias.toString();
    return a + u".kind, "_s + a + u".provider_id, "_s + a + u".title, "_s + a + u".subtitle, "_s + a
        + u".artwork_url, "_s + a + u".container_extension,\n"_s + a + u".epg_channel_id, COALESCE(NULLIF("_s + a
        + u".epg_channel_key,''), lower(trim("_s + a + u".provider_id))),\n"_s + a + u".sort_number, "_s + a
        + u".rating, "_s + a + u".added_at, "_s + a + u".genre, "_s + a + u".category_id,\n"_s
        + u"EXISTS(SELECT 1 FROM favourites f WHERE f.playlist_id="_s + a + u".playlist_id AND f.content_provider_id="_s
        + a + u".provider_id AND f.kind="_s + a + u".kind)"_s;
}

QString CataloguePageReader::itemSelect(CatalogueKind kind)
{
    return u"SELECT "_s + itemColumns(u"i") + (kind == CatalogueKind::Live ? currentProgrammeColumn : QString());
}

QString CataloguePageReader::whereClause(const BrowseScope &scope, const QString &query, Binds &binds,
                                         TitleIndexUse use)
{
    QString clause;
    switch (scope.type()) {
    case BrowseScope::Type::All:
        clause = visibleCategoryCondition;
        break;
    case BrowseScope::Type::Favourites:
        // The favourites of the playlist and kind (the first two parameters), looked up through
        // their own key rather than tested item by item.
        clause = u" AND i.provider_id IN (SELECT f.content_provider_id FROM favourites f WHERE f.playlist_id=?1 AND f.kind=?2)"_s;
        break;
    case BrowseScope::Type::Category:
        clause = u" AND i.category_id=?"_s;
        binds.append(scope.categoryID());
        break;
    }
    const QStringList words = searchWords(query);
    if (const QString trigrams = titleIndexQuery(words); !trigrams.isEmpty()) {
        // The unary plus keeps the planner from looking the rows up through the condition; it
        // changes no value.
        clause += (use == TitleIndexUse::LookUp ? u" AND i.rowid IN"_s : u" AND +i.rowid IN"_s)
            + u" (SELECT rowid FROM content_titles WHERE content_titles MATCH ?)"_s;
        binds.append(trigrams);
    }
    for (const QString &word : words) {
        clause += u" AND i.title LIKE ? ESCAPE '\\'"_s;
        binds.append(containsPattern(word));
    }
    return clause;
}

// Looking up every row the title index finds costs about the same per row as walking one row
// of the list in order and testing it. A walk fills a page that ends at row `pageEnd` after
// about items / candidates * pageEnd rows when the matches spread evenly, so it is the cheaper
// way once the candidates outnumber the square root of items * pageEnd: "sport" among a
// million titles finds 17,000 channels, which take tens of milliseconds to look up and sort,
// while the walk fills the first page after some 5,000 rows.
CataloguePageReader::TitleIndexUse CataloguePageReader::titleIndexUseForPage(qint64 playlistID, CatalogueKind kind,
                                                                             const QString &query, qint64 pageEnd)
{
    const QString trigrams = titleIndexQuery(searchWords(query));
    if (trigrams.isEmpty())
        return TitleIndexUse::LookUp;
    const qint64 candidates = count(u"SELECT COUNT(*) FROM content_titles WHERE content_titles MATCH ?"_s, {trigrams});
    const qint64 items = count(u"SELECT COALESCE(SUM(item_count), 0) FROM content_counts WHERE playlist_id=? AND kind=?"_s,
                               {playlistID, kindText(kind)});
    return items * pageEnd < candidates * candidates ? TitleIndexUse::Test : TitleIndexUse::LookUp;
}

QString CataloguePageReader::orderBy(BrowseSort sort, CatalogueKind kind)
{
    switch (sort) {
    case BrowseSort::Provider:
        // Channels in the provider's numbering; films and series newest first.
        return kind == CatalogueKind::Live
            ? channelOrder
            : u"ORDER BY i.added_at IS NULL, i.added_at DESC, i.sort_number, i.title COLLATE NOCASE"_s;
    case BrowseSort::Title:
        return u"ORDER BY i.title COLLATE NOCASE, i.provider_id"_s;
    case BrowseSort::Added:
        return u"ORDER BY i.added_at IS NULL, i.added_at DESC, i.title COLLATE NOCASE"_s;
    case BrowseSort::Rating:
        return u"ORDER BY i.rating IS NULL, i.rating DESC, i.title COLLATE NOCASE"_s;
    }
    Q_UNREACHABLE();
    return {};
}

QCoro::Task<QList<BrowseCategory>> CataloguePageReader::browseCategories(std::optional<qint64> playlistID,
                                                                         CatalogueKind kind)
{
    return Async::onExecutor(m_executor, [this, playlistID, kind] {
        if (!playlistID)
            return QList<BrowseCategory>();
        return rows<BrowseCategory>(
            u"SELECT c.provider_id, c.name, c.item_count, COALESCE(c.language,'en'),\n"
            "       EXISTS(SELECT 1 FROM category_hidden h WHERE h.playlist_id=c.playlist_id AND h.kind=c.kind AND h.provider_id=c.provider_id)\n"
            "FROM categories c\n"
            "LEFT JOIN category_preferences p ON p.playlist_id=c.playlist_id AND p.kind=c.kind AND p.provider_id=c.provider_id\n"
            "WHERE c.playlist_id=? AND c.kind=?\n"
            "ORDER BY COALESCE(p.position, 2147483647), c.sort_order, c.name COLLATE NOCASE"_s,
            {*playlistID, kindText(kind)}, [kind](const SqliteRow &row) { return browseCategory(row, kind); });
    });
}

QCoro::Task<qint64> CataloguePageReader::uncategorisedCount(std::optional<qint64> playlistID, CatalogueKind kind)
{
    return Async::onExecutor(m_executor, [this, playlistID, kind] {
        if (!playlistID)
            return qint64(0);
        return count(u"SELECT COALESCE(SUM(n.item_count), 0) FROM content_counts n WHERE n.playlist_id=?1 AND n.kind=?2\n"
                     "   AND (n.category_id IS NULL OR n.category_id NOT IN (\n"
                     "       SELECT c.provider_id FROM categories c WHERE c.playlist_id=?1 AND c.kind=?2))"_s,
                     {*playlistID, kindText(kind)});
    });
}

QCoro::Task<QList<MediaItem>> CataloguePageReader::browseItems(std::optional<qint64> playlistID, CatalogueKind kind,
                                                               const BrowseScope &scope, const QString &query,
                                                               BrowseSort sort, int limit, int offset)
{
    return Async::onExecutor(m_executor, [this, playlistID, kind, scope, query, sort, limit, offset] {
        if (!playlistID)
            return QList<MediaItem>();
        Binds binds{*playlistID, kindText(kind)};
        const TitleIndexUse use = titleIndexUseForPage(*playlistID, kind, query, qint64(limit) + offset);
        // The page's rows are chosen first and only they get their columns: computed before
        // the sort, the favourite flag and the programme running now would be worked out for
        // every row of a category or search, thousands of them at a million items.
        const QString sql = itemSelect(kind) + u" FROM content_items i WHERE i.rowid IN ("_s
            + u"SELECT i.rowid FROM content_items i WHERE i.playlist_id=? AND i.kind=? "_s
            + whereClause(scope, query, binds, use) + u' ' + orderBy(sort, kind) + u" LIMIT ? OFFSET ?) "_s
            + orderBy(sort, kind);
        binds << qint64(limit) << qint64(offset);
        return items(sql, binds, kind == CatalogueKind::Live);
    });
}

QCoro::Task<qint64> CataloguePageReader::browseCount(qint64 playlistID, CatalogueKind kind, const BrowseScope &scope,
                                                     const QString &query)
{
    return Async::onExecutor(m_executor, [this, playlistID, kind, scope, query] {
        Binds binds{playlistID, kindText(kind)};
        // Without a search, all items or those of one category are counted by summing the item
        // counts per category: the where tail depends only on playlist, kind and category, so
        // it picks the same groups as it would pick items.
        const bool summed = scope.type() != BrowseScope::Type::Favourites && searchWords(query).isEmpty();
        const QString sql = (summed ? u"SELECT COALESCE(SUM(i.item_count), 0) FROM content_counts i"_s
                                    : u"SELECT COUNT(*) FROM content_items i"_s)
            + u" WHERE i.playlist_id=? AND i.kind=? "_s + whereClause(scope, query, binds);
        return count(sql, binds);
    });
}

QCoro::Task<QSet<QString>> CataloguePageReader::hiddenLanguages()
{
    return Async::onExecutor(m_executor, [this] {
        const QList<QString> keys = rows<QString>(u"SELECT key FROM hidden_languages"_s, {},
                                                  [](const SqliteRow &row) { return row.text(0); });
        return QSet<QString>(keys.begin(), keys.end());
    });
}

QCoro::Task<QList<MediaItem>> CataloguePageReader::channelQueue(std::optional<qint64> playlistID,
                                                                const BrowseScope &scope)
{
    return Async::onExecutor(m_executor, [this, playlistID, scope] {
        if (!playlistID)
            return QList<MediaItem>();
        Binds binds{*playlistID, kindText(CatalogueKind::Live)};
        const QString sql = u"SELECT "_s + itemColumns(u"i") + u" FROM content_items i WHERE i.playlist_id=? AND i.kind=? "_s
            + whereClause(scope, QString(), binds) + u' ' + channelOrder + u" LIMIT 6000"_s;
        return items(sql, binds, false);
    });
}

QCoro::Task<QList<GuideProgramme>> CataloguePageReader::schedule(qint64 playlistID, const QString &epgKey,
                                                                    const QDateTime &from, int limit)
{
    return Async::onExecutor(m_executor, [this, playlistID, epgKey, from, limit] {
        return rows<GuideProgramme>(
            u"SELECT channel_id, title, description, starts_at, ends_at FROM epg_programmes\n"
            "WHERE playlist_id=? AND channel_key=? AND ends_at>? ORDER BY starts_at LIMIT ?"_s,
            {playlistID, epgKey, epochSeconds(from), qint64(limit)},
            [epgKey](const SqliteRow &row) { return guideProgramme(row, epgKey); });
    });
}

QCoro::Task<QList<GuideProgramme>> CataloguePageReader::programmes(qint64 playlistID, const QString &epgKey,
                                                                      const QDateTime &from, const QDateTime &to)
{
    return Async::onExecutor(m_executor, [this, playlistID, epgKey, from, to] {
        return windowProgrammes(playlistID, epgKey, from, to);
    });
}

QCoro::Task<QHash<QString, QList<GuideProgramme>>> CataloguePageReader::programmes(qint64 playlistID,
                                                                                  const QStringList &epgKeys,
                                                                                  const QDateTime &from,
                                                                                  const QDateTime &to)
{
    return Async::onExecutor(m_executor, [this, playlistID, epgKeys, from, to] {
        QHash<QString, QList<GuideProgramme>> programmes;
        for (const QString &epgKey : epgKeys) {
            // One channel whose programmes cannot be read costs only that channel.
            try {
                programmes.insert(epgKey, windowProgrammes(playlistID, epgKey, from, to));
            } catch (const CatalogueDatabaseError &error) {
                // The row shows no guide for the day and is not read again, so this is said once.
                qCWarning(lcCatalogue, "Guide programmes of channel %s could not be read: %s",
                          qUtf8Printable(epgKey), error.what());
            }
        }
        return programmes;
    });
}

QList<GuideProgramme> CataloguePageReader::windowProgrammes(qint64 playlistID, const QString &epgKey,
                                                            const QDateTime &from, const QDateTime &to)
{
    return rows<GuideProgramme>(
        u"SELECT channel_id, title, description, starts_at, ends_at FROM epg_programmes\n"
        "WHERE playlist_id=? AND channel_key=? AND ends_at>? AND starts_at<? ORDER BY starts_at LIMIT 400"_s,
        {playlistID, epgKey, epochSeconds(from), epochSeconds(to)},
        [epgKey](const SqliteRow &row) { return guideProgramme(row, epgKey); });
}
