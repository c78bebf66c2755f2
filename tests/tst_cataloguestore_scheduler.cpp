#include "Catalogue/CatalogueDatabase.h"
#include "Catalogue/CatalogueSchema.h"
#include "Store/CatalogueStore.h"
#include "Support/UserSettings.h"
#include "support/AwaitBlocking.h"
#include "support/StoreHarness.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

constexpr qint64 hour = 3600;

// A playlist with a stored health record whose attempts lie the given seconds in the past.
void seedSource(StoreHarness &harness, std::optional<qint64> catalogueAge, std::optional<qint64> guideAge)
{
    const XtreamCredentials login = harness.provider().credentials();
    CredentialStore credentials(harness.keyring());
    const QString reference = awaitBlocking(credentials.save(login.serverURL, login.username, login.password));
    CatalogueSchema::prepare(harness.databasePath());
    CatalogueDatabase database(harness.databasePath());
    database.execute(u"INSERT INTO playlists (id, name, server_url, credential_ref, sync_state) VALUES (1, 'Provider', ?, ?, 'ready')"_s,
                     {login.serverURL.toString(), reference});
    SourceHealth health;
    const QDateTime now = harness.clock().now();
    if (catalogueAge)
        health.catalogueAttempt = now.addSecs(-*catalogueAge);
    if (guideAge)
        health.lastGuideSuccess = now.addSecs(-*guideAge);
    UserSettings::setValue(u"quillmere.health.1"_s, health.encoded());
}

bool importStarted(CatalogueStore &store)
{
    return store.activity().value(1) == u"Connecting to provider"_s;
}

bool guideStarted(CatalogueStore &store)
{
    return store.health().value(1).guideInProgress.value_or(false);
}

// Holds every provider request open, so that whatever a check starts stays visible.
void stallProvider(StoreHarness &harness)
{
    FakeFault stall;
    stall.stallAfterBytes = 0;
    harness.provider().setFault(u"account"_s, stall);
    harness.provider().setFault(u"xmltv"_s, stall);
}

} // namespace

class CatalogueStoreSchedulerTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void dueSources_data()
    {
        QTest::addColumn<QVariant>("catalogueHours");
        QTest::addColumn<QVariant>("autoCatalogue");
        QTest::addColumn<qint64>("catalogueAge"); // -1: never attempted
        QTest::addColumn<qint64>("guideAge");     // -1: never succeeded
        QTest::addColumn<bool>("import");
        QTest::addColumn<bool>("guide");

        const QVariant none;
        QTest::newRow("never refreshed: catalogue only") << none << none << qint64(-1) << qint64(-1) << true << false;
        QTest::newRow("failed 23 h ago: not yet") << none << none << 23 * hour << 1 * hour << false << false;
        QTest::newRow("failed 24 h ago: again") << none << none << 24 * hour << 1 * hour << true << false;
        QTest::newRow("guide 4 h old") << none << none << 2 * hour << 4 * hour << false << true;
        QTest::newRow("guide never: at once") << none << none << 2 * hour << qint64(-1) << false << true;
        QTest::newRow("0 hours means 24") << QVariant(0) << none << 23 * hour << 1 * hour << false << false;
        // Ages chosen so that only the one-hour floor decides.
        QTest::newRow("half an hour means 1 h") << QVariant(0.5) << none << 45 * 60LL << 1 * hour << false << false;
        QTest::newRow("negative means 1 h") << QVariant(-3) << none << 1 * hour + 1 << 1 * hour << true << false;
        QTest::newRow("negative means 1 h, not less") << QVariant(-3) << none << 1 * hour - 1 << 1 * hour << false << false;
        QTest::newRow("6 hours") << QVariant(6) << none << 6 * hour << 1 * hour << true << false;
        QTest::newRow("damaged: never") << QVariant(1e300) << none << 48 * hour << 1 * hour << false << false;
        QTest::newRow("catalogue switched off") << none << QVariant(false) << 48 * hour << 5 * hour << false << true;
        QTest::newRow("switch holding a text stays on") << none << QVariant(u"no"_s) << 48 * hour << 5 * hour << true << false;
    }

    void dueSources()
    {
        QFETCH(QVariant, catalogueHours);
        QFETCH(QVariant, autoCatalogue);
        QFETCH(qint64, catalogueAge);
        QFETCH(qint64, guideAge);
        QFETCH(bool, import);
        QFETCH(bool, guide);

        StoreHarness harness;
        stallProvider(harness);
        seedSource(harness, catalogueAge < 0 ? std::nullopt : std::optional(catalogueAge),
                   guideAge < 0 ? std::nullopt : std::optional(guideAge));
        if (catalogueHours.isValid())
            UserSettings::setValue(u"catalogueRefreshHours"_s, catalogueHours);
        if (autoCatalogue.isValid())
            UserSettings::setValue(u"autoRefreshPlaylist"_s, autoCatalogue);
        harness.start();

        harness.store().refreshDueSources();
        QCOMPARE(importStarted(harness.store()), import);
        QTRY_COMPARE(guideStarted(harness.store()), guide);
    }

    void busySourcesAreSkipped()
    {
        StoreHarness harness;
        stallProvider(harness);
        seedSource(harness, std::nullopt, 10 * hour);
        harness.start();
        CatalogueStore &store = harness.store();
        store.startImport(*harness.listed(1));
        const SourceHealth during = store.health().value(1);
        store.refreshDueSources();
        QCOMPARE(store.health().value(1), during);
        QVERIFY(!guideStarted(store));
        store.refreshEPG(*harness.listed(1)); // a manual guide refresh refuses as well
        QVERIFY(!guideStarted(store));
        store.cancelRefresh(1);
        QVERIFY(harness.waitUntilIdle(1));

        // A running guide refresh keeps an import away too.
        store.refreshEPG(*harness.listed(1));
        QTRY_VERIFY(guideStarted(store));
        const SourceHealth guiding = store.health().value(1);
        store.startImport(*harness.listed(1));
        QVERIFY(!importStarted(store));
        QCOMPARE(store.health().value(1), guiding);
        store.cancelRefresh(1);
        QVERIFY(harness.waitUntilIdle(1));
    }

    // Nothing refreshes a playlist while it is being edited or removed: not the scheduler, not
    // an import or guide request of a page.
    void aPlaylistBeingChangedIsLeftAlone_data()
    {
        QTest::addColumn<bool>("removal");
        QTest::newRow("edit") << false;
        QTest::newRow("removal") << true;
    }
    void aPlaylistBeingChangedIsLeftAlone()
    {
        QFETCH(bool, removal);
        StoreHarness harness;
        harness.provider().setFault(u"xmltv"_s, {.stallAfterBytes = 0});
        seedSource(harness, 48 * hour, 10 * hour);
        harness.start();
        CatalogueStore &store = harness.store();
        const Playlist playlist = *harness.listed(1);
        const SourceHealth before = store.health().value(1);
        bool finished = false;
        auto change = [&]() -> QCoro::Task<> {
            if (removal)
                co_await store.removePlaylist(playlist);
            else
                co_await store.editPlaylist(playlist, u"Renamed"_s, playlist.serverURL, u"u"_s, u"p"_s);
            finished = true;
        };
        change();
        QVERIFY(!finished);
        store.refreshDueSources();
        store.startImport(playlist);
        store.refreshEPG(playlist);
        QVERIFY(!importStarted(store));
        QCOMPARE(store.health().value(1), before);
        QTRY_VERIFY(finished);
        QVERIFY(!guideStarted(store));
        QVERIFY(!store.isRefreshing(1));
    }

    void theLoopChecksAtOnceAndThenEveryMinute()
    {
        StoreHarness harness;
        stallProvider(harness);
        seedSource(harness, 1 * hour, 1 * hour);
        harness.start();
        CatalogueStore &store = harness.store();
        store.startRefreshScheduler();
        store.startRefreshScheduler();
        QTRY_COMPARE(harness.clock().pendingSleeps(), 1);
        QVERIFY(!importStarted(store));

        // Three hours later the guide (4 h) is due at the next minute's check.
        harness.clock().setWallClock(harness.clock().now().addSecs(3 * hour));
        harness.clock().advance(60s);
        QVERIFY(guideStarted(store));
        QVERIFY(!importStarted(store));
        QCOMPARE(harness.clock().pendingSleeps(), 1);
    }
};

QTEST_GUILESS_MAIN(CatalogueStoreSchedulerTest)
#include "tst_cataloguestore_scheduler.moc"
