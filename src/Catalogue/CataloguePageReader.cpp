#include "CataloguePageReader.h"

#include "CatalogueDatabaseError.h"
#include "SqliteRow.h"
#include "SqliteStatement.h"
#include "Support/Async.h"

#include <sqlite3.h>


using namespace Qt::StringLiterals;

namespace {

// Integers and reals keep their types; text is copied by SQLite at once.
void bindValues(SqliteStatement &statement, const QList<std::variant<qint64, QString, double>> &binds)
{
    for (qsizetype index = 0; index < binds.size(); ++index)
        std::visit([&statement, index](const auto &value) { statement.bind(int(index + 1), value); }, binds.at(index));
}

} // namespace

CataloguePageReader::CataloguePageReader(QString databasePath)
    : m_databasePath(std::move(databasePath))
{
}

CataloguePageReader::~CataloguePageReader()
{
    m_executor.waitForDone();
    sqlite3_close_v2(m_database);
}

sqlite3 *CataloguePageReader::connection()
{
    if (m_database)
        return m_database;
    const QByteArray path = m_databasePath.toUtf8();
    sqlite3 *database = nullptr;
    if (sqlite3_open_v2(path.constData(), &database, SQLITE_OPEN_READONLY | SQLITE_OPEN_FULLMUTEX, nullptr) != SQLITE_OK
        || !database) {
        // Not kept: the next call tries again, so a file created later is found.
        sqlite3_close_v2(database);
        throw CatalogueDatabaseError(u"The catalogue could not be opened."_s);
    }
    sqlite3_busy_timeout(database, 250);
    // Browse queries walk most rows of a kind for every sort that no index serves; reading the
    // file through a memory map and keeping more of it cached saves a copy and a system call per
    // page. Only a speed-up: a connection where these fail reads the same rows.
    sqlite3_exec(database, "PRAGMA mmap_size = 268435456; PRAGMA cache_size = -32768;", nullptr, nullptr, nullptr);
    m_database = database;
    return database;
}

void CataloguePageReader::forEachRow(const QString &sql, const Binds &binds,
                                     const std::function<void(const SqliteRow &)> &onRow)
{
    sqlite3 *database = connection();
    SqliteStatement statement(database, sql);
    if (!statement) {
        throw CatalogueDatabaseError(u"The catalogue query failed ("_s + QString::fromUtf8(sqlite3_errmsg(database))
                               + u")."_s);
    }
    bindValues(statement, binds);
    const SqliteRow row = statement.row();
    int step = SQLITE_ROW;
    while ((step = statement.step()) == SQLITE_ROW)
        onRow(row);
    if (step != SQLITE_DONE)
        throw CatalogueDatabaseError(u"The catalogue could not be read completely."_s);
}

qint64 CataloguePageReader::count(const QString &sql, const Binds &binds)
{
    return rows<qint64>(sql, binds, [](const SqliteRow &row) { return row.integer(0); }).value(0);
}

QList<MediaItem> CataloguePageReader::items(const QString &sql, const Binds &binds, bool nowColumn)
{
    return rows<MediaItem>(sql, binds, [nowColumn](const SqliteRow &row) { return mediaItem(row, nowColumn); });
}

QCoro::Task<std::array<qint64, 3>> CataloguePageReader::counts(std::optional<qint64> playlistID)
{
    return Async::onExecutor(m_executor, [this, playlistID] {
        std::array<qint64, 3> counts{0, 0, 0};
        if (!playlistID)
            return counts;
        sqlite3 *database = connection();
        const CatalogueDatabaseError unreadable(u"Catalogue counts could not be read."_s);
        SqliteStatement statement(database, u"SELECT COUNT(*) FROM content_items WHERE playlist_id=? AND kind=?"_s);
        if (!statement)
            throw unreadable;
        for (std::size_t index = 0; index < allCatalogueKinds.size(); ++index) {
            statement.reset();
            bindValues(statement, {*playlistID, kindText(allCatalogueKinds.at(index))});
            if (statement.step() != SQLITE_ROW)
                throw unreadable;
            counts.at(index) = statement.row().integer(0).value_or(0);
        }
        return counts;
    });
}
