#include "Catalogue/CatalogueDatabase.h"
#include "Catalogue/CredentialStoreError.h"
#include "Provider/XtreamAPIError.h"
#include "Store/CatalogueStore.h"
#include "Support/UserSettings.h"
#include "support/AwaitBlocking.h"
#include "support/CatalogueGenerator.h"
#include "support/StoreHarness.h"

#include <QSignalSpy>
#include <QTest>
#include <QThreadPool>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

struct ImportedSource
{
    ImportedSource()
        : playlist(harness.startWithImportedPlaylist({20, 20, 5}))
    {
        harness.store().toggleFavourite(firstLiveItem());
    }

    MediaItem firstLiveItem()
    {
        MediaItem item;
        item.kind = CatalogueKind::Live;
        item.providerID = harness.rows(u"SELECT provider_id FROM content_items WHERE kind='live' LIMIT 1"_s).constFirst();
        return item;
    }

    StoreHarness harness;
    Playlist playlist;
};

} // namespace

class CatalogueStoreSourcesTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void anEditReplacesTheLoginAndKeepsTheData()
    {
        ImportedSource source;
        CatalogueStore &store = source.harness.store();
        const QStringList catalogue = source.harness.catalogueRows();
        const QUrl server = source.harness.provider().serverURL();
        const XtreamCredentials login = source.harness.provider().credentials();

        awaitBlocking(store.editPlaylist(source.playlist, u"Renamed"_s, server, login.username, login.password));
        const Playlist edited = *source.harness.listed(source.playlist.id);
        QCOMPARE(edited.name, u"Renamed"_s);
        QVERIFY(edited.credentialReference != source.playlist.credentialReference);
        QVERIFY(!source.harness.keyring().contains(CredentialStore::service, source.playlist.credentialReference));
        QVERIFY(source.harness.keyring().contains(CredentialStore::service, edited.credentialReference));
        QCOMPARE(source.harness.catalogueRows(), catalogue);
        QCOMPARE(source.harness.rows(u"SELECT COUNT(*) FROM favourites"_s), QStringList{u"1"_s});
        // The edit ends with a connection test of the new login.
        QTRY_VERIFY(store.health().value(edited.id).connectionChecked.has_value());
        QCOMPARE(store.health().value(edited.id).connectionError, std::nullopt);
        QCOMPARE(edited.syncState, u"ready"_s);
    }

    void anEditWhileRefreshingIsRefused()
    {
        ImportedSource source;
        CatalogueStore &store = source.harness.store();
        FakeFault stall;
        stall.stallAfterBytes = 0;
        source.harness.provider().setFault(u"account"_s, stall);
        store.startImport(source.playlist);
        const QString sentence = failureSentence<XtreamAPIError>(
            store.editPlaylist(source.playlist, u"Other"_s, source.playlist.serverURL, u"u"_s, u"p"_s));
        QCOMPARE(sentence, u"Cancel the active refresh before editing this playlist."_s);
        QCOMPARE(source.harness.keyring().itemCount(), 1);
        store.cancelRefresh(source.playlist.id);
        QVERIFY(source.harness.waitUntilIdle(source.playlist.id));
    }

    void aFailedKeyringSaveChangesNothing()
    {
        ImportedSource source;
        source.harness.keyring().failWith(KeyringBackend::unavailable);
        const QString sentence = failureSentence<CredentialStoreError>(source.harness.store().editPlaylist(
            source.playlist, u"Other"_s, source.playlist.serverURL, u"u"_s, u"p"_s));
        QCOMPARE(sentence, u"Could not save playlist credentials (keyring status -25291)."_s);
        QCOMPARE(source.harness.listed(source.playlist.id)->name, u"Provider"_s);
        QVERIFY(!source.harness.store().isRefreshing(source.playlist.id));
    }

    // The database refuses the edit: the new keyring item goes again, and the playlist keeps
    // its name, its address and its one item, the old one.
    void anEditTheDatabaseRefusesKeepsTheOldLogin()
    {
        ImportedSource source;
        CatalogueDatabase(source.harness.databasePath())
            .execute(u"CREATE TRIGGER refuse_edit BEFORE UPDATE ON playlists BEGIN SELECT RAISE(ABORT, 'refused'); END"_s);
        const QString sentence = failureSentence<CatalogueDatabaseError>(source.harness.store().editPlaylist(
            source.playlist, u"Other"_s, source.playlist.serverURL, u"u"_s, u"p"_s));
        QCOMPARE(sentence, u"Local database error (19): refused"_s);
        QCOMPARE(source.harness.keyring().itemCount(), 1);
        QVERIFY(source.harness.keyring().contains(CredentialStore::service, source.playlist.credentialReference));
        QCOMPARE(*source.harness.listed(source.playlist.id), source.playlist);
        QVERIFY(!source.harness.store().isRefreshing(source.playlist.id));
    }

    void removalWaitsForTheImportAndCascades()
    {
        ImportedSource source;
        CatalogueStore &store = source.harness.store();
        FakeFault trickle;
        trickle.pieceBytes = 64;
        trickle.pause = 20ms;
        source.harness.provider().setFault(u"get_live_streams"_s, trickle);
        store.startImport(source.playlist);
        QTRY_COMPARE(store.activity().value(source.playlist.id), u"Downloading live tv"_s);
        QSignalSpy removalStarted(&store, &CatalogueStore::playlistRemovalStarted);

        bool removed = false;
        auto remove = [&]() -> QCoro::Task<> {
            co_await store.removePlaylist(source.playlist);
            removed = true;
        };
        remove();
        QCOMPARE(removalStarted.size(), 1);
        // A second removal while the first runs is refused at once, never reported as done.
        QString refusal;
        auto again = [&]() -> QCoro::Task<> {
            try {
                co_await store.removePlaylist(source.playlist);
            } catch (const XtreamAPIError &error) {
                refusal = error.description();
            }
        };
        again();
        QCOMPARE(refusal, u"This playlist is being changed. Try again once that has finished."_s);
        QCOMPARE(removalStarted.size(), 1);
        QVERIFY(store.isRefreshing(source.playlist.id));
        QTRY_VERIFY_WITH_TIMEOUT(removed, 30000);

        QVERIFY(store.playlists().isEmpty());
        QCOMPARE(store.selectedPlaylistID(), std::nullopt);
        QVERIFY(!store.health().contains(source.playlist.id));
        QVERIFY(!UserSettings::value(u"quillmere.health."_s + QString::number(source.playlist.id)).isValid());
        QCOMPARE(source.harness.keyring().itemCount(), 0);
        for (const QString &table : {u"categories"_s, u"content_items"_s, u"favourites"_s, u"epg_programmes"_s})
            QCOMPARE(source.harness.rows(u"SELECT COUNT(*) FROM "_s + table), QStringList{u"0"_s});
    }

    void aKeyringFailureAfterTheRowWentStillFinishesTheRemoval()
    {
        ImportedSource source;
        CatalogueStore &store = source.harness.store();
        source.harness.keyring().failWith(KeyringBackend::unavailable);
        const QString sentence = failureSentence<CredentialStoreError>(store.removePlaylist(source.playlist));
        QCOMPARE(sentence, u"Could not save playlist credentials (keyring status -25291)."_s);
        QVERIFY(store.playlists().isEmpty());
        QVERIFY(!store.health().contains(source.playlist.id));
        QVERIFY(!store.isRefreshing(source.playlist.id));
    }

    void connectionTestsRecordTheirOutcome()
    {
        ImportedSource source;
        CatalogueStore &store = source.harness.store();
        FakeFault slow;
        slow.pieceBytes = 8;
        slow.pause = 5ms;
        source.harness.provider().setFault(u"account"_s, slow);
        source.harness.provider().clearRequests();
        store.testConnection(source.playlist);
        store.testConnection(source.playlist); // joins the running test
        QTRY_VERIFY(store.health().value(source.playlist.id).connectionChecked.has_value());
        QTRY_VERIFY(!store.isRefreshing(source.playlist.id));
        QCOMPARE(source.harness.provider().requests().size(), 1);

        source.harness.provider().setLogin(u"someone"_s, u"else"_s);
        store.testConnection(source.playlist);
        QTRY_COMPARE(store.health().value(source.playlist.id).connectionError,
                     std::optional(u"The provider did not accept these credentials."_s));
    }

    // An edit while the connection test of the old login waits on the server: the new login is
    // what gets checked, and the old test's late end changes nothing.
    void anEditDuringAConnectionTestChecksTheNewLogin()
    {
        ImportedSource source;
        CatalogueStore &store = source.harness.store();
        FakeProvider &provider = source.harness.provider();
        provider.setFault(u"account"_s, {.stallAfterBytes = 0});
        provider.clearRequests();
        store.testConnection(source.playlist);
        QTRY_COMPARE(provider.requests().size(), 1);

        provider.clearFaults();
        provider.setLogin(u"anna"_s, u"new secret"_s);
        awaitBlocking(store.editPlaylist(source.playlist, u"Renamed"_s, source.playlist.serverURL, u"anna"_s,
                                         u"new secret"_s));
        QTRY_VERIFY(store.health().value(source.playlist.id).connectionChecked.has_value());
        QCOMPARE(store.health().value(source.playlist.id).connectionError, std::nullopt);
        QTRY_VERIFY(!store.isRefreshing(source.playlist.id));
        // Once the tests have ended, a new request runs a new test.
        provider.clearRequests();
        store.testConnection(*source.harness.listed(source.playlist.id));
        QTRY_COMPARE(provider.requests().size(), 1);
    }

    // Removal cancels a running connection test at once instead of waiting out the account
    // check's 15 s time-out against a silent server.
    void removalCancelsARunningConnectionTest()
    {
        ImportedSource source;
        CatalogueStore &store = source.harness.store();
        source.harness.provider().setFault(u"account"_s, {.stallAfterBytes = 0});
        source.harness.provider().clearRequests();
        store.testConnection(source.playlist);
        QTRY_COMPARE(source.harness.provider().requests().size(), 1);
        bool removed = false;
        auto remove = [&]() -> QCoro::Task<> {
            co_await store.removePlaylist(source.playlist);
            removed = true;
        };
        remove();
        QTRY_VERIFY_WITH_TIMEOUT(removed, 5000);
        QVERIFY(store.playlists().isEmpty());
        QVERIFY(!store.health().contains(source.playlist.id));
    }

    // A store that goes while its connection test waits on a silent server ends the test at
    // once: the program's exit waits for every worker thread.
    void aStoreThatGoesEndsItsConnectionTest()
    {
        ImportedSource source;
        source.harness.provider().setFault(u"account"_s, {.stallAfterBytes = 0});
        source.harness.provider().clearRequests();
        source.harness.store().testConnection(source.playlist);
        QTRY_COMPARE(source.harness.provider().requests().size(), 1);
        source.harness.stop();
        QVERIFY(QThreadPool::globalInstance()->waitForDone(5000));
    }

    void aManualGuideRefreshWithoutALoginRecordsTheKeyringSentence()
    {
        ImportedSource source;
        CatalogueStore &store = source.harness.store();
        awaitBlocking([&]() -> QCoro::Task<bool> {
            co_await store.credentialStore().remove(source.playlist.credentialReference);
            co_return true;
        }());
        QTest::ignoreMessage(QtWarningMsg, "Keyring read failed for credential reference <private>; status=-25300");
        store.refreshEPG(source.playlist);
        QTRY_COMPARE(store.health().value(source.playlist.id).guideError,
                     std::optional(u"Could not read playlist credentials (keyring status -25300)."_s));
        QVERIFY(!store.isRefreshing(source.playlist.id));
    }

    void cancellingAManualGuideRefreshKeepsTheGuide()
    {
        ImportedSource source;
        CatalogueStore &store = source.harness.store();
        FakeGuide guide;
        guide.start = source.harness.clock().now();
        guide.channelIDs = {u"a"_s};
        source.harness.provider().setGuide(guide);
        FakeFault stall;
        stall.stallAfterBytes = 100;
        source.harness.provider().setFault(u"xmltv"_s, stall);
        const QStringList before = source.harness.rows(u"SELECT * FROM epg_programmes"_s);
        store.refreshEPG(source.playlist);
        QTRY_VERIFY(store.health().value(source.playlist.id).guideInProgress.value_or(false));
        store.cancelRefresh(source.playlist.id);
        QVERIFY(source.harness.waitUntilIdle(source.playlist.id));
        // The manual refresh records the sentence for the error the guide refresh passed on.
        QTRY_COMPARE(store.health().value(source.playlist.id).guideError,
                     std::optional(u"The refresh could not be completed. Your previous data has been kept."_s));
        QCOMPARE(store.health().value(source.playlist.id).guideInProgress, std::optional(false));
        QCOMPARE(source.harness.rows(u"SELECT * FROM epg_programmes"_s), before);
    }
};

QTEST_GUILESS_MAIN(CatalogueStoreSourcesTest)
#include "tst_cataloguestore_sources.moc"
