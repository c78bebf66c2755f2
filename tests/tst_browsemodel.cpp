#include "App/BrowseModel.h"
#include "Catalogue/CataloguePageReader.h"
#include "Store/CatalogueStore.h"
#include "Support/UserSettings.h"
#include "support/AwaitBlocking.h"
#include "support/ModelChecks.h"
#include "support/StoreHarness.h"

#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

// Live: "1" UK: News (channels 1-150), "2" FR: Infos (201-400), "3" DE: Nachrichten (501-505,
// titled so that title order is the reverse of number order). Films: "10" with 130 films, five
// of them called Nebula. Series: "20" with 5 series.
GeneratedCatalogue sampleCatalogue()
{
    GeneratedCatalogue catalogue;
    catalogue.categories = {
        {CatalogueKind::Live, u"1"_s, u"UK: News"_s, 0},
        {CatalogueKind::Live, u"2"_s, u"FR: Infos"_s, 0},
        {CatalogueKind::Live, u"3"_s, u"DE: Nachrichten"_s, 0},
        {CatalogueKind::Movie, u"10"_s, u"EN: Films"_s, 0},
        {CatalogueKind::Series, u"20"_s, u"EN: Series"_s, 0},
    };
    for (int number = 1; number <= 150; ++number)
        catalogue.items.append(catalogueEntry(CatalogueKind::Live, number, u"1"_s, u"News "_s + QString::number(number).rightJustified(3, u'0')));
    for (int number = 201; number <= 400; ++number)
        catalogue.items.append(catalogueEntry(CatalogueKind::Live, number, u"2"_s, u"Infos %1"_s.arg(number)));
    for (int number = 501; number <= 505; ++number)
        catalogue.items.append(catalogueEntry(CatalogueKind::Live, number, u"3"_s, u"Nachrichten %1"_s.arg(QChar(u'F' - (number - 500)))));
    for (int number = 1001; number <= 1130; ++number) {
        const QString title = number % 26 == 0 ? u"Nebula %1"_s.arg(number) : u"Film %1"_s.arg(number);
        catalogue.items.append(catalogueEntry(CatalogueKind::Movie, number, u"10"_s, title));
    }
    for (int number = 2001; number <= 2005; ++number)
        catalogue.items.append(catalogueEntry(CatalogueKind::Series, number, u"20"_s, u"Series %1"_s.arg(number)));
    return catalogue;
}

QStringList providerIDs(const QList<MediaItem> &items)
{
    QStringList result;
    for (const MediaItem &item : items)
        result.append(item.providerID);
    return result;
}

QStringList numbers(int first, int last)
{
    QStringList result;
    for (int number = first; number <= last; ++number)
        result.append(QString::number(number));
    return result;
}

// Counts the reloads a model starts (each one sets `loading`).
struct ReloadCounter
{
    explicit ReloadCounter(BrowseModel &model)
    {
        QObject::connect(&model, &BrowseModel::loadingChanged, &model, [this, &model] {
            if (model.isLoading())
                ++started;
        });
    }
    int started = 0;
};

// A started store with the library above imported into one selected playlist.
struct Library
{
    Library()
    {
        harness.start();
        harness.provider().setCatalogue(sampleCatalogue());
        playlist = addPlaylist();
    }

    Playlist addPlaylist()
    {
        const Playlist added = harness.addProviderPlaylist();
        if (!harness.waitUntilIdle(added.id))
            qFatal("the import did not end");
        store().selectPlaylist(added.id);
        return added;
    }

    void reimport(const GeneratedCatalogue &catalogue)
    {
        harness.provider().setCatalogue(catalogue);
        store().startImport(*harness.listed(playlist.id));
        if (!harness.waitUntilIdle(playlist.id))
            qFatal("the import did not end");
    }

    CatalogueStore &store() { return harness.store(); }

    StoreHarness harness;
    Playlist playlist;
};

// Lets every job started so far queue its reads, waits until the reader has answered all of them
// (it answers in order) and delivers the answers, so that "nothing happened" can be asserted.
void settleReads(CatalogueStore &store)
{
    QCoreApplication::processEvents();
    (void)awaitBlocking(store.pageReader().hiddenLanguages());
    QCoreApplication::processEvents();
}

bool settles(BrowseModel &model)
{
    return QTest::qWaitFor([&model] { return !model.isLoading(); });
}

} // namespace

class BrowseModelTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void restoresOrderAndLanguageFilterPerKind()
    {
        Library library;
        UserSettings::setValue(u"quillmere.sort.movie"_s, u"rating"_s);
        UserSettings::setValue(u"quillmere.sort.series"_s, u"newest"_s);
        UserSettings::setValue(u"quillmere.languageFilter.live"_s, u"fr"_s);

        BrowseModel movies(CatalogueKind::Movie, library.store());
        BrowseModel series(CatalogueKind::Series, library.store());
        BrowseModel live(CatalogueKind::Live, library.store());
        ReloadCounter seriesReloads(series);
        ReloadCounter liveReloads(live);

        // A saved order other than the default loads at once, without waiting for a page.
        QCOMPARE(movies.sort(), BrowseSort::Rating);
        QTRY_COMPARE(movies.items().size(), 120);
        QCOMPARE(movies.total(), 130);
        QCOMPARE(UserSettings::value(u"quillmere.sort.movie"_s), QVariant(u"rating"_s));
        // A text that names no order gives the default and starts nothing.
        QCOMPARE(series.sort(), BrowseSort::Provider);

        QCOMPARE(live.languageFilter(), std::optional(u"fr"_s));
        live.setLanguageFilter(std::nullopt);
        QVERIFY(!UserSettings::value(u"quillmere.languageFilter.live"_s).isValid());
        live.setCategoryFilter(u"news"_s);
        live.setLanguageFilterText(u"de"_s);
        QCOMPARE(UserSettings::value(u"quillmere.languageFilter.live"_s), QVariant(u"de"_s));

        settleReads(library.store());
        QCOMPARE(seriesReloads.started, 0);
        QCOMPARE(liveReloads.started, 0); // the filters narrow the category list only
        QVERIFY(series.items().isEmpty());
    }

    void restoresTheScopeOfEachPlaylist()
    {
        Library library;
        BrowseModel live(CatalogueKind::Live, library.store());
        BrowseModel movies(CatalogueKind::Movie, library.store());
        const QString keyA = u"quillmere.scope.live."_s + QString::number(library.playlist.id);

        // No saved scope: live opens on its first visible category, films on all.
        awaitBlocking(live.refreshIfNeeded());
        awaitBlocking(movies.refreshIfNeeded());
        QCOMPARE(live.scope(), BrowseScope::category(u"1"_s));
        QCOMPARE(UserSettings::value(keyA), QVariant(u"1"_s));
        QCOMPARE(movies.scope(), BrowseScope::all());

        live.setScope(BrowseScope::category(u"2"_s));
        QCOMPARE(UserSettings::value(keyA), QVariant(u"2"_s));
        QTRY_COMPARE(live.items().constFirst().providerID, u"201"_s);
        live.setSelected(live.items().constFirst());

        const Playlist second = library.addPlaylist();
        const QString keyB = u"quillmere.scope.live."_s + QString::number(second.id);
        awaitBlocking(live.refreshIfNeeded());
        QCOMPARE(live.selected(), std::nullopt);
        QCOMPARE(live.scope(), BrowseScope::category(u"1"_s));
        live.setScope(BrowseScope::favourites());
        QCOMPARE(UserSettings::value(keyB), QVariant(u"fav"_s));
        QCOMPARE(UserSettings::value(keyA), QVariant(u"2"_s));

        // A hidden category is still a category: its saved scope comes back.
        library.store().selectPlaylist(library.playlist.id);
        UserSettings::setValue(keyA, u"3"_s);
        BrowseCategory news;
        news.kind = CatalogueKind::Live;
        news.providerID = u"3"_s;
        QVERIFY(awaitBlocking(library.store().setCategoryHidden(news, true)));
        awaitBlocking(live.refreshIfNeeded());
        QCOMPARE(live.scope(), BrowseScope::category(u"3"_s));
        QCOMPARE(live.categoryName(live.scope()), u"DE: Nachrichten"_s);
        QCOMPARE(providerIDs(live.items()), (QStringList{u"501"_s, u"502"_s, u"503"_s, u"504"_s, u"505"_s}));
    }

    void theDefaultLiveScopeIsTheFirstCategoryOfTheColumn()
    {
        Library library;
        UserSettings::setValue(u"quillmere.languageFilter.live"_s, u"fr"_s);
        BrowseModel live(CatalogueKind::Live, library.store());
        awaitBlocking(live.refreshIfNeeded());
        QCOMPARE(live.scope(), BrowseScope::category(u"2"_s));

        // A filter on a hidden language leaves the column empty: the list shows all channels.
        QVERIFY(awaitBlocking(library.store().setLanguageHidden(u"fr"_s, true)));
        UserSettings::remove(u"quillmere.scope.live."_s + QString::number(library.playlist.id));
        BrowseModel again(CatalogueKind::Live, library.store());
        awaitBlocking(again.refreshIfNeeded());
        QVERIFY(again.visibleCategories().isEmpty());
        QCOMPARE(again.scope(), BrowseScope::all());
        QCOMPARE(again.total(), 155); // the French channels are left out of all
    }

    void withoutAPlaylistTheKeysNameZero()
    {
        StoreHarness harness;
        harness.start();
        BrowseModel live(CatalogueKind::Live, harness.store());
        QVERIFY(live.dataKey().startsWith(u"0|"_s));
        awaitBlocking(live.refreshIfNeeded());
        QCOMPARE(live.scope(), BrowseScope::all());
        QCOMPARE(live.total(), 0);
        QCOMPARE(live.error(), std::nullopt);
        live.setScope(BrowseScope::favourites());
        QCOMPARE(UserSettings::value(u"quillmere.scope.live.0"_s), QVariant(u"fav"_s));
    }

    void refreshesOncePerDataKey()
    {
        Library library;
        BrowseModel live(CatalogueKind::Live, library.store());
        ReloadCounter reloads(live);
        QSignalSpy keyChanges(&live, &BrowseModel::dataKeyChanged);

        awaitBlocking(live.refreshIfNeeded());
        awaitBlocking(live.refreshIfNeeded());
        settleReads(library.store());
        QCOMPARE(reloads.started, 1);
        live.setScope(BrowseScope::category(u"2"_s));
        QTRY_COMPARE(reloads.started, 2);
        QVERIFY(settles(live));
        live.setSelected(live.items().at(3));

        // A new catalogue revision of the same playlist keeps the scope and a selection that is
        // still on the first page.
        library.reimport(sampleCatalogue());
        QVERIFY(!keyChanges.isEmpty());
        awaitBlocking(live.refreshIfNeeded());
        QCOMPARE(reloads.started, 3);
        QCOMPARE(live.scope(), BrowseScope::category(u"2"_s));
        QCOMPARE(live.selected()->providerID, u"204"_s);

        // One that left the first page is dropped.
        GeneratedCatalogue changed = sampleCatalogue();
        changed.items.removeIf([](const ContentItem &item) { return item.providerID == u"204"_s; });
        library.reimport(changed);
        awaitBlocking(live.refreshIfNeeded());
        QCOMPARE(live.selected(), std::nullopt);
    }

    void aScopeWhoseCategoryIsGoneFallsBackAndIsSaved()
    {
        Library library;
        BrowseModel live(CatalogueKind::Live, library.store());
        awaitBlocking(live.refreshIfNeeded());
        live.setScope(BrowseScope::category(u"3"_s));
        QVERIFY(QTest::qWaitFor([&live] { return live.total() == 5; }));

        GeneratedCatalogue changed = sampleCatalogue();
        changed.categories.removeIf([](const Category &category) { return category.providerID == u"3"_s; });
        changed.items.removeIf([](const ContentItem &item) { return item.categoryID == u"3"_s; });
        library.reimport(changed);
        awaitBlocking(live.refreshIfNeeded());

        QCOMPARE(live.scope(), BrowseScope::category(u"1"_s));
        QCOMPARE(UserSettings::value(u"quillmere.scope.live."_s + QString::number(library.playlist.id)),
                 QVariant(u"1"_s));
        QCOMPARE(live.total(), 150);
        QCOMPARE(live.categoryName(BrowseScope::category(u"3"_s)), u"Live TV"_s);
    }

    void searchTypingReloadsOncePerPause()
    {
        Library library;
        BrowseModel movies(CatalogueKind::Movie, library.store());
        awaitBlocking(movies.refreshIfNeeded());
        ReloadCounter reloads(movies);
        VirtualClock &clock = library.harness.clock();

        movies.setQuery(u"N"_s);
        clock.advance(100ms);
        movies.setQuery(u"Ne"_s);
        clock.advance(200ms);
        movies.setQuery(u"Neb"_s);
        clock.advance(219ms);
        QCOMPARE(reloads.started, 0);
        clock.advance(1ms);
        QVERIFY(settles(movies));

        QCOMPARE(reloads.started, 1);
        QCOMPARE(movies.total(), 5);
        QCOMPARE(providerIDs(movies.items()), (QStringList{u"1014"_s, u"1040"_s, u"1066"_s, u"1092"_s, u"1118"_s}));
        QVERIFY(movies.isExhausted());
    }

    void pagesWithoutDuplicates()
    {
        Library library;
        BrowseModel live(CatalogueKind::Live, library.store());
        checkModel(*live.itemModel());
        awaitBlocking(live.refreshIfNeeded());

        // Exactly one full page: not known to be the end until the next fetch comes back empty.
        QCOMPARE(live.items().size(), 150);
        QVERIFY(!live.isExhausted());
        live.loadMoreIfNeeded(live.items().at(119)); // not yet among the last 30 rows
        settleReads(library.store());
        QVERIFY(!live.isExhausted());
        live.loadMoreIfNeeded(live.items().at(120));
        QTRY_VERIFY(live.isExhausted());
        QCOMPARE(live.items().size(), 150);
        QCOMPARE(live.total(), 150);

        live.setScope(BrowseScope::category(u"2"_s));
        QTRY_COMPARE(live.items().constFirst().providerID, u"201"_s);
        QCOMPARE(live.items().size(), 150);
        QCOMPARE(live.total(), 200);

        // Ten channels numbered before the others push every row down by ten: the next page
        // starts with ten channels already loaded, which are not added again.
        GeneratedCatalogue shifted = sampleCatalogue();
        for (int number = 190; number < 200; ++number)
            shifted.items.append(catalogueEntry(CatalogueKind::Live, number, u"2"_s, u"New %1"_s.arg(number)));
        library.reimport(shifted);
        live.loadMoreIfNeeded(live.items().constLast());
        QTRY_VERIFY(live.isExhausted());
        QCOMPARE(providerIDs(live.items()), numbers(201, 400));
        QCOMPARE(live.total(), 200); // paging never changes the total
    }

    void resultsOfAnOlderLoadAreDropped()
    {
        Library library;
        std::unique_ptr<BrowseModel> model;
        QStringList firstIDs;
        QList<bool> loadingStates;
        // Both loads start at once; the older one's results arrive first. On a file this small an
        // idle reader can answer the older load before the newer one has started, which leaves
        // nothing to drop: the race is then set up again on a fresh model.
        bool olderWasInFlight = false;
        for (int attempt = 0; attempt < 20 && !olderWasInFlight; ++attempt) {
            model = std::make_unique<BrowseModel>(CatalogueKind::Live, library.store());
            checkModel(*model->itemModel());
            awaitBlocking(model->refreshIfNeeded());
            QVERIFY(settles(*model));
            firstIDs.clear();
            loadingStates.clear();
            BrowseModel *live = model.get();
            connect(live->itemModel(), &QAbstractItemModel::modelReset, live,
                    [live, &firstIDs] { firstIDs.append(live->items().value(0).providerID); });
            connect(live, &BrowseModel::loadingChanged, live,
                    [live, &loadingStates] { loadingStates.append(live->isLoading()); });

            live->setScope(BrowseScope::category(u"2"_s));
            QCoro::Task<void> older = live->reload();
            olderWasInFlight = firstIDs.isEmpty();
            live->setScope(BrowseScope::category(u"3"_s));
            QCoro::Task<void> newer = live->reload();
            awaitBlocking(std::move(older));
            awaitBlocking(std::move(newer));
            QVERIFY(settles(*live));
        }
        QVERIFY(olderWasInFlight);
        BrowseModel &live = *model;
        QCOMPARE(firstIDs, QStringList{u"501"_s});
        QCOMPARE(loadingStates, (QList<bool>{true, false}));
        QCOMPARE(live.total(), 5);

        // A reload while a page is being fetched drops that page.
        live.setScope(BrowseScope::category(u"2"_s));
        QVERIFY(QTest::qWaitFor([&live] { return live.total() == 200 && !live.isLoading(); }));
        QSignalSpy inserted(live.itemModel(), &QAbstractItemModel::rowsInserted);
        live.loadMoreIfNeeded(live.items().constLast());
        awaitBlocking(live.reload());
        settleReads(library.store());
        QCOMPARE(inserted.size(), 0);
        QCOMPARE(live.items().size(), 150);
        // The dropped fetch cleared its handle: the next row in view fetches again.
        live.loadMoreIfNeeded(live.items().constLast());
        QTRY_COMPARE(live.items().size(), 200);
    }

    void favouritesArePatchedInPlace()
    {
        Library library;
        CatalogueStore &store = library.store();
        BrowseModel live(CatalogueKind::Live, store);
        checkModel(*live.itemModel());
        awaitBlocking(live.refreshIfNeeded());
        const MediaItem first = live.items().at(0);
        const MediaItem second = live.items().at(1);
        const MediaItem third = live.items().at(2);
        const MediaItem other = live.items().at(3); // never a favourite, never in that list

        live.setSelected(second);
        QCOMPARE(store.toggleFavourite(second), std::optional(true));
        live.updateFavourite(second, true);
        QVERIFY(live.items().at(1).isFavourite);
        QVERIFY(live.selected()->isFavourite);
        QCOMPARE(live.items().size(), 150);

        QCOMPARE(store.toggleFavourite(first), std::optional(true));
        QCOMPARE(store.toggleFavourite(third), std::optional(true));
        live.setScope(BrowseScope::favourites());
        QVERIFY(QTest::qWaitFor([&live] { return live.total() == 3 && !live.isLoading(); }));

        live.updateFavourite(second, false);
        QCOMPARE(providerIDs(live.items()), (QStringList{first.providerID, third.providerID}));
        QCOMPARE(live.total(), 2);
        // One beyond the loaded rows still lowers the total.
        live.updateFavourite(other, false);
        QCOMPARE(providerIDs(live.items()), (QStringList{first.providerID, third.providerID}));
        QCOMPARE(live.total(), 1);
        live.updateFavourite(first, false);
        live.updateFavourite(third, false);
        QVERIFY(live.items().isEmpty());
        QCOMPARE(live.total(), 0); // never below 0
    }

    void handsThePlayerTheChannelsOfTheScope()
    {
        Library library;
        BrowseModel series(CatalogueKind::Series, library.store());
        awaitBlocking(series.refreshIfNeeded());
        QVERIFY(awaitBlocking(series.channelQueue()).isEmpty());

        BrowseModel live(CatalogueKind::Live, library.store());
        awaitBlocking(live.refreshIfNeeded());
        live.setScope(BrowseScope::category(u"3"_s));
        live.setSort(BrowseSort::Title);
        QVERIFY(QTest::qWaitFor([&live] { return live.total() == 5 && !live.isLoading(); }));
        // Everything is loaded: the list as shown, in its own order.
        QCOMPARE(providerIDs(awaitBlocking(live.channelQueue())),
                 (QStringList{u"505"_s, u"504"_s, u"503"_s, u"502"_s, u"501"_s}));

        // With search text the whole scope comes from the database, in channel number order.
        live.setScope(BrowseScope::category(u"2"_s));
        live.setQuery(u"Infos 3"_s);
        library.harness.clock().advance(220ms);
        QVERIFY(settles(live));
        QCOMPARE(live.total(), 119);
        QCOMPARE(providerIDs(awaitBlocking(live.channelQueue())), numbers(201, 400));
    }

    // The all-items row counts what the all-items list lists, also the items of no category or
    // of one the provider never listed, and leaves out those of hidden categories.
    void theAllRowCountsEveryItemTheAllListShows()
    {
        Library library;
        GeneratedCatalogue catalogue = sampleCatalogue();
        int number = 9000;
        for (const CatalogueKind kind : allCatalogueKinds) {
            for (const std::optional<QString> &category : {std::optional<QString>(), std::optional(u"unlisted"_s)}) {
                ContentItem item = catalogueEntry(kind, ++number, QString(), u"Stray"_s);
                item.categoryID = category;
                catalogue.items.append(item);
            }
        }
        library.reimport(catalogue);
        BrowseCategory news;
        news.kind = CatalogueKind::Live;
        news.providerID = u"1"_s;
        QVERIFY(awaitBlocking(library.store().setCategoryHidden(news, true)));

        for (const CatalogueKind kind : allCatalogueKinds) {
            BrowseModel model(kind, library.store());
            awaitBlocking(model.refreshIfNeeded());
            model.setScope(BrowseScope::all());
            QVERIFY(settles(model));
            QTRY_COMPARE(model.total(), kind == CatalogueKind::Live ? 205 + 2 : kind == CatalogueKind::Movie ? 132 : 7);
            QCOMPARE(model.totalVisibleCount(), model.total());
        }
    }

    // A categories read that fails reports its sentence and keeps the categories, the hidden
    // languages and the scope shown so far: a passing failure must not move the user's scope.
    void aFailedCategoriesReadKeepsWhatIsShown()
    {
        Library library;
        BrowseModel live(CatalogueKind::Live, library.store());
        awaitBlocking(live.refreshIfNeeded());
        live.setScope(BrowseScope::category(u"2"_s));
        QVERIFY(settles(live));
        const QList<BrowseCategory> categories = live.categories();
        QStringList errors;
        connect(&live, &BrowseModel::errorChanged, this, [&] { errors.append(live.error().value_or(QString())); });

        (void)library.harness.rows(u"ALTER TABLE categories RENAME TO categories_away"_s);
        QVERIFY(awaitBlocking(library.store().setLanguageHidden(u"fr"_s, true)));
        awaitBlocking(live.refreshIfNeeded());
        QVERIFY(!errors.isEmpty() && errors.constFirst().startsWith(u"The catalogue "_s));
        QCOMPARE(live.categories(), categories);
        QCOMPARE(live.hiddenLanguages(), QSet<QString>());
        QCOMPARE(live.scope(), BrowseScope::category(u"2"_s));
        (void)library.harness.rows(u"ALTER TABLE categories_away RENAME TO categories"_s);
    }

    void aFailedLoadShowsTheSentenceUntilTheNextSucceeds()
    {
        Library library;
        BrowseModel live(CatalogueKind::Live, library.store());
        awaitBlocking(live.refreshIfNeeded());
        QCOMPARE(live.items().size(), 150);

        (void)library.harness.rows(u"ALTER TABLE content_items RENAME TO content_items_away"_s);
        awaitBlocking(live.reload());
        QVERIFY(live.items().isEmpty());
        QCOMPARE(live.total(), 0);
        QVERIFY(live.error().has_value());
        QVERIFY(live.error()->startsWith(u"The catalogue "_s));
        QVERIFY(!live.isLoading());

        (void)library.harness.rows(u"ALTER TABLE content_items_away RENAME TO content_items"_s);
        awaitBlocking(live.reload());
        QCOMPARE(live.error(), std::nullopt);
        QCOMPARE(live.items().size(), 150);
    }
};

QTEST_MAIN(BrowseModelTest)
#include "tst_browsemodel.moc"
