#include "MacGuideImporter.h"

#include "MacGuideMatching.h"
#include "MacXtreamAPIError.h"
#include "MacXtreamClient.h"

#include "Stores/MacDatabase.h"
#include "Stores/MacTransaction.h"
#include "Support/Async.h"
#include "Support/CancellationError.h"
#include "Support/Clock.h"
#include "Support/Logging.h"

#include <QStringList>

#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype batchSize = 100;
constexpr int windowDays = 7;

// A statement prepared for the length of one scope.
class Statement final
{
public:
    Statement(sqlite3 *database, const char *sql)
    {
        if (sqlite3_prepare_v2(database, sql, -1, &m_statement, nullptr) != SQLITE_OK) {
            sqlite3_finalize(m_statement);
            m_statement = nullptr;
        }
    }
    ~Statement() { sqlite3_finalize(m_statement); }
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    [[nodiscard]] bool isValid() const { return m_statement != nullptr; }
    [[nodiscard]] sqlite3_stmt *get() const { return m_statement; }

    void rewind()
    {
        sqlite3_reset(m_statement);
        sqlite3_clear_bindings(m_statement);
    }
    void bindText(int parameter, const QString &text)
    {
        const QByteArray bytes = text.toUtf8();
        sqlite3_bind_text(m_statement, parameter, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
    }
    [[nodiscard]] QString text(int column) const
    {
        const auto *bytes = reinterpret_cast<const char *>(sqlite3_column_text(m_statement, column));
        return QString::fromUtf8(bytes, sqlite3_column_bytes(m_statement, column));
    }
    [[nodiscard]] bool isNull(int column) const { return sqlite3_column_type(m_statement, column) == SQLITE_NULL; }

private:
    sqlite3_stmt *m_statement = nullptr;
};

// The guide key of a channel: its id trimmed and lower-cased.
QString channelKey(const QString &channelID)
{
    return channelID.trimmed().toLower();
}

double seconds(const QDateTime &moment)
{
    return double(moment.toMSecsSinceEpoch()) / 1000.0;
}

} // namespace

struct MacGuideImporter::Run
{
    MacDatabase &database;
    Statement insert;
    QDateTime now;
    QDateTime horizon;
    const std::stop_token &stop;
    QList<MacGuideProgramme> pendingRows;
    qint64 importedCount = 0;
};

MacGuideImporter::MacGuideImporter(qint64 playlistID, std::optional<MacXtreamCredentials> credentials,
                                   QString databasePath, const Clock &clock)
    : m_playlistID(playlistID)
    , m_credentials(std::move(credentials))
    , m_databasePath(std::move(databasePath))
    , m_clock(clock)
{
}

MacGuideImporter::~MacGuideImporter() = default;

QCoro::Task<int> MacGuideImporter::run(std::stop_token stop)
{
    const QDateTime now = m_clock.now();
    auto work = [this, now, stop = std::move(stop)] { return importGuide(now, stop); };
    const int count = co_await Async::onExecutor(m_executor, std::move(work));
    co_return count;
}

int MacGuideImporter::importGuide(const QDateTime &now, const std::stop_token &stop)
{
    if (!m_credentials)
        throw MacXtreamAPIError::providerMessage(u"Guide credentials are unavailable."_s);
    qCInfo(lcGuideImport, "Starting XMLTV import for playlist %lld", m_playlistID);

    MacDatabase database(m_databasePath);
    database.execute(u"CREATE TEMP TABLE staged_guide AS SELECT * FROM epg_programmes WHERE 0"_s);
    // Prepared once for the whole run and reused for every row.
    Run run{database,
            Statement(database.handle(), "INSERT INTO staged_guide (playlist_id, channel_id, channel_key, title, "
                                         "description, starts_at, ends_at) VALUES (?, ?, ?, ?, ?, ?, ?)"),
            now, now.toLocalTime().addDays(windowDays), stop, {}, 0};
    if (!run.insert.isValid())
        throw MacXtreamAPIError::providerMessage(u"The local guide database is missing its EPG table."_s);
    run.pendingRows.reserve(batchSize);

    MacXtreamClient(*m_credentials).consumeXMLTVGuide([&](const MacGuideProgramme &programme) { accept(run, programme); }, stop);
    insert(run);
    if (run.importedCount < 1)
        throw MacXtreamAPIError::providerMessage(u"No current guide programmes were returned. The previous guide has been kept."_s);
    CancellationError::throwIfRequested(stop);

    swap(database);
    const qint64 count = database.integer(u"SELECT COUNT(*) FROM epg_programmes WHERE playlist_id="_s + QString::number(m_playlistID));
    const int repaired = repairMappings(database);
    qCInfo(lcGuideImport, "Finished XMLTV import for playlist %lld: %lld rows, repaired %d channel mappings", m_playlistID,
           count, repaired);
    return int(count);
}

void MacGuideImporter::accept(Run &run, const MacGuideProgramme &programme)
{
    // On now or starting within the window; one that started yesterday and ends in an hour stays.
    if (programme.end <= run.now || programme.start >= run.horizon)
        return;
    run.pendingRows.append(programme);
    if (run.pendingRows.size() >= batchSize)
        insert(run);
}

void MacGuideImporter::insert(Run &run)
{
    if (run.pendingRows.isEmpty())
        return;
    CancellationError::throwIfRequested(run.stop);
    sqlite3 *handle = run.database.handle();
    if (sqlite3_exec(handle, "BEGIN IMMEDIATE TRANSACTION;", nullptr, nullptr, nullptr) != SQLITE_OK)
        throw MacDatabaseError(u"The guide database is busy. Try again shortly."_s);
    Statement &statement = run.insert;
    for (const MacGuideProgramme &programme : std::as_const(run.pendingRows)) {
        statement.rewind();
        sqlite3_bind_int64(statement.get(), 1, m_playlistID);
        statement.bindText(2, programme.channelID);
        statement.bindText(3, channelKey(programme.channelID));
        statement.bindText(4, programme.title);
        if (programme.description)
            statement.bindText(5, *programme.description);
        sqlite3_bind_double(statement.get(), 6, seconds(programme.start));
        sqlite3_bind_double(statement.get(), 7, seconds(programme.end));
        if (sqlite3_step(statement.get()) != SQLITE_DONE) {
            const QString message = u"A guide programme could not be saved (SQLite %1)."_s.arg(sqlite3_errcode(handle));
            statement.rewind();
            sqlite3_exec(handle, "ROLLBACK", nullptr, nullptr, nullptr);
            throw MacDatabaseError(message);
        }
    }
    statement.rewind();
    if (sqlite3_exec(handle, "COMMIT;", nullptr, nullptr, nullptr) != SQLITE_OK) {
        sqlite3_exec(handle, "ROLLBACK", nullptr, nullptr, nullptr);
        throw MacDatabaseError(u"The guide update could not be committed."_s);
    }
    run.importedCount += run.pendingRows.size();
    run.pendingRows.clear();
}

void MacGuideImporter::swap(MacDatabase &database)
{
    const QString playlist = QString::number(m_playlistID);
    inImmediateTransaction(database, [&] {
        database.execute(u"DELETE FROM epg_programmes WHERE playlist_id=?"_s, {playlist});
        database.execute(u"INSERT OR REPLACE INTO epg_programmes SELECT * FROM staged_guide"_s);
    });
}

// Links live channels that have no guide id of their own (none, or merely their own id as
// key) to the one guide channel their title fits. Never fails: any problem ends it quietly,
// with what it had changed rolled back.
int MacGuideImporter::repairMappings(MacDatabase &database) const
{
    sqlite3 *handle = database.handle();
    QStringList channelIDs;
    {
        Statement channels(handle, "SELECT DISTINCT channel_id FROM epg_programmes WHERE playlist_id=?");
        if (!channels.isValid())
            return 0;
        sqlite3_bind_int64(channels.get(), 1, m_playlistID);
        while (sqlite3_step(channels.get()) == SQLITE_ROW) {
            if (!channels.isNull(0))
                channelIDs.append(channels.text(0));
        }
    }
    const MacGuideMatching matching(channelIDs);

    QList<std::pair<QString, QString>> links; // provider id, guide channel id
    {
        Statement candidates(handle, "SELECT provider_id,title FROM content_items WHERE playlist_id=? AND kind='live' AND "
                                     "(epg_channel_key IS NULL OR epg_channel_key='' OR "
                                     "epg_channel_key=lower(trim(provider_id)))");
        if (!candidates.isValid())
            return 0;
        sqlite3_bind_int64(candidates.get(), 1, m_playlistID);
        while (sqlite3_step(candidates.get()) == SQLITE_ROW) {
            if (candidates.isNull(0) || candidates.isNull(1))
                continue;
            if (const std::optional<QString> guideChannel = matching.match(candidates.text(1)))
                links.append({candidates.text(0), *guideChannel});
        }
    }
    if (links.isEmpty())
        return 0;

    Statement update(handle, "UPDATE content_items SET epg_channel_id=?,epg_channel_key=? WHERE playlist_id=? AND "
                             "kind='live' AND provider_id=?");
    if (!update.isValid() || sqlite3_exec(handle, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) != SQLITE_OK)
        return 0;
    for (const auto &[providerID, guideChannel] : std::as_const(links)) {
        update.rewind();
        update.bindText(1, guideChannel);
        update.bindText(2, channelKey(guideChannel));
        sqlite3_bind_int64(update.get(), 3, m_playlistID);
        update.bindText(4, providerID);
        if (sqlite3_step(update.get()) != SQLITE_DONE) {
            update.rewind();
            sqlite3_exec(handle, "ROLLBACK", nullptr, nullptr, nullptr);
            return 0;
        }
    }
    update.rewind();
    if (sqlite3_exec(handle, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK) {
        sqlite3_exec(handle, "ROLLBACK", nullptr, nullptr, nullptr);
        return 0;
    }
    return int(links.size());
}
