#pragma once

#include "Catalogue/CatalogueModels.h"
#include "Support/SerialExecutor.h"

#include <QCoroTask>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <optional>
#include <variant>

class SqliteRow;
struct sqlite3;

// The saved position of one series episode.
struct EpisodeProgress
{
    qint64 position = 0;
    std::optional<qint64> duration;

    friend bool operator==(const EpisodeProgress &, const EpisodeProgress &) = default;
};

// Runs every read that fills a page (browse lists and counts, category lists, library shelves,
// schedules) one call at a time on its own thread and its own read-only connection, so that long
// list queries never block the window and never share a connection with a writer. The connection
// is opened on the first query, and again on the next one if that failed.
//
// Every operation is awaited from a main-thread coroutine and throws CatalogueDatabaseError:
// "The catalogue could not be opened.", "The catalogue query failed (<SQLite's text>)." or
// "The catalogue could not be read completely.". Operations that take an optional playlist id
// give an empty result for none without touching the file.
class CataloguePageReader final
{
public:
    explicit CataloguePageReader(QString databasePath);
    // Waits for the calls already queued, then closes the connection.
    ~CataloguePageReader();

    CataloguePageReader(const CataloguePageReader &) = delete;
    CataloguePageReader &operator=(const CataloguePageReader &) = delete;

    // Live, film and series counts of a playlist, in that order; throws "Catalogue counts could
    // not be read." when a count fails.
    [[nodiscard]] QCoro::Task<std::array<qint64, 3>> counts(std::optional<qint64> playlistID);

    // Every category of a kind, hidden ones included (flagged): the user's order first, then the
    // provider's, then by name.
    [[nodiscard]] QCoro::Task<QList<BrowseCategory>> browseCategories(std::optional<qint64> playlistID,
                                                                      CatalogueKind kind);
    // How many items of a kind belong to no listed category (they name none, or one the provider
    // never listed): the all-items list shows them beside the items of the shown categories.
    [[nodiscard]] QCoro::Task<qint64> uncategorisedCount(std::optional<qint64> playlistID, CatalogueKind kind);
    // One page of a scope; live rows carry their current programme. A query matches titles that
    // contain each of its first four words.
    [[nodiscard]] QCoro::Task<QList<MediaItem>> browseItems(std::optional<qint64> playlistID, CatalogueKind kind,
                                                            const BrowseScope &scope, const QString &query,
                                                            BrowseSort sort, int limit, int offset);
    // How many items browseItems would list without paging.
    [[nodiscard]] QCoro::Task<qint64> browseCount(qint64 playlistID, CatalogueKind kind, const BrowseScope &scope,
                                                  const QString &query);
    [[nodiscard]] QCoro::Task<QSet<QString>> hiddenLanguages();
    // Up to 6000 live channels of a scope in channel order, for zapping; no current programmes.
    [[nodiscard]] QCoro::Task<QList<MediaItem>> channelQueue(std::optional<qint64> playlistID,
                                                             const BrowseScope &scope);
    // Programmes of one guide channel that end after a moment, in start order.
    [[nodiscard]] QCoro::Task<QList<GuideProgramme>> schedule(qint64 playlistID, const QString &epgKey,
                                                                 const QDateTime &from, int limit);
    // Up to 400 programmes of one guide channel that overlap a window.
    [[nodiscard]] QCoro::Task<QList<GuideProgramme>> programmes(qint64 playlistID, const QString &epgKey,
                                                                   const QDateTime &from, const QDateTime &to);
    // The same for several guide channels in one call, by guide key; a key without programmes
    // maps to an empty list, and one whose programmes cannot be read is left out.
    [[nodiscard]] QCoro::Task<QHash<QString, QList<GuideProgramme>>> programmes(qint64 playlistID,
                                                                               const QStringList &epgKeys,
                                                                               const QDateTime &from,
                                                                               const QDateTime &to);

    // Watch history of the kinds, newest first; with inProgress only what was left part-way
    // (more than 30 s watched and, when the duration is known, less than 95 % of it).
    [[nodiscard]] QCoro::Task<QList<LibraryEntry>> library(std::optional<qint64> playlistID,
                                                           const QList<CatalogueKind> &kinds, bool inProgress,
                                                           int limit);
    // Favourites of a kind whose item still exists, newest favourite first.
    [[nodiscard]] QCoro::Task<QList<MediaItem>> favouriteItems(std::optional<qint64> playlistID, CatalogueKind kind,
                                                               int limit);
    // Newest items of a kind, hidden categories and languages left out.
    [[nodiscard]] QCoro::Task<QList<MediaItem>> recentlyAdded(std::optional<qint64> playlistID, CatalogueKind kind,
                                                              int limit);
    // Saved positions by episode provider id; episodes without one are absent.
    [[nodiscard]] QCoro::Task<QHash<QString, EpisodeProgress>> episodeProgress(std::optional<qint64> playlistID,
                                                                             const QStringList &episodeIDs);

private:
    using Bind = std::variant<qint64, QString, double>;
    using Binds = QList<Bind>;

    // Runs on the executor. The connection, opened on first use; throws when it cannot be.
    sqlite3 *connection();
    // Runs one statement and hands every row to the callback; the statement is finalised on
    // every path.
    void forEachRow(const QString &sql, const Binds &binds, const std::function<void(const SqliteRow &)> &onRow);

    template<typename Record, typename Decoder>
    QList<Record> rows(const QString &sql, const Binds &binds, Decoder decode)
    {
        QList<Record> records;
        forEachRow(sql, binds, [&records, &decode](const SqliteRow &row) {
            // A row that does not decode (an unknown kind, a missing id) is left out, not fatal.
            if (std::optional<Record> record = decode(row))
                records.append(std::move(*record));
        });
        return records;
    }
    // The integer of the first row's first column (a count or a sum); 0 without one.
    qint64 count(const QString &sql, const Binds &binds);
    QList<MediaItem> items(const QString &sql, const Binds &binds, bool nowColumn);
    // Runs on the executor: one guide channel's programmes that overlap a window.
    QList<GuideProgramme> windowProgrammes(qint64 playlistID, const QString &epgKey, const QDateTime &from,
                                           const QDateTime &to);

    // SQL pieces shared by the browse queries and the library lists.
    [[nodiscard]] static QString itemColumns(QStringView alias);
    // "SELECT" and the item columns of alias i, with the current programme for live.
    [[nodiscard]] static QString itemSelect(CatalogueKind kind);
    // How a search uses the title index: to look up the rows it finds, or only to test each row
    // of the list as it is walked in order.
    enum class TitleIndexUse { LookUp, Test };
    [[nodiscard]] static QString whereClause(const BrowseScope &scope, const QString &query, Binds &binds,
                                             TitleIndexUse use = TitleIndexUse::LookUp);
    // Runs on the executor. The cheaper use of the title index for a page that ends at row
    // `pageEnd` (offset plus limit).
    [[nodiscard]] TitleIndexUse titleIndexUseForPage(qint64 playlistID, CatalogueKind kind, const QString &query,
                                                     qint64 pageEnd);
    [[nodiscard]] static QString orderBy(BrowseSort sort, CatalogueKind kind);

    // Row decoders.
    [[nodiscard]] static std::optional<MediaItem> mediaItem(const SqliteRow &row, bool nowColumn);
    [[nodiscard]] static std::optional<BrowseCategory> browseCategory(const SqliteRow &row, CatalogueKind kind);
    [[nodiscard]] static std::optional<GuideProgramme> guideProgramme(const SqliteRow &row, const QString &epgKey);
    [[nodiscard]] static std::optional<LibraryEntry> libraryEntry(const SqliteRow &row);

    const QString m_databasePath;
    sqlite3 *m_database = nullptr; // touched only on the executor
    SerialExecutor m_executor;
};
