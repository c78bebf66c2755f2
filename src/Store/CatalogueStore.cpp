#include "CatalogueStore.h"

#include "Catalogue/CatalogueDatabaseError.h"
#include "Catalogue/CataloguePageReader.h"
#include "Catalogue/CatalogueSchema.h"
#include "Support/AssignIfChanged.h"
#include "Support/Async.h"
#include "Support/Clock.h"
#include "Support/Logging.h"
#include "Support/PrefKeys.h"
#include "Support/UserSettings.h"

#include <QDir>
#include <QPointer>
#include <QStandardPaths>

#include <sqlite3.h>

using namespace Qt::StringLiterals;

CatalogueStoreOptions CatalogueStoreOptions::fromEnvironment(const QStringList &arguments)
{
    CatalogueStoreOptions options;
    const QString custom = qEnvironmentVariable("QUILLMERE_DATA_DIRECTORY");
    options.dataDirectory = custom.isEmpty()
        ? QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + u"/Quillmere"_s
        : custom;
    options.autoRefresh = !arguments.contains(u"--no-auto-refresh"_s);
    return options;
}

CatalogueStore::CatalogueStore(CatalogueStoreOptions options, KeyringBackend &keyring, Clock &clock, QObject *parent)
    : QObject(parent)
    , m_options(std::move(options))
    , m_clock(clock)
    , m_credentials(keyring)
{
    // A directory that cannot be made shows up as a failed open during start-up.
    QDir().mkpath(m_options.dataDirectory);
    m_databasePath = QDir(m_options.dataDirectory).filePath(u"quillmere_catalogue.sqlite"_s);
    m_pageReader = std::make_unique<CataloguePageReader>(m_databasePath);
    m_startUp = Job<void>::start([self = QPointer(this)](std::stop_token) -> QCoro::Task<void> {
        if (self)
            co_await self->startUp();
    });
}

CatalogueStore::~CatalogueStore()
{
    m_scheduler.cancel();
    for (const auto &job : std::as_const(m_importTasks))
        job.cancel();
    for (const auto &job : std::as_const(m_guideTasks))
        job.cancel();
    // A test waiting on a silent server would otherwise hold a worker thread, and with it the
    // program's exit, for the account check's whole time-out.
    for (const auto &job : std::as_const(m_connectionTasks))
        job.cancel();
    sqlite3_close_v2(m_database);
}

QCoro::Task<void> CatalogueStore::started() const
{
    const Job<void> startUp = m_startUp;
    co_await startUp.finished();
}

QCoro::Task<void> CatalogueStore::startUp()
{
    QPointer<CatalogueStore> self(this);
    const QString path = m_databasePath;
    std::exception_ptr schemaFailure;
    try {
        co_await Async::detached([path] { CatalogueSchema::prepare(path); });
    } catch (...) {
        schemaFailure = std::current_exception();
    }
    if (!self)
        co_return;
    if (schemaFailure) {
        setDatabaseError(safeError(schemaFailure));
        setInitializing(false);
        co_return;
    }
    if (!openConnection()) {
        setDatabaseError(
            safeError(std::make_exception_ptr(CatalogueDatabaseError(u"The catalogue could not be opened."_s))));
        setInitializing(false);
        co_return;
    }
    execute(u"PRAGMA foreign_keys=ON"_s);
    refreshSnapshot();
    loadHealthRecords();
    setInitializing(false);
    warmLoginCache();
    if (m_options.autoRefresh) {
        startQueuedImports();
        startRefreshScheduler();
    }
}

bool CatalogueStore::openConnection()
{
    sqlite3 *handle = nullptr;
    const QByteArray path = m_databasePath.toUtf8();
    if (sqlite3_open(path.constData(), &handle) != SQLITE_OK) {
        // A half-open handle is closed so that the store never works on a broken connection.
        sqlite3_close(handle);
        return false;
    }
    m_database = handle;
    sqlite3_busy_timeout(m_database, 100);
    return true;
}

void CatalogueStore::loadHealthRecords()
{
    for (const Playlist &playlist : std::as_const(m_playlists)) {
        const QVariant stored = UserSettings::value(u"quillmere.health."_s + QString::number(playlist.id));
        if (stored.typeId() == QMetaType::QByteArray || stored.typeId() == QMetaType::QString) {
            if (const auto record = SourceHealth::decoded(stored.toByteArray())) {
                m_health.insert(playlist.id, *record);
                Q_EMIT healthChanged();
            }
        }
        const SourceHealth record = m_health.value(playlist.id);
        if (record.guideInProgress.value_or(false)) {
            updateHealth(playlist.id, [](SourceHealth &health) {
                health.guideInProgress = false;
                health.guideAttempt.reset();
                health.guideError = u"The previous guide refresh was interrupted. Refresh EPG to try again."_s;
            });
        }
        if (!m_health.value(playlist.id).lastCatalogueSuccess && playlist.lastSyncedAt) {
            const QDateTime lastSync = *playlist.lastSyncedAt;
            updateHealth(playlist.id, [lastSync](SourceHealth &health) { health.lastCatalogueSuccess = lastSync; });
        }
    }
}

void CatalogueStore::warmLoginCache()
{
    // Stream addresses are built while the user waits for a picture, so every login is read
    // from the keyring once, ahead of time.
    for (const Playlist &playlist : std::as_const(m_playlists))
        readLoginInBackground(playlist.credentialReference);
}

void CatalogueStore::readLoginInBackground(const QString &reference)
{
    [](QPointer<CatalogueStore> self, QString reference) -> QCoro::Task<void> {
        try {
            co_await self->m_credentials.read(reference);
            if (self)
                self->m_loginErrors.remove(reference);
        } catch (...) {
            const QString sentence = safeError(std::current_exception());
            if (self)
                self->m_loginErrors.insert(reference, sentence);
        }
    }(QPointer(this), reference);
}

void CatalogueStore::execute(const QString &sql)
{
    if (!m_database)
        return;
    const QByteArray text = sql.toUtf8();
    const int result = sqlite3_exec(m_database, text.constData(), nullptr, nullptr, nullptr);
    if (result != SQLITE_OK && !sql.startsWith(u"ALTER TABLE"_s))
        setDatabaseError(u"The local catalogue could not be updated (SQLite "_s + QString::number(result) + u")."_s);
}

SqliteStatement CatalogueStore::prepare(const QString &sql)
{
    if (!m_database)
        return {};
    SqliteStatement statement(m_database, sql);
    if (!statement)
        setDatabaseError(u"The local catalogue could not be read (SQLite "_s + QString::number(sqlite3_errcode(m_database))
                         + u")."_s);
    return statement;
}

void CatalogueStore::checkWrite(SqliteStatement &statement)
{
    const int result = statement.step();
    if (result != SQLITE_DONE)
        setDatabaseError(u"A library change could not be saved (SQLite "_s + QString::number(result)
                         + u"). Please try again."_s);
}

void CatalogueStore::refreshSnapshot()
{
    setPlaylists(loadPlaylists());
    const auto isListed = [this](qint64 id) { return playlist(id).has_value(); };
    if (!m_selectedPlaylistID) {
        const qint64 stored = Prefs::read(PrefKeys::activePlaylistID);
        if (isListed(stored))
            setSelectedPlaylistID(stored);
    }
    if (!m_selectedPlaylistID || !isListed(*m_selectedPlaylistID))
        setSelectedPlaylistID(fallbackPlaylistID());
    const std::optional<qint64> active = activePlaylistID();
    qCInfo(lcCatalogue, "Catalogue snapshot refreshed. playlistCount=%lld, activePlaylistID=%lld",
           qint64(m_playlists.size()), active.value_or(0));

    const int playlistCount = int(m_playlists.size());
    const int readyCount = readyPlaylistCount();
    [](QPointer<CatalogueStore> self, std::optional<qint64> active, int playlistCount,
       int readyCount) -> QCoro::Task<void> {
        try {
            const std::array<qint64, 3> counts = co_await self->m_pageReader->counts(active);
            // Counts of a playlist the user has since left are dropped.
            if (!self || self->activePlaylistID() != active)
                co_return;
            self->setSnapshot({playlistCount, readyCount, counts[0], counts[1], counts[2]});
        } catch (...) {
            const QString sentence = safeError(std::current_exception());
            if (self)
                self->setDatabaseError(sentence);
        }
    }(QPointer(this), active, playlistCount, readyCount);
}

void CatalogueStore::clearDatabaseError()
{
    if (!m_databaseError)
        return;
    m_databaseError.reset();
    Q_EMIT databaseErrorChanged();
}

void CatalogueStore::setSnapshot(const CatalogueSnapshot &snapshot)
{
    if (assignIfChanged(m_snapshot, snapshot))
        Q_EMIT snapshotChanged();
}

void CatalogueStore::setPlaylists(const QList<Playlist> &playlists)
{
    if (assignIfChanged(m_playlists, playlists))
        Q_EMIT playlistsChanged();
}

void CatalogueStore::setSelectedPlaylistID(std::optional<qint64> id)
{
    if (assignIfChanged(m_selectedPlaylistID, id))
        Q_EMIT selectedPlaylistIDChanged();
}

void CatalogueStore::setActivity(qint64 playlistID, const QString &text)
{
    m_activity.insert(playlistID, text);
    Q_EMIT activityChanged();
}

void CatalogueStore::removeActivity(qint64 playlistID)
{
    m_activity.remove(playlistID);
    Q_EMIT activityChanged();
}

void CatalogueStore::setDatabaseError(const QString &sentence)
{
    if (assignIfChanged(m_databaseError, sentence))
        Q_EMIT databaseErrorChanged();
}

void CatalogueStore::setInitializing(bool initializing)
{
    if (assignIfChanged(m_isInitializing, initializing))
        Q_EMIT isInitializingChanged();
}

void CatalogueStore::bumpCatalogueRevision()
{
    ++m_catalogueRevision;
    Q_EMIT catalogueRevisionChanged();
}

void CatalogueStore::bumpLibraryRevision()
{
    ++m_libraryRevision;
    Q_EMIT libraryRevisionChanged();
}

void CatalogueStore::bumpCategoryOrderRevision()
{
    ++m_categoryOrderRevision;
    Q_EMIT categoryOrderRevisionChanged();
}
