#include "Catalogue/CatalogueDatabase.h"
#include "Catalogue/CategoryLanguage.h"
#include "Provider/BatchPipeline.h"
#include "Provider/CatalogueImporter.h"
#include "Provider/JSONParseError.h"
#include "Provider/XtreamAPIError.h"
#include "Support/CancellationError.h"
#include "Support/TransportError.h"
#include "support/CatalogueFixture.h"
#include "support/CatalogueGenerator.h"
#include "support/FakeProvider.h"
#include "support/ItemSummaries.h"
#include "support/Outcome.h"
#include "support/TableSnapshot.h"

#include <QTest>

#include <atomic>

using namespace Qt::StringLiterals;

namespace {

constexpr qint64 playlistID = 1;

struct ProgressStep
{
    QString text;
    int percent = 0;
    friend bool operator==(const ProgressStep &, const ProgressStep &) = default;
};

ContentItem item(CatalogueKind kind, const QString &id, const QString &title, std::optional<QString> category = {})
{
    return {.kind = kind, .providerID = id, .categoryID = std::move(category), .title = title};
}

// The items an import keeps: one per kind and provider id, the later one winning.
QList<ContentItem> keptItems(const GeneratedCatalogue &catalogue)
{
    QHash<std::pair<int, QString>, qsizetype> position;
    QList<ContentItem> kept;
    for (const ContentItem &sent : catalogue.items) {
        const auto key = std::pair(int(sent.kind), sent.providerID);
        if (position.contains(key)) {
            kept[position.value(key)] = sent;
        } else {
            position.insert(key, kept.size());
            kept.append(sent);
        }
    }
    return kept;
}

} // namespace

class CatalogueImporterTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_fixture = std::make_unique<CatalogueFixture>();
        m_fixture->addPlaylist(playlistID, u"syncing"_s);
        m_provider = std::make_unique<FakeProvider>();
        m_catalogue = generateCatalogue({120, 150, 60});
        m_provider->setCatalogue(m_catalogue);
    }
    void cleanup()
    {
        m_provider.reset();
        m_fixture.reset();
    }

    // The old catalogue is larger than the slices its rows are deleted in.
    void importReplacesOnlyThisPlaylistsCatalogue()
    {
        m_fixture->addCatalogue(playlistID, generateCatalogue({2000, 7000, 2000}, 7));
        m_fixture->addPlaylist(2);
        m_fixture->addCatalogue(2, generateCatalogue({5, 5, 5}, 9));
        const QStringList otherPlaylist = snapshot(2);

        importNow();

        const QList<ContentItem> expected = keptItems(m_catalogue);
        CatalogueDatabase &database = m_fixture->database();
        QCOMPARE(database.integer(u"SELECT COUNT(*) FROM content_items WHERE playlist_id=1"_s), expected.size());
        QCOMPARE(database.integer(u"SELECT COUNT(*) FROM categories WHERE playlist_id=1"_s), m_catalogue.categories.size());
        QCOMPARE(snapshot(2), otherPlaylist);
        QCOMPARE(tableSnapshot(database, u"SELECT sync_state, sync_progress, last_sync_at IS NOT NULL FROM playlists WHERE id=1"_s),
                 QStringList{u"3:ready|1:100|1:1"_s});

        for (const ContentItem &sent : expected) {
            const QStringList row = tableSnapshot(database, u"SELECT title, category_id, subtitle, epg_channel_id, artwork_url, "
                                                            "container_extension, sort_number, rating, added_at, genre "
                                                            "FROM content_items WHERE playlist_id=1 AND kind='%1' AND provider_id='%2'"_s
                                                                .arg(kindText(sent.kind), sent.providerID));
            const ContentItem decoded = FakeProviderCatalogue::decodedItem(sent);
            const auto text = [](const std::optional<QString> &value) { return value ? u"3:"_s + *value : u"5:"_s; };
            const auto number = [](auto value, int type) -> QString {
                return value ? QString::number(type) + u':' + QString::number(*value) : u"5:"_s;
            };
            const QString rating = decoded.rating ? u"2:"_s + QString::number(*decoded.rating, 'f', 1) : u"5:"_s;
            const QStringList expectedColumns = {u"3:"_s + decoded.title, text(decoded.categoryID), text(decoded.subtitle),
                                                 text(decoded.epgChannelID), text(decoded.artworkURL),
                                                 text(decoded.containerExtension), number(decoded.sortNumber, 1),
                                                 rating, number(decoded.addedAt, 1), text(decoded.genre)};
            QCOMPARE(row, QStringList{expectedColumns.join(u'|')});
        }
    }

    void theItemIndexesAndSummariesSurviveEveryImport()
    {
        CatalogueDatabase &database = m_fixture->database();
        const QString definitions = u"SELECT sql FROM sqlite_master WHERE type IN ('index', 'trigger') "
                                    "AND tbl_name='content_items' ORDER BY name"_s;
        const QStringList before = tableSnapshot(database, definitions);
        m_fixture->addCatalogue(playlistID, generateCatalogue({50, 50, 50}, 3));
        importNow(); // the only playlist: its indexes, counts and title index are built afresh
        QCOMPARE(tableSnapshot(database, definitions), before);
        QCOMPARE(itemSummaryDifferences(database), QStringList());
        m_fixture->addPlaylist(2);
        m_fixture->addCatalogue(2, generateCatalogue({500, 500, 100}, 9));
        m_provider->setCatalogue(generateCatalogue({100, 140, 70}, 5));
        importNow(); // beside a bigger playlist: everything is updated row by row
        QCOMPARE(tableSnapshot(database, definitions), before);
        QCOMPARE(itemSummaryDifferences(database), QStringList());
        QCOMPARE(tableSnapshot(database, u"PRAGMA integrity_check"_s), QStringList{u"3:ok"_s});
    }

    void categoriesAreNumberedAcrossKindsAndCounted()
    {
        importNow();
        const QList<ContentItem> items = keptItems(m_catalogue);
        QStringList expected;
        int order = 0;
        for (const Category &category : std::as_const(m_catalogue.categories)) {
            const auto count = std::count_if(items.begin(), items.end(), [&](const ContentItem &candidate) {
                return candidate.kind == category.kind && candidate.categoryID == category.providerID;
            });
            expected.append(u"3:%1|3:%2|1:%3|1:%4|3:%5"_s.arg(kindText(category.kind), category.providerID)
                                .arg(++order)
                                .arg(count)
                                .arg(CategoryLanguage::detect(category.name).key));
        }
        QCOMPARE(tableSnapshot(m_fixture->database(), u"SELECT kind, provider_id, sort_order, item_count, language FROM categories "
                                                      "WHERE playlist_id=1 ORDER BY sort_order"_s),
                 expected);
    }

    void progressArrivesInOrderBeforeTheRunEnds()
    {
        CatalogueImporter importer(m_fixture->path(), playlistID);
        QList<ProgressStep> steps;
        const CatalogueImporter::ProgressCallback progress = [&steps](const QString &text, int percent) {
            steps.append({text, percent});
        };
        QCoro::waitFor(importer.run(m_provider->credentials(), progress, {}));
        const QList<ProgressStep> expected = {
            {u"Downloading live tv categories"_s, 2}, {u"Downloading live tv"_s, 10},
            {u"Downloading movies categories"_s, 32}, {u"Downloading movies"_s, 40},
            {u"Downloading series categories"_s, 62}, {u"Downloading series"_s, 70},
            {u"Saving catalogue"_s, 95}};
        QCOMPARE(steps, expected);
    }

    void aFailedImportLeavesThePreviousCatalogueAsItWas_data()
    {
        QTest::addColumn<QString>("situation");
        QTest::addColumn<QString>("expected");
        QTest::newRow("rejected login") << u"login"_s << rejectedLogin;
        QTest::newRow("empty catalogue") << u"empty"_s
                                         << u"The provider returned an empty catalogue. Your previous catalogue has been kept."_s;
        QTest::newRow("HTTP error mid-run") << u"status"_s << u"The Xtream server returned HTTP status 500."_s;
        QTest::newRow("malformed JSON") << u"malformed"_s << parseError;
        QTest::newRow("connection cut") << u"cut"_s << u"TransportError %1"_s.arg(int(TransportError::Kind::NetworkConnectionLost));
        QTest::newRow("cancelled during films") << u"cancel"_s << u"CancellationError"_s;
    }
    void aFailedImportLeavesThePreviousCatalogueAsItWas()
    {
        QFETCH(QString, situation);
        QFETCH(QString, expected);
        importNow();
        const QStringList before = snapshot(playlistID);

        XtreamCredentials login = m_provider->credentials();
        std::stop_source stop;
        if (situation == "login"_L1)
            login.password = u"wrong"_s;
        else if (situation == "empty"_L1)
            m_provider->setCatalogue({m_catalogue.categories, {}});
        else if (situation == "status"_L1)
            m_provider->setFault(u"get_vod_streams"_s, {.httpStatus = 500});
        else if (situation == "malformed"_L1)
            m_provider->setFault(u"get_series"_s, {.array = {.malformedAt = 30}});
        else if (situation == "cut"_L1)
            m_provider->setFault(u"get_vod_streams"_s, {.cutAfterBytes = 30'000});
        const auto progress = [&stop, situation](const QString &, int percent) {
            if (situation == "cancel"_L1 && percent == 40)
                stop.request_stop();
        };
        CatalogueImporter importer(m_fixture->path(), playlistID);
        QCOMPARE(outcome([&] { importer.importCatalogue(login, progress, stop.get_token()); }), expected);
        QCOMPARE(snapshot(playlistID), before);
    }

    void aRepeatedIdKeepsTheLaterItem()
    {
        GeneratedCatalogue catalogue;
        catalogue.items = {item(CatalogueKind::Movie, u"5"_s, u"First"_s), item(CatalogueKind::Movie, u"5"_s, u"Second"_s),
                           item(CatalogueKind::Series, u"5"_s, u"Same id, other kind"_s)};
        m_provider->setCatalogue(catalogue);
        importNow();
        QCOMPARE(tableSnapshot(m_fixture->database(), u"SELECT kind, title FROM content_items ORDER BY kind"_s),
                 (QStringList{u"3:movie|3:Second"_s, u"3:series|3:Same id, other kind"_s}));
    }

    void guideKeysComeFromTheGuideIdOrTheProviderId()
    {
        GeneratedCatalogue catalogue;
        ContentItem withGuide = item(CatalogueKind::Live, u"10"_s, u"News"_s);
        withGuide.epgChannelID = u" News.UK \n"_s;
        ContentItem withoutGuide = item(CatalogueKind::Live, u"Ch-7"_s, u"Sport"_s);
        catalogue.items = {withGuide, withoutGuide};
        m_provider->setCatalogue(catalogue);
        importNow();
        QCOMPARE(tableSnapshot(m_fixture->database(),
                               u"SELECT provider_id, epg_channel_id, epg_channel_key FROM content_items ORDER BY title"_s),
                 (QStringList{u"3:10|3: News.UK \n|3:news.uk"_s, u"3:Ch-7|5:|3:ch-7"_s}));
    }

    void unusedCategoriesCountNoneAndStrayItemsStay()
    {
        GeneratedCatalogue catalogue;
        catalogue.categories = {{CatalogueKind::Live, u"1"_s, u"UK: News"_s, 0}, {CatalogueKind::Live, u"2"_s, u"Empty"_s, 0},
                                {CatalogueKind::Movie, u"1"_s, u"FR - Cinéma"_s, 0}};
        catalogue.items = {item(CatalogueKind::Live, u"100"_s, u"A"_s, u"1"_s), item(CatalogueKind::Live, u"101"_s, u"B"_s, u"1"_s),
                           item(CatalogueKind::Movie, u"100"_s, u"C"_s, u"1"_s),
                           item(CatalogueKind::Movie, u"102"_s, u"D"_s, u"99"_s)};
        m_provider->setCatalogue(catalogue);
        importNow();
        QCOMPARE(tableSnapshot(m_fixture->database(),
                               u"SELECT kind, provider_id, sort_order, item_count FROM categories ORDER BY sort_order"_s),
                 (QStringList{u"3:live|3:1|1:1|1:2"_s, u"3:live|3:2|1:2|1:0"_s, u"3:movie|3:1|1:3|1:1"_s}));
        QCOMPARE(m_fixture->database().integer(u"SELECT COUNT(*) FROM content_items WHERE category_id='99'"_s), 1);
    }

    void removingThePlaylistDuringTheImportCancelsIt()
    {
        CatalogueImporter importer(m_fixture->path(), playlistID);
        const auto progress = [this](const QString &, int percent) {
            if (percent == 95)
                m_fixture->database().execute(u"DELETE FROM playlists WHERE id=1"_s);
        };
        QCOMPARE(outcome([&] { importer.importCatalogue(m_provider->credentials(), progress, {}); }), u"CancellationError"_s);
        QCOMPARE(m_fixture->database().integer(u"SELECT COUNT(*) FROM content_items"_s), 0);
        QCOMPARE(m_fixture->database().integer(u"SELECT COUNT(*) FROM categories"_s), 0);
    }

    // Batches decoded on the download's thread are written here in the order they came; a
    // failure on either side ends the run with that failure and leaves no thread behind.
    void thePipelineKeepsTheOrderAndEndsOnEitherSidesFailure()
    {
        using Batch = QList<int>;
        const auto counting = [](int upTo, std::optional<CatalogueDatabaseError> failure) {
            return [upTo, failure](const std::function<void(const Batch &)> &emit, const std::stop_token &) {
                for (int index = 1; index <= upTo; ++index)
                    emit({index});
                if (failure)
                    throw *failure;
            };
        };
        QList<int> written;
        const auto write = [&written](const Batch &batch) { written += batch; };

        QCOMPARE(outcome([&] { runPipelined<Batch>(counting(50, {}), write, {}); }), QString());
        QCOMPARE(written.size(), 50);
        QVERIFY(std::is_sorted(written.begin(), written.end()));

        written.clear();
        const CatalogueDatabaseError cut(u"cut"_s);
        QCOMPARE(outcome([&] { runPipelined<Batch>(counting(20, cut), write, {}); }), u"cut"_s);
        QCOMPARE(written.size(), 20);

        // A download that would never end on its own, against a write that fails: the
        // download is stopped while it waits for room.
        int emitted = 0;
        const auto endless = [&emitted](const std::function<void(const Batch &)> &emit, const std::stop_token &) {
            for (;;)
                emit({++emitted});
        };
        const auto failingWrite = [](const Batch &batch) {
            if (batch.front() == 3)
                throw CatalogueDatabaseError(u"locked"_s);
        };
        QCOMPARE(outcome([&] { runPipelined<Batch>(endless, failingWrite, {}, 4); }), u"locked"_s);
        QVERIFY(emitted <= 3 + 4 + 1);

        // Cancelled while the writes keep up with a slow download, which never has to wait: each
        // batch comes once the one before it is written.
        emitted = 0;
        std::atomic<int> lastWritten = 0;
        const auto slow = [&emitted, &lastWritten](const std::function<void(const Batch &)> &emit, const std::stop_token &) {
            while (emitted < 200) {
                emit({++emitted});
                lastWritten.wait(emitted - 1);
            }
        };
        std::stop_source stop;
        const auto cancellingWrite = [&stop, &lastWritten](const Batch &batch) {
            if (batch.front() == 5)
                stop.request_stop();
            lastWritten = batch.front();
            lastWritten.notify_all();
        };
        QCOMPARE(outcome([&] { runPipelined<Batch>(slow, cancellingWrite, stop.get_token(), 4); }),
                 u"CancellationError"_s);
        QVERIFY(emitted < 200);
    }

private:
    void importNow()
    {
        CatalogueImporter importer(m_fixture->path(), playlistID);
        importer.importCatalogue(m_provider->credentials(), [](const QString &, int) {}, {});
    }

    QStringList snapshot(qint64 playlist)
    {
        const QString id = QString::number(playlist);
        return tableSnapshot(m_fixture->database(), u"SELECT * FROM categories WHERE playlist_id=%1 ORDER BY kind, provider_id"_s.arg(id))
            + tableSnapshot(m_fixture->database(),
                            u"SELECT * FROM content_items WHERE playlist_id=%1 ORDER BY kind, provider_id"_s.arg(id))
            + tableSnapshot(m_fixture->database(), u"SELECT * FROM playlists WHERE id=%1"_s.arg(id));
    }

    std::unique_ptr<CatalogueFixture> m_fixture;
    std::unique_ptr<FakeProvider> m_provider;
    GeneratedCatalogue m_catalogue;
};

QTEST_GUILESS_MAIN(CatalogueImporterTest)
#include "tst_catalogueimporter.moc"
