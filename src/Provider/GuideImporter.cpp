#include "GuideImporter.h"

#include "GuideLinks.h"
#include "XtreamAPIError.h"
#include "XtreamClient.h"

#include "Catalogue/CatalogueDatabase.h"
#include "Catalogue/GuideProgrammeRow.h"
#include "Catalogue/ImmediateTransaction.h"
#include "Catalogue/SqliteStatement.h"
#include "Support/Async.h"
#include "Support/CancellationError.h"
#include "Support/Clock.h"
#include "Support/Logging.h"

#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype batchSize = 100;
constexpr int windowDays = 7;

} // namespace

struct GuideImporter::Run
{
    CatalogueDatabase &database;
    SqliteStatement insert;
    QDateTime now;
    QDateTime horizon;
    const std::stop_token &stop;
    QList<GuideProgramme> pendingRows;
    qint64 importedCount = 0;
};

GuideImporter::GuideImporter(qint64 playlistID, std::optional<XtreamCredentials> credentials,
                                   QString databasePath, const Clock &clock)
    : m_playlistID(playlistID)
    , m_credentials(std::move(credentials))
    , m_databasePath(std::move(databasePath))
    , m_clock(clock)
{
}

GuideImporter::~GuideImporter() = default;

QCoro::Task<int> GuideImporter::run(std::stop_token stop)
{
    const QDateTime now = m_clock.now();
    auto work = [this, now, stop = std::move(stop)] { return importGuide(now, stop); };
    const int count = co_await Async::onExecutor(m_executor, std::move(work));
    co_return count;
}

int GuideImporter::importGuide(const QDateTime &now, const std::stop_token &stop)
{
    if (!m_credentials)
        throw XtreamAPIError::providerMessage(u"Guide credentials are unavailable."_s);
    qCInfo(lcGuideImport, "Starting XMLTV import for playlist %lld", m_playlistID);

    CatalogueDatabase database(m_databasePath);
    database.execute(u"CREATE TEMP TABLE staged_guide AS SELECT * FROM epg_programmes WHERE 0"_s);
    // Prepared once for the whole run and reused for every row.
    Run run{database,
            SqliteStatement(database.handle(), GuideProgrammeRow::insert(u"INSERT INTO staged_guide")),
            now, now.toLocalTime().addDays(windowDays), stop, {}, 0};
    if (!run.insert.isValid())
        throw XtreamAPIError::providerMessage(u"The local guide database is missing its EPG table."_s);
    run.pendingRows.reserve(batchSize);

    XtreamClient(*m_credentials).consumeXMLTVGuide([&](const GuideProgramme &programme) { accept(run, programme); }, stop);
    insert(run);
    if (run.importedCount < 1)
        throw XtreamAPIError::providerMessage(u"No current guide programmes were returned. The previous guide has been kept."_s);
    CancellationError::throwIfRequested(stop);

    swap(database);
    const qint64 count = database.integer(u"SELECT COUNT(*) FROM epg_programmes WHERE playlist_id="_s + QString::number(m_playlistID));
    const int repaired = repairMappings(database);
    qCInfo(lcGuideImport, "Finished XMLTV import for playlist %lld: %lld rows, repaired %d channel mappings", m_playlistID,
           count, repaired);
    return int(count);
}

void GuideImporter::accept(Run &run, const GuideProgramme &programme)
{
    // On now or starting within the window; one that started yesterday and ends in an hour stays.
    if (programme.end <= run.now || programme.start >= run.horizon)
        return;
    run.pendingRows.append(programme);
    if (run.pendingRows.size() >= batchSize)
        insert(run);
}

void GuideImporter::insert(Run &run)
{
    if (run.pendingRows.isEmpty())
        return;
    CancellationError::throwIfRequested(run.stop);
    sqlite3 *handle = run.database.handle();
    if (sqlite3_exec(handle, "BEGIN IMMEDIATE TRANSACTION;", nullptr, nullptr, nullptr) != SQLITE_OK)
        throw CatalogueDatabaseError(u"The guide database is busy. Try again shortly."_s);
    SqliteStatement &statement = run.insert;
    for (const GuideProgramme &programme : std::as_const(run.pendingRows)) {
        statement.reset();
        GuideProgrammeRow::bind(statement, m_playlistID, programme);
        if (statement.step() != SQLITE_DONE) {
            const QString message = u"A guide programme could not be saved (SQLite %1)."_s.arg(sqlite3_errcode(handle));
            statement.reset();
            sqlite3_exec(handle, "ROLLBACK", nullptr, nullptr, nullptr);
            throw CatalogueDatabaseError(message);
        }
    }
    statement.reset();
    if (sqlite3_exec(handle, "COMMIT;", nullptr, nullptr, nullptr) != SQLITE_OK) {
        sqlite3_exec(handle, "ROLLBACK", nullptr, nullptr, nullptr);
        throw CatalogueDatabaseError(u"The guide update could not be committed."_s);
    }
    run.importedCount += run.pendingRows.size();
    run.pendingRows.clear();
}

void GuideImporter::swap(CatalogueDatabase &database)
{
    const QString playlist = QString::number(m_playlistID);
    inImmediateTransaction(database, [&] {
        database.execute(u"DELETE FROM epg_programmes WHERE playlist_id=?"_s, {playlist});
        database.execute(u"INSERT OR REPLACE INTO epg_programmes SELECT * FROM staged_guide"_s);
    });
}

// Never fails: any problem ends it quietly, with what it had changed rolled back.
int GuideImporter::repairMappings(CatalogueDatabase &database) const
{
    int repaired = 0;
    try {
        inImmediateTransaction(database, [&] { repaired = GuideLinks::relink(database, m_playlistID); });
    } catch (const CatalogueDatabaseError &) {
        return 0;
    }
    return repaired;
}
