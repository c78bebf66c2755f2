#include "Catalogue/CatalogueDatabase.h"
#include "Catalogue/CatalogueSchema.h"
#include "Store/CatalogueStore.h"
#include "Support/UserSettings.h"
#include "support/AwaitBlocking.h"
#include "support/CatalogueGenerator.h"
#include "support/ConnectionHook.h"
#include "support/InMemoryKeyring.h"
#include "support/StoreHarness.h"
#include "support/VirtualClock.h"

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

using namespace Qt::StringLiterals;

namespace {

// Starts a store on a directory and waits for its start-up task.
std::unique_ptr<CatalogueStore> startedStore(const QString &directory, InMemoryKeyring &keyring, Clock &clock,
                                             bool autoRefresh = false)
{
    CatalogueStoreOptions options;
    options.dataDirectory = directory;
    options.autoRefresh = autoRefresh;
    auto store = std::make_unique<CatalogueStore>(options, keyring, clock);
    awaitBlocking(store->started());
    return store;
}

void seedPlaylist(const QString &path, qint64 id, const QString &name, const QString &state,
                  std::optional<double> lastSync = std::nullopt, const QString &reference = u"REF"_s)
{
    CatalogueSchema::prepare(path);
    CatalogueDatabase database(path);
    database.execute(u"INSERT INTO playlists (id, name, server_url, credential_ref, sync_state, last_sync_at) VALUES (?, ?, 'http://provider.example', ?, ?, ?)"_s,
                     {QString::number(id), name, reference, state,
                      lastSync ? std::optional(QString::number(*lastSync, 'f', 0)) : std::nullopt});
}

// Fails every connection opened on the main thread, the store's own, and no other.
int refuseMainThreadConnections(sqlite3 *, char **error, const sqlite3_api_routines *)
{
    if (QThread::currentThread() != QCoreApplication::instance()->thread())
        return SQLITE_OK;
    *error = sqlite3_mprintf("refused");
    return SQLITE_ERROR;
}

} // namespace

class CatalogueStoreStartupTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        QStandardPaths::setTestModeEnabled(true);
        UserSettings::open()->clear();
    }

    void optionsComeFromTheEnvironmentAndArguments()
    {
        qputenv("QUILLMERE_DATA_DIRECTORY", "/tmp/quillmere-elsewhere");
        CatalogueStoreOptions options = CatalogueStoreOptions::fromEnvironment({u"quillmere"_s, u"--no-auto-refresh"_s});
        QCOMPARE(options.dataDirectory, u"/tmp/quillmere-elsewhere"_s);
        QVERIFY(!options.autoRefresh);
        qunsetenv("QUILLMERE_DATA_DIRECTORY");
        options = CatalogueStoreOptions::fromEnvironment({u"quillmere"_s, u"--no-auto-refresh=1"_s});
        QVERIFY(options.dataDirectory.endsWith(u"/Quillmere"_s));
        QVERIFY(options.autoRefresh); // only the exact argument counts
    }

    void aMissingDataDirectoryIsCreatedWithTheCatalogue()
    {
        QTemporaryDir root;
        InMemoryKeyring keyring;
        VirtualClock clock;
        const QString directory = root.filePath(u"a/b/c"_s);
        const auto store = startedStore(directory, keyring, clock);
        QVERIFY(!store->isInitializing());
        QCOMPARE(store->databaseError(), std::nullopt);
        QVERIFY(QFileInfo::exists(directory + u"/quillmere_catalogue.sqlite"_s));
        QVERIFY(store->playlists().isEmpty());
        QCOMPARE(store->activePlaylistID(), std::nullopt);
        QCOMPARE(store->snapshot(), CatalogueSnapshot{});
    }

    void aFileThatCannotBeOpenedGivesASentenceAndNoConnection()
    {
        QTemporaryDir root;
        InMemoryKeyring keyring;
        VirtualClock clock;
        // A directory where the database file should be cannot be opened as a database.
        QVERIFY(QDir(root.path()).mkpath(u"quillmere_catalogue.sqlite"_s));
        const auto store = startedStore(root.path(), keyring, clock);
        QVERIFY(!store->isInitializing());
        QCOMPARE(store->databaseError(), std::optional(u"The local catalogue could not be opened."_s));
        QVERIFY(store->playlists().isEmpty());
        // Without a connection every statement quietly does nothing.
        QVERIFY(!store->prepare(u"SELECT 1"_s));
    }

    // The schema step, on a connection of its own, succeeds; only the store's own open fails.
    void theStoresOwnOpenFailingGivesItsSentence()
    {
        QTemporaryDir root;
        InMemoryKeyring keyring;
        VirtualClock clock;
        const ConnectionHook hook(&refuseMainThreadConnections);
        const auto store = startedStore(root.path(), keyring, clock);
        QVERIFY(QFileInfo::exists(root.filePath(u"quillmere_catalogue.sqlite"_s)));
        QVERIFY(!store->isInitializing());
        QCOMPARE(store->databaseError(), std::optional(u"The catalogue could not be opened."_s));
        QVERIFY(!store->prepare(u"SELECT 1"_s));
    }

    void aDamagedFileGivesTheDatabaseSentence()
    {
        QTemporaryDir root;
        InMemoryKeyring keyring;
        VirtualClock clock;
        QFile damaged(root.filePath(u"quillmere_catalogue.sqlite"_s));
        QVERIFY(damaged.open(QIODevice::WriteOnly));
        damaged.write(QByteArray(8192, 'x'));
        damaged.close();
        const auto store = startedStore(root.path(), keyring, clock);
        QVERIFY(!store->isInitializing());
        QVERIFY(store->databaseError().has_value());
        QVERIFY(store->databaseError()->startsWith(u"Local database error (26)"_s));
    }

    void startUpRepairsWhatTheLastRunLeftBehind()
    {
        QTemporaryDir root;
        InMemoryKeyring keyring;
        VirtualClock clock;
        const QString path = root.filePath(u"quillmere_catalogue.sqlite"_s);
        seedPlaylist(path, 1, u"Syncing"_s, u"syncing"_s, 1'700'000'000);
        seedPlaylist(path, 2, u"Ready"_s, u"ready"_s, 1'700'000'500);
        SourceHealth interruptedGuide;
        interruptedGuide.guideInProgress = true;
        interruptedGuide.guideAttempt = QDateTime::fromSecsSinceEpoch(1'700'000'100, Qt::UTC);
        interruptedGuide.lastGuideSuccess = QDateTime::fromSecsSinceEpoch(1'690'000'000, Qt::UTC);
        interruptedGuide.guideProgrammeCount = 420;
        UserSettings::setValue(u"quillmere.health.1"_s, interruptedGuide.encoded());
        SourceHealth ownSuccess;
        ownSuccess.lastCatalogueSuccess = QDateTime::fromSecsSinceEpoch(1'600'000'000, Qt::UTC);
        UserSettings::setValue(u"quillmere.health.2"_s, ownSuccess.encoded());

        const auto store = startedStore(root.path(), keyring, clock);
        QCOMPARE(store->playlists().size(), 2);
        const Playlist syncing = store->playlists().at(0).id == 1 ? store->playlists().at(0) : store->playlists().at(1);
        QCOMPARE(syncing.syncState, u"interrupted"_s);
        QCOMPARE(syncing.syncProgress, 0);

        const SourceHealth repaired = store->health().value(1);
        QCOMPARE(repaired.guideInProgress, std::optional(false));
        QCOMPARE(repaired.guideAttempt, std::nullopt);
        QCOMPARE(repaired.guideError,
                 std::optional(u"The previous guide refresh was interrupted. Refresh EPG to try again."_s));
        QCOMPARE(repaired.guideProgrammeCount, std::optional<qint64>(420));
        QCOMPARE(repaired.lastCatalogueSuccess, std::optional(QDateTime::fromSecsSinceEpoch(1'700'000'000, Qt::UTC)));
        // A record with a success of its own keeps it.
        QCOMPARE(store->health().value(2).lastCatalogueSuccess, ownSuccess.lastCatalogueSuccess);
        // The repair is stored, so the next start sees it too.
        QCOMPARE(SourceHealth::decoded(UserSettings::value(u"quillmere.health.1"_s).toByteArray()), std::optional(repaired));

        // Without automatic refresh nothing was started.
        QVERIFY(!store->isRefreshing(1));
        QVERIFY(!store->isRefreshing(2));
    }

    void theSelectionIsRestoredOrRepaired()
    {
        QTemporaryDir root;
        InMemoryKeyring keyring;
        VirtualClock clock;
        const QString path = root.filePath(u"quillmere_catalogue.sqlite"_s);
        seedPlaylist(path, 1, u"alpha"_s, u"queued"_s);
        seedPlaylist(path, 2, u"Beta"_s, u"ready"_s);
        seedPlaylist(path, 3, u"gamma"_s, u"error"_s);

        UserSettings::setValue(u"quillmere.activePlaylistID"_s, 99);
        auto store = startedStore(root.path(), keyring, clock);
        QCOMPARE(store->selectedPlaylistID(), std::optional<qint64>(2)); // the first ready one
        QStringList names;
        for (const Playlist &playlist : store->playlists())
            names.append(playlist.name);
        QCOMPARE(names, (QStringList{u"alpha"_s, u"Beta"_s, u"gamma"_s}));

        store->selectPlaylist(3);
        QCOMPARE(store->playlists().constFirst().id, 3);
        QCOMPARE(UserSettings::value(u"quillmere.activePlaylistID"_s).toLongLong(), 3);
        store->selectPlaylist(42); // not listed: nothing changes
        QCOMPARE(store->selectedPlaylistID(), std::optional<qint64>(3));
        QCOMPARE(UserSettings::value(u"quillmere.activePlaylistID"_s).toLongLong(), 3);

        store.reset();
        store = startedStore(root.path(), keyring, clock);
        QCOMPARE(store->selectedPlaylistID(), std::optional<qint64>(3));
        QCOMPARE(store->playlists().constFirst().id, 3);
    }

    void aPlaylistLeftSyncingIsImportedAgainWithAutomaticRefresh()
    {
        StoreHarness harness(true);
        harness.provider().setCatalogue(generateCatalogue({20, 30, 10}));
        const XtreamCredentials login = harness.provider().credentials();
        CredentialStore credentials(harness.keyring());
        const QString reference = awaitBlocking(credentials.save(login.serverURL, login.username, login.password));
        seedPlaylist(harness.databasePath(), 1, u"Provider"_s, u"syncing"_s, std::nullopt, reference);

        harness.start();
        QVERIFY(harness.store().isRefreshing(1));
        QVERIFY(harness.waitUntilIdle(1));
        QCOMPARE(harness.listed(1)->syncState, u"ready"_s);
        QCOMPARE(harness.rows(u"SELECT COUNT(*) FROM content_items"_s), QStringList{u"60"_s});
        // The scheduler's first check found the import running and started nothing more.
        QCOMPARE(harness.clock().pendingSleeps(), 1);
    }
};

QTEST_GUILESS_MAIN(CatalogueStoreStartupTest)
#include "tst_cataloguestore_startup.moc"
