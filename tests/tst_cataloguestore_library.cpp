#include "Catalogue/CatalogueDatabase.h"
#include "Provider/XtreamAPIError.h"
#include "Store/CatalogueStore.h"
#include "Support/CancellationError.h"
#include "Support/TransportError.h"
#include "Support/UserSettings.h"
#include "support/AwaitBlocking.h"
#include "support/CatalogueItems.h"
#include "support/CatalogueGenerator.h"
#include "support/StoreHarness.h"

#include <QTest>


using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

// A started store with one imported playlist, selected.
struct ImportedLibrary
{
    ImportedLibrary()
        : playlist(harness.startWithImportedPlaylist({20, 20, 10}))
    {
        store().selectPlaylist(playlist.id);
    }
    CatalogueStore &store() { return harness.store(); }
    QStringList rows(const QString &sql) { return harness.rows(sql); }

    StoreHarness harness;
    Playlist playlist;
};

} // namespace

class CatalogueStoreLibraryTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void categoryAndLanguageWritesBumpTheOrderRevision()
    {
        ImportedLibrary library;
        CatalogueStore &store = library.store();
        const int start = store.categoryOrderRevision();
        BrowseCategory category;
        category.kind = CatalogueKind::Live;
        category.providerID = u"1"_s;

        QVERIFY(awaitBlocking(store.setCategoryHidden(category, true)));
        QVERIFY(!awaitBlocking(store.setCategoryHidden(category, true))); // already hidden: nothing changed
        QCOMPARE(library.rows(u"SELECT COUNT(*) FROM category_hidden"_s), QStringList{u"1"_s});
        QVERIFY(awaitBlocking(store.setLanguageHidden(u"fr"_s, true)));
        QVERIFY(awaitBlocking(store.setLanguageHidden(u"fr"_s, false)));
        QVERIFY(!awaitBlocking(store.setLanguageHidden(u"de"_s, false)));
        QCOMPARE(store.categoryOrderRevision(), start + 5);

        awaitBlocking(store.saveCategoryOrder(CatalogueKind::Live, {u"3"_s, u"1"_s, u"2"_s}));
        QCOMPARE(library.rows(u"SELECT provider_id, position FROM category_preferences ORDER BY position"_s),
                 (QStringList{u"3|0"_s, u"1|1"_s, u"2|2"_s}));
        awaitBlocking(store.saveCategoryOrder(CatalogueKind::Live, {}));
        QVERIFY(library.rows(u"SELECT * FROM category_preferences"_s).isEmpty());
        awaitBlocking(store.saveCategoryOrder(CatalogueKind::Live, {u"2"_s}));
        awaitBlocking(store.resetCategoryOrder(CatalogueKind::Live));
        QVERIFY(library.rows(u"SELECT * FROM category_preferences"_s).isEmpty());
        QVERIFY(library.rows(u"SELECT * FROM category_hidden"_s).isEmpty());
        QCOMPARE(store.categoryOrderRevision(), start + 9);
        QCOMPARE(store.databaseError(), std::nullopt);

        // When the order cannot be deleted, the hidden categories stay as they were.
        QVERIFY(awaitBlocking(store.setCategoryHidden(category, true)));
        awaitBlocking(store.saveCategoryOrder(CatalogueKind::Live, {u"2"_s}));
        CatalogueDatabase(library.harness.databasePath())
            .execute(u"CREATE TRIGGER keep_order BEFORE DELETE ON category_preferences BEGIN SELECT RAISE(ABORT, 'kept'); END"_s);
        awaitBlocking(store.resetCategoryOrder(CatalogueKind::Live));
        QVERIFY(store.databaseError().has_value());
        QCOMPARE(library.rows(u"SELECT COUNT(*) FROM category_hidden"_s), QStringList{u"1"_s});
        QCOMPARE(store.categoryOrderRevision(), start + 12);
    }

    void historyAndFavouriteWrites()
    {
        ImportedLibrary library;
        CatalogueStore &store = library.store();
        const int start = store.libraryRevision();

        store.recordLivePlay(channel(u"7"_s));
        MediaItem film = channel(u"8"_s);
        film.kind = CatalogueKind::Movie;
        store.recordLivePlay(film); // always recorded as a live play
        QCOMPARE(library.rows(u"SELECT content_provider_id, content_kind, position_seconds FROM watch_progress ORDER BY content_provider_id"_s),
                 (QStringList{u"7|live|0"_s, u"8|live|0"_s}));
        UserSettings::setValue(u"quillmere.keepWatchHistory"_s, false);
        store.recordLivePlay(channel(u"9"_s));
        QCOMPARE(library.rows(u"SELECT COUNT(*) FROM watch_progress"_s), QStringList{u"2"_s});
        QCOMPARE(store.libraryRevision(), start + 2);

        awaitBlocking(store.removeFromHistory(u"7"_s, CatalogueKind::Live));
        QCOMPARE(awaitBlocking(store.clearHistory({CatalogueKind::Live, CatalogueKind::Movie})), std::optional(true));
        QCOMPARE(awaitBlocking(store.clearHistory({})), std::optional(false));
        QVERIFY(library.rows(u"SELECT * FROM watch_progress"_s).isEmpty());

        QCOMPARE(store.toggleFavourite(channel(u"7"_s)), std::optional(true));
        QVERIFY(store.isFavourite(CatalogueItem::from(channel(u"7"_s)), CatalogueKind::Live, std::nullopt));
        QCOMPARE(store.toggleFavourite(channel(u"7"_s)), std::optional(false));
        QCOMPARE(store.toggleFavourite(channel(u"7"_s)), std::optional(true));
        QCOMPARE(awaitBlocking(store.clearFavourites()), std::optional(true));
        QCOMPARE(awaitBlocking(store.clearFavourites()), std::optional(false));
        QCOMPARE(store.libraryRevision(), start + 2 + 3 + 3 + 2);
        QCOMPARE(store.databaseError(), std::nullopt);
    }

    void withoutAPlaylistWritesDoNothing()
    {
        StoreHarness harness;
        harness.start();
        CatalogueStore &store = harness.store();
        BrowseCategory category;
        QVERIFY(!awaitBlocking(store.setCategoryHidden(category, true)));
        awaitBlocking(store.saveCategoryOrder(CatalogueKind::Movie, {u"1"_s}));
        awaitBlocking(store.resetCategoryOrder(CatalogueKind::Movie));
        QCOMPARE(awaitBlocking(store.clearHistory({CatalogueKind::Live})), std::optional(false));
        awaitBlocking(store.removeFromHistory(u"1"_s, CatalogueKind::Live));
        QCOMPARE(awaitBlocking(store.clearFavourites()), std::optional(false));
        QCOMPARE(store.categoryOrderRevision(), 0);
        QCOMPARE(store.libraryRevision(), 0);
        // Hidden languages are global.
        QVERIFY(awaitBlocking(store.setLanguageHidden(u"ar"_s, true)));
        QCOMPARE(store.categoryOrderRevision(), 1);
        // No selected playlist: the favourite is not written, and no change is reported.
        QCOMPARE(store.toggleFavourite(channel(u"1"_s)), std::optional<bool>());
        QCOMPARE(store.libraryRevision(), 0);
    }

    void aFailedWriteSetsTheSentenceAndStillBumps()
    {
        ImportedLibrary library;
        CatalogueStore &store = library.store();
        QCOMPARE(store.toggleFavourite(channel(u"7"_s)), std::optional(true));
        // A trigger stands in for a disk that refuses the write.
        {
            CatalogueDatabase database(library.harness.databasePath());
            database.execute(u"CREATE TRIGGER refuse BEFORE DELETE ON favourites BEGIN SELECT RAISE(ABORT, 'disk refused'); END"_s);
        }
        const int start = store.libraryRevision();
        QCOMPARE(awaitBlocking(store.clearFavourites()), std::nullopt);
        QCOMPARE(store.databaseError(), std::optional(u"Local database error (19): disk refused"_s));
        QCOMPARE(store.libraryRevision(), start + 1);
        // The single-row write on the store's own connection reports that nothing changed.
        store.clearDatabaseError();
        QCOMPARE(store.toggleFavourite(channel(u"7"_s)), std::optional<bool>());
        QVERIFY(store.isFavourite(CatalogueItem::from(channel(u"7"_s)), CatalogueKind::Live, std::nullopt));
        QCOMPARE(store.databaseError(), std::optional(u"A library change could not be saved (SQLite 19). Please try again."_s));
    }

    void resumePositions_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("duration"); // -1: not known
        QTest::addColumn<double>("resume");
        QTest::newRow("31 of 100") << 31 << 100 << 31.0;
        QTest::newRow("70 of 100") << 70 << 100 << 0.0;
        QTest::newRow("31, duration 0") << 31 << 0 << 31.0;
        QTest::newRow("exactly 30") << 30 << 100 << 0.0;
        QTest::newRow("600, unknown duration") << 600 << -1 << 600.0;
    }

    void resumePositions()
    {
        QFETCH(int, position);
        QFETCH(int, duration);
        QFETCH(double, resume);
        ImportedLibrary library;
        SqliteStatement save = library.store().prepare(
            u"INSERT INTO watch_progress (playlist_id, content_provider_id, content_kind, position_seconds, duration_seconds) VALUES (?, '77', 'movie', ?, ?)"_s);
        save.bind(1, library.playlist.id);
        save.bind(2, qint64(position));
        if (duration >= 0)
            save.bind(3, qint64(duration));
        else
            save.bindNull(3);
        library.store().checkWrite(save);
        QCOMPARE(library.store().resumePosition(u"77"_s, CatalogueKind::Movie), resume);
        QCOMPARE(library.store().resumePosition(u"77"_s, CatalogueKind::Live), 0.0);
    }

    void playbackAddressesUseTheActiveLogin()
    {
        ImportedLibrary library;
        CatalogueStore &store = library.store();
        CatalogueItem live;
        live.id = u"1234"_s;
        const QUrl liveURL = *store.playbackURL(live, CatalogueKind::Live);
        QVERIFY(liveURL.path().endsWith(u"/1234.m3u8"_s));
        QVERIFY(liveURL.path().startsWith(u"/live/"_s));
        UserSettings::setValue(u"quillmere.liveFormat"_s, u"ts"_s);
        QVERIFY(store.playbackURL(live, CatalogueKind::Live)->path().endsWith(u"/1234.ts"_s));
        CatalogueItem film;
        film.id = u"77"_s;
        film.containerExtension = u" .MP4"_s;
        QVERIFY(store.playbackURL(film, CatalogueKind::Movie)->path().endsWith(u"/77.mp4"_s));
        CatalogueItem episode;
        episode.id = u"9001"_s;
        QVERIFY(store.playbackURL(episode, CatalogueKind::Series)->path().endsWith(u"/9001.mkv"_s));
        QVERIFY(store.credentialsForSelectedPlaylist().has_value());
    }

    // A login that the keyring refused at start-up (locked, say) is read again once an address
    // needs it, so that films and episodes play once the keyring answers.
    void aLoginUnreadableAtStartUpIsReadAgainForAnAddress()
    {
        StoreHarness harness;
        (void)harness.startWithImportedPlaylist({2, 2, 1});
        harness.keyring().failWith(KeyringBackend::unavailable);
        harness.start();
        harness.keyring().failWith(KeyringBackend::success);
        CatalogueItem film;
        film.id = u"77"_s;
        QCOMPARE(harness.store().playbackURL(film, CatalogueKind::Movie), std::nullopt);
        QTRY_VERIFY(harness.store().playbackURL(film, CatalogueKind::Movie).has_value());
    }

    void shortGuidesAreKeptForTheirChannel()
    {
        ImportedLibrary library;
        CatalogueStore &store = library.store();
        const QString liveID = library.rows(u"SELECT provider_id FROM content_items WHERE kind='live' LIMIT 1"_s).constFirst();
        const QList<LiveProgramme> programmes = awaitBlocking(store.fetchShortEPG(liveID, std::nullopt));
        QCOMPARE(programmes.size(), 24);
        const QString channelID = u"channel"_s + liveID;
        QCOMPARE(library.rows(u"SELECT DISTINCT channel_id, channel_key FROM epg_programmes"_s),
                 QStringList{channelID + u'|' + channelID.toLower()});
        QCOMPARE(library.rows(u"SELECT epg_channel_id, epg_channel_key FROM content_items WHERE kind='live' AND provider_id='"_s
                              + liveID + u'\''),
                 QStringList{channelID.toLower() + u'|' + channelID.toLower()});
        QCOMPARE(library.rows(u"SELECT COUNT(*) FROM epg_programmes"_s), QStringList{u"24"_s});
        (void)awaitBlocking(store.fetchShortEPG(liveID, std::nullopt));
        QCOMPARE(library.rows(u"SELECT COUNT(*) FROM epg_programmes"_s), QStringList{u"24"_s}); // one row each
    }

    void anEmptyShortGuideTriesTheGuideIDOnceAndStoresNothing()
    {
        ImportedLibrary library;
        CatalogueStore &store = library.store();
        library.harness.provider().setDocument(u"get_short_epg"_s, QByteArray("{\"epg_listings\":[]}"));
        library.harness.provider().clearRequests();
        QVERIFY(awaitBlocking(store.fetchShortEPG(u"abc"_s, u"ABC"_s)).isEmpty()); // same id but for case
        QCOMPARE(library.harness.provider().requests().size(), 1);
        QVERIFY(awaitBlocking(store.fetchShortEPG(u"abc"_s, u"  "_s)).isEmpty()); // a blank id is no id
        QCOMPARE(library.harness.provider().requests().size(), 2);
        QVERIFY(awaitBlocking(store.fetchShortEPG(u"abc"_s, u"abc.uk"_s)).isEmpty());
        QCOMPARE(library.harness.provider().requests().size(), 4);
        QCOMPARE(library.rows(u"SELECT COUNT(*) FROM epg_programmes"_s), QStringList{u"0"_s});
    }

    void theShortGuideNeedsAPlaylistAndALogin()
    {
        StoreHarness harness;
        harness.start();
        QVERIFY(awaitBlocking(harness.store().fetchShortEPG(u"1"_s, u"one.uk"_s)).isEmpty());
        QVERIFY(harness.provider().requests().isEmpty());
    }

    void episodeListsAreServedWhileFresh()
    {
        ImportedLibrary library;
        CatalogueStore &store = library.store();
        const QString seriesID = library.rows(u"SELECT provider_id FROM content_items WHERE kind='series' LIMIT 1"_s).constFirst();
        library.harness.provider().clearRequests();
        const QList<SeriesEpisode> fetched = awaitBlocking(store.loadSeriesEpisodes(seriesID, false));
        QVERIFY(!fetched.isEmpty());
        QCOMPARE(library.harness.provider().requests().size(), 1);

        library.harness.clock().advance(3h + 59min);
        const QList<SeriesEpisode> saved = awaitBlocking(store.loadSeriesEpisodes(seriesID, false));
        QCOMPARE(library.harness.provider().requests().size(), 1);
        QCOMPARE(saved.size(), fetched.size());
        (void)awaitBlocking(store.loadSeriesEpisodes(seriesID, true));
        QCOMPARE(library.harness.provider().requests().size(), 2);
        library.harness.clock().advance(4h);
        (void)awaitBlocking(store.loadSeriesEpisodes(seriesID, false));
        QCOMPARE(library.harness.provider().requests().size(), 3);

        // An empty answer never replaces a saved list.
        library.harness.provider().setDocument(u"get_series_info"_s, QByteArray("{\"episodes\":{}}"));
        const QString sentence = failureSentence<XtreamAPIError>(store.loadSeriesEpisodes(seriesID, true));
        QCOMPARE(sentence, u"The provider returned no episodes. Your saved episode list has been kept; try Refresh episodes again later."_s);
        QCOMPARE(awaitBlocking(store.loadSeriesEpisodes(seriesID, false)).size(), fetched.size());

        // A network failure fails the load and keeps the saved rows.
        const QStringList rows = library.rows(u"SELECT * FROM series_episodes ORDER BY provider_id"_s);
        library.harness.provider().setFault(u"get_series_info"_s, {.cutAfterBytes = 10});
        QVERIFY_THROWS_EXCEPTION(TransportError, awaitBlocking(store.loadSeriesEpisodes(seriesID, true)));
        QCOMPARE(library.rows(u"SELECT * FROM series_episodes ORDER BY provider_id"_s), rows);
    }

    // Stopped while the list downloads: nothing is saved and no freshness is stamped.
    void aStoppedEpisodeLoadSavesNothing()
    {
        ImportedLibrary library;
        const QString seriesID = library.rows(u"SELECT provider_id FROM content_items WHERE kind='series' LIMIT 1"_s).constFirst();
        library.harness.provider().setFault(u"get_series_info"_s, {.pieceBytes = 16, .pause = 10ms});
        library.harness.provider().clearRequests();
        std::stop_source stop;
        QCoro::Task<QList<SeriesEpisode>> load = library.store().loadSeriesEpisodes(seriesID, false, stop.get_token());
        QTRY_VERIFY(!library.harness.provider().requests().isEmpty());
        stop.request_stop();
        QVERIFY_THROWS_EXCEPTION(CancellationError, awaitBlocking(std::move(load)));
        QCOMPARE(library.rows(u"SELECT COUNT(*) FROM series_episodes"_s), QStringList{u"0"_s});
        QVERIFY(!UserSettings::value(u"quillmere.episodes."_s + QString::number(library.playlist.id) + u'.' + seriesID).isValid());
    }
};

QTEST_GUILESS_MAIN(CatalogueStoreLibraryTest)
#include "tst_cataloguestore_library.moc"
