#include "App/AppModel.h"
#include "Catalogue/CatalogueDatabase.h"
#include "Catalogue/CataloguePageReader.h"
#include "Pages/Detail/DetailPageModel.h"
#include "Pages/Home/HomePageModel.h"
#include "Pages/Library/VodPageModel.h"
#include "Pages/Search/SearchPageModel.h"
#include "Playback/PlaybackWindowController.h"
#include "Store/CatalogueStore.h"
#include "Support/TimeText.h"
#include "Support/UserSettings.h"
#include "support/AwaitBlocking.h"
#include "support/CatalogueItems.h"
#include "support/LibraryRig.h"
#include "support/ModelChecks.h"
#include "support/ReaderGate.h"
#include "support/ToastTexts.h"

#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

// The page object of a page whose view was just built on the rig's application model.
// A word that titles of the kind contain: the last word of the first title of two letters or more.
QString wordOf(LibraryRig &rig, CatalogueKind kind)
{
    for (const MediaItem &item : rig.items(kind)) {
        const QString word = item.title.section(u' ', -1);
        if (word.size() >= 2 && word.at(0).isLetter())
            return word.toLower();
    }
    return QString();
}

template<typename Page>
std::unique_ptr<Page> openPage(LibraryRig &rig)
{
    auto page = std::make_unique<Page>();
    page->setApp(&rig.app());
    return page;
}

} // namespace

// The library pages' state over a real store and catalogue file, fed by the local provider:
// what each page loads, how it reloads, and what its actions start.
class LibraryPagesTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        UserSettings::remove(u"quillmere.recentSearches"_s);
        UserSettings::remove(u"quillmere.posterSize"_s);
    }

    void homeFillsItsShelvesFromTheLibrary()
    {
        LibraryRig rig;
        const QList<MediaItem> channels = rig.items(CatalogueKind::Live);
        const QList<MediaItem> films = rig.items(CatalogueKind::Movie);
        const QList<MediaItem> series = rig.items(CatalogueKind::Series);
        rig.saveProgress(films.at(0).providerID, CatalogueKind::Movie, 600, 5400, 100);
        rig.saveProgress(films.at(1).providerID, CatalogueKind::Movie, 5400, 5400, 50);
        rig.app().play(channels.at(2), {}, false);
        rig.store().toggleFavourite(channels.at(3));
        rig.store().toggleFavourite(series.at(0));
        rig.store().toggleFavourite(films.at(4));

        const auto home = openPage<HomePageModel>(rig);
        QVERIFY(home->taskKey().startsWith(QString::number(rig.playlistID()) + u'|'));
        QTRY_VERIFY(home->isLoaded());
        // A finished film is history, not something to continue.
        QCOMPARE(home->continueWatching()->rowCount(), 1);
        QCOMPARE(home->continueWatching()->entries().at(0).item.id(), films.at(0).id());
        QCOMPARE(home->continueWatching()->index(0).data(LibraryEntryListModel::ResumeLineRole).toString(),
                 u"1h 20m left"_s);
        QCOMPARE(ids(home->recentChannels()->items()), QStringList{channels.at(2).id()});
        QCOMPARE(ids(home->favouriteChannels()->items()), QStringList{channels.at(3).id()});
        // Films first, then series.
        QCOMPARE(ids(home->favouriteTitles()->items()), (QStringList{films.at(4).id(), series.at(0).id()}));
        QCOMPARE(home->newMovies()->rowCount(), 24);
        QCOMPARE(home->newSeries()->rowCount(), 8);
        QVERIFY(!home->showsEmptyHint());
        QCOMPARE(home->tiles().at(2).toMap().value(u"detail"_s).toString(), u"40 titles"_s);
    }

    void aFailingShelfLeavesTheOthers()
    {
        LibraryRig rig;
        const QList<MediaItem> channels = rig.items(CatalogueKind::Live);
        const QList<MediaItem> films = rig.items(CatalogueKind::Movie);
        rig.store().toggleFavourite(channels.at(0));
        rig.store().toggleFavourite(films.at(0));
        rig.app().play(channels.at(1), {}, false);
        // Only the favourite channels read the guide, for what is on now.
        rig.execute(u"ALTER TABLE epg_programmes RENAME TO epg_gone"_s);

        const auto home = openPage<HomePageModel>(rig);
        QTRY_VERIFY(home->isLoaded());
        QCOMPARE(home->favouriteChannels()->rowCount(), 0);
        QCOMPARE(ids(home->favouriteTitles()->items()), QStringList{films.at(0).id()});
        QCOMPARE(home->recentChannels()->rowCount(), 1);
        QCOMPARE(home->newMovies()->rowCount(), 24);
        QVERIFY(rig.app().toasts().isEmpty());
    }

    void homeWithoutAPlaylistShowsItsHint()
    {
        AppHarness harness;
        harness.start();
        HomePageModel home;
        home.setApp(&harness.app());
        QVERIFY(home.taskKey().startsWith(u"0|"_s));
        QVERIFY(!home.showsEmptyHint());
        QTRY_VERIFY(home.isLoaded());
        QVERIFY(home.showsEmptyHint());
        QCOMPARE(home.summary(), TimeText::longDay(harness.clock().now()));
        QVERIFY(home.isReady());
    }

    void homeFollowsLibraryWrites()
    {
        LibraryRig rig;
        const QList<MediaItem> channels = rig.items(CatalogueKind::Live);
        const QList<SeriesEpisode> episodes = rig.episodes(rig.items(CatalogueKind::Series).at(0).providerID);
        rig.saveProgress(episodes.at(1).providerID, CatalogueKind::Series, 300, 1202);
        rig.app().play(channels.at(0), {}, false);
        const auto home = openPage<HomePageModel>(rig);
        checkModel(*home->continueWatching());
        QTRY_COMPARE(home->continueWatching()->rowCount(), 1);
        QCOMPARE(home->continueWatching()->entries().at(0).episode, episodes.at(1));

        // Removing an episode's entry removes that episode's history row.
        home->removeFromContinueWatching(home->continueWatching()->entries().at(0).id());
        QTRY_COMPARE(home->continueWatching()->rowCount(), 0);
        QCOMPARE(rig.harness().rows(u"SELECT content_provider_id FROM watch_progress WHERE content_kind='series'"_s),
                 QStringList());

        rig.store().toggleFavourite(channels.at(5));
        QTRY_COMPARE(home->favouriteChannels()->rowCount(), 1);

        home->clearRecentlyWatched();
        QTRY_COMPARE(home->recentChannels()->rowCount(), 0);
        QCOMPARE(toastTexts(rig.app()), QStringList{u"Recently watched cleared"_s});
        QVERIFY(home->isLoaded());

        // A clear that the disk refuses is told by the store's error, and no notice claims it.
        rig.app().play(channels.at(1), {}, false);
        QTRY_COMPARE(home->recentChannels()->rowCount(), 1);
        {
            CatalogueDatabase database(rig.harness().databasePath());
            database.execute(u"CREATE TRIGGER refuse BEFORE DELETE ON watch_progress BEGIN SELECT RAISE(ABORT, 'disk refused'); END"_s);
        }
        home->clearRecentlyWatched();
        QTRY_VERIFY(rig.store().databaseError().has_value());
        QCoreApplication::processEvents();
        QCOMPARE(toastTexts(rig.app()), QStringList{u"Recently watched cleared"_s});
        QCOMPARE(home->recentChannels()->rowCount(), 1);
    }

    void homeStartsWhatItsCardsShow()
    {
        LibraryRig rig;
        const QList<MediaItem> channels = rig.items(CatalogueKind::Live);
        const QList<MediaItem> films = rig.items(CatalogueKind::Movie);
        rig.saveProgress(films.at(0).providerID, CatalogueKind::Movie, 600, 5400);
        for (const int row : {4, 2, 7})
            rig.store().toggleFavourite(channels.at(row));
        const auto home = openPage<HomePageModel>(rig);
        QTRY_VERIFY(home->isLoaded());

        home->resume(home->continueWatching()->entries().at(0).id());
        QCOMPARE(rig.playback().target()->item->id(), films.at(0).id());
        QVERIFY(rig.playback().target()->allowResume);
        QCOMPARE(rig.playback().target()->resumePosition, 600.0);

        // A channel switches through the channels of its own shelf.
        home->playChannel(home->favouriteChannels(), 1);
        QCOMPARE(rig.playback().target()->item->id(), home->favouriteChannels()->items().at(1).id());
        QCOMPARE(ids(rig.playback().target()->channels), ids(home->favouriteChannels()->items()));

        home->openPoster(home->newMovies(), 0);
        QCOMPARE(rig.app().detail(), home->newMovies()->items().at(0));

        const int requests = rig.app().searchFocusRequest();
        home->openSearch();
        QCOMPARE(rig.app().route(), Route::Search);
        QCOMPARE(rig.app().searchFocusRequest(), requests + 1);
    }

    void searchWaitsForTypingToPause()
    {
        LibraryRig rig;
        const QString word = wordOf(rig, CatalogueKind::Live);
        const auto search = openPage<SearchPageModel>(rig);
        QVERIFY(search->showsSuggestions());
        rig.app().setSearchText(u' ' + word + u' ');
        QCOMPARE(search->term(), word);
        QVERIFY(!search->showsSuggestions());
        rig.harness().clock().advance(199ms);
        QVERIFY(!search->isSearching());
        QVERIFY(!search->showsNoResults());
        // The search starts now (its reply may come within the same step: count the start).
        QSignalSpy started(search.get(), &SearchPageModel::searchingChanged);
        rig.harness().clock().advance(1ms);
        QVERIFY(!started.isEmpty());
        QTRY_VERIFY(!search->isSearching());
        QCOMPARE(ids(search->channels()->items()), ids(rig.items(CatalogueKind::Live, word)));
        QVERIFY(search->channels()->rowCount() > 0);

        // Spaces at the ends change nothing: no second search.
        QSignalSpy searching(search.get(), &SearchPageModel::searchingChanged);
        rig.app().setSearchText(word + u"  "_s);
        rig.harness().clock().advance(400ms);
        QCOMPARE(searching.size(), 0);
        QVERIFY(search->isClearVisible());

        // One character: the suggestions, and the results are gone without a query.
        rig.app().setSearchText(word.left(1));
        QTRY_COMPARE(search->channels()->rowCount(), 0);
        QVERIFY(search->showsSuggestions());
        QVERIFY(!search->isSearching());
    }

    void aSupersededSearchStoresNothing()
    {
        ReaderGate reader;
        LibraryRig rig;
        const QString channelWord = wordOf(rig, CatalogueKind::Live);
        const QString filmWord = wordOf(rig, CatalogueKind::Movie);
        const auto search = openPage<SearchPageModel>(rig);
        rig.app().setSearchText(channelWord);
        reader.close();
        rig.harness().clock().advance(200ms);
        // The queries for the first word are held on their way when the term changes.
        QVERIFY(search->isSearching());
        rig.app().setSearchText(filmWord);
        reader.open();
        QSignalSpy results(search.get(), &SearchPageModel::resultsChanged);
        // The reader answers one call at a time, in order: once a later one is answered, so are
        // the first word's queries.
        (void)awaitBlocking(rig.store().pageReader().browseItems(rig.playlistID(), CatalogueKind::Live, BrowseScope::all(),
                                                                 channelWord, BrowseSort::Provider, 1, 0));
        QCOMPARE(search->channels()->rowCount(), 0);
        QCOMPARE(results.size(), 0);
        rig.harness().clock().advance(200ms);
        QTRY_VERIFY(!search->isSearching());
        QCOMPARE(ids(search->movies()->items()), ids(awaitBlocking(rig.store().pageReader().browseItems(
                                                      rig.playlistID(), CatalogueKind::Movie, BrowseScope::all(),
                                                      filmWord, BrowseSort::Added, 40, 0))));
        QVERIFY(search->movies()->rowCount() > 0);
        QCOMPARE(search->channels()->rowCount(), rig.items(CatalogueKind::Live, filmWord).size());
    }

    void noResultsOnlyOnceTheSearchForTheTermEnds()
    {
        LibraryRig rig;
        const auto search = openPage<SearchPageModel>(rig);
        rig.app().setSearchText(u"qqqzzz"_s);
        QVERIFY(!search->showsNoResults());
        // Whenever it changes, the panel shows only with no search under way.
        bool shownWhileSearching = false;
        const auto check = [&] { shownWhileSearching |= search->showsNoResults() && search->isSearching(); };
        connect(search.get(), &SearchPageModel::resultsChanged, search.get(), check);
        connect(search.get(), &SearchPageModel::searchingChanged, search.get(), check);
        rig.harness().clock().advance(200ms);
        QTRY_VERIFY(search->showsNoResults());
        QVERIFY(!shownWhileSearching);
        QCOMPARE(search->noResultsTitle(), u"No results for \u201Cqqqzzz\u201D"_s);
        // A new term hides the panel at once, before its own search has run.
        rig.app().setSearchText(u"qqqzzzz"_s);
        QVERIFY(!search->showsNoResults());
    }

    void hidingACategorySearchesAgain()
    {
        LibraryRig rig;
        const auto search = openPage<SearchPageModel>(rig);
        rig.app().setSearchText(wordOf(rig, CatalogueKind::Live));
        rig.harness().clock().advance(200ms);
        QTRY_VERIFY(!search->isSearching());
        QVERIFY(search->channels()->rowCount() > 0);
        const MediaItem first = search->channels()->items().at(0);
        const QList<BrowseCategory> categories =
            awaitBlocking(rig.store().pageReader().browseCategories(rig.playlistID(), CatalogueKind::Live));
        const auto category = std::find_if(categories.begin(), categories.end(), [&first](const BrowseCategory &c) {
            return first.categoryID == c.providerID;
        });
        QVERIFY(category != categories.end());
        QVERIFY(awaitBlocking(rig.store().setCategoryHidden(*category, true)));
        rig.harness().clock().advance(200ms);
        QTRY_VERIFY(search->channels()->indexOf(first) < 0);
    }

    void remembersTermsOnReturnAndOnResults()
    {
        LibraryRig rig;
        const auto search = openPage<SearchPageModel>(rig);
        QSignalSpy focus(search.get(), &SearchPageModel::focusRequested);
        rig.app().setSearchFocusRequest(rig.app().searchFocusRequest() + 1);
        QCOMPARE(focus.size(), 1);

        const QString filmWord = wordOf(rig, CatalogueKind::Movie);
        rig.app().setSearchText(filmWord + u' ');
        search->submit();
        rig.app().setSearchText(u"news"_s);
        search->submit();
        QCOMPARE(search->recent(), (QStringList{u"news"_s, filmWord}));
        // A chip searches for its term without moving it.
        search->chooseRecent(filmWord);
        QCOMPARE(rig.app().searchText(), filmWord);
        QCOMPARE(search->recent(), (QStringList{u"news"_s, filmWord}));
        rig.harness().clock().advance(200ms);
        QTRY_VERIFY(!search->isSearching());
        QVERIFY(search->movies()->rowCount() > 0);
        search->openTitle(search->movies(), 0);
        QCOMPARE(search->recent(), (QStringList{filmWord, u"news"_s}));
        QCOMPARE(rig.app().detail(), search->movies()->items().at(0));
        // Typing alone remembers nothing.
        rig.app().setSearchText(u"storm"_s);
        QCOMPARE(search->recent().size(), 2);
        search->clearRecent();
        QVERIFY(search->recent().isEmpty());
    }

    void aChannelResultSwitchesThroughTheResults()
    {
        LibraryRig rig;
        const QString word = wordOf(rig, CatalogueKind::Live);
        const auto search = openPage<SearchPageModel>(rig);
        rig.app().setSearchText(word);
        rig.harness().clock().advance(200ms);
        QTRY_VERIFY(!search->isSearching());
        QVERIFY(search->channels()->rowCount() > 1);
        search->playChannel(1);
        QCOMPARE(rig.playback().target()->item->id(), search->channels()->items().at(1).id());
        QCOMPARE(ids(rig.playback().target()->channels), ids(search->channels()->items()));
        QCOMPARE(search->recent(), QStringList{word});
    }

    void filmDetailOffersPlayOrResume()
    {
        LibraryRig rig;
        const MediaItem film = rig.items(CatalogueKind::Movie).at(3);
        rig.app().setDetail(film);
        auto detail = openPage<DetailPageModel>(rig);
        QCOMPARE(detail->kindLabel(), u"Movie"_s);
        QCOMPARE(detail->resumeAt(), 0.0);
        QVERIFY(!detail->resumes());
        QVERIFY(!detail->isFavourite());
        QCOMPARE(detail->formatBadge(), film.containerExtension->toUpper());

        // A saved position shows once the library moves on.
        rig.saveProgress(film.providerID, CatalogueKind::Movie, 754, 5400);
        rig.store().toggleFavourite(rig.items(CatalogueKind::Movie).at(0));
        QVERIFY(detail->resumes());
        QCOMPARE(detail->resumeTitle(), u"Resume from 12:34"_s);
        detail->play(true);
        QCOMPARE(rig.playback().target()->item->id(), film.id());
        QCOMPARE(rig.playback().target()->resumePosition, 754.0);
        detail->play(false);
        QCOMPARE(rig.playback().target()->resumePosition, 0.0);

        detail->back();
        QCOMPARE(rig.app().detail(), std::nullopt);
    }

    void myListTogglesAndTellsTheGrid()
    {
        LibraryRig rig;
        BrowseModel &movies = *rig.app().movies();
        movies.setScope(BrowseScope::favourites());
        const MediaItem film = rig.items(CatalogueKind::Movie).at(1);
        rig.app().setDetail(film);
        const auto detail = openPage<DetailPageModel>(rig);

        QCOMPARE(detail->myListTitle(), u"My list"_s);
        QCOMPARE(detail->myListSymbol(), u"plus"_s);
        detail->toggleFavourite();
        QVERIFY(detail->isFavourite());
        QCOMPARE(detail->myListTitle(), u"In My list"_s);
        QCOMPARE(detail->myListSymbol(), u"checkmark"_s);
        movies.scheduleReload(false);
        QTRY_COMPARE(ids(movies.items()), QStringList{film.id()});
        detail->toggleFavourite();
        QVERIFY(!detail->isFavourite());
        QVERIFY(movies.items().isEmpty());
        QCOMPARE(toastTexts(rig.app()), (QStringList{u"Added to My list"_s, u"Removed from My list"_s}));

        // A refused write leaves the film off the list and claims nothing.
        {
            CatalogueDatabase database(rig.harness().databasePath());
            database.execute(u"CREATE TRIGGER refuse BEFORE INSERT ON favourites BEGIN SELECT RAISE(ABORT, 'disk refused'); END"_s);
        }
        detail->toggleFavourite();
        QVERIFY(!detail->isFavourite());
        QVERIFY(rig.store().databaseError().has_value());
        QCOMPARE(toastTexts(rig.app()).size(), 2);
    }

    void seriesDetailOffersTheNextEpisode()
    {
        LibraryRig rig;
        const MediaItem series = rig.seriesWithSeasons(2);
        const QList<SeriesEpisode> episodes = rig.episodes(series.providerID);
        const SeriesEpisode &first = episodes.at(0);
        const SeriesEpisode &second = episodes.at(1);
        rig.saveProgress(first.providerID, CatalogueKind::Series, 1200, 1200);
        rig.saveProgress(second.providerID, CatalogueKind::Series, 600, 1200);
        rig.app().setDetail(series);
        const auto detail = openPage<DetailPageModel>(rig);
        checkModel(*detail->episodeRows());
        QCOMPARE(detail->nextEpisodeTitle(), QString());

        QTRY_COMPARE(detail->nextEpisodeTitle(), u"Continue S1 E2"_s);
        QCOMPARE(detail->episodeList(), episodes);
        QCOMPARE(detail->seasonChips().size(), EpisodeChoice::seasons(episodes).size());
        QVERIFY(detail->seasonChips().at(0).toMap().value(u"selected"_s).toBool());
        EpisodeListModel &rows = *detail->episodeRows();
        QVERIFY(rows.index(0).data(EpisodeListModel::WatchedRole).toBool());
        QCOMPARE(rows.index(1).data(EpisodeListModel::FractionRole).toDouble(), 0.5);

        detail->playNextEpisode();
        QCOMPARE(rig.playback().target()->episode, second);
        QCOMPARE(rig.playback().target()->episodes, episodes);
        QCOMPARE(rig.playback().target()->resumePosition, 600.0);

        // Marking the episode unwatched moves the play button back to a plain Play.
        detail->markUnwatched(1);
        QTRY_COMPARE(detail->nextEpisodeTitle(), u"Play S1 E2"_s);
        QVERIFY(!rows.index(1).data(EpisodeListModel::HasProgressRole).toBool());

        detail->chooseSeason(2);
        QCOMPARE(rows.rows().at(0).episode.seasonNumber, 2);
        detail->playEpisode(0, false);
        QCOMPARE(rig.playback().target()->episode, rows.rows().at(0).episode);
        QVERIFY(!rig.playback().target()->allowResume);
    }

    void aFailedEpisodeLoadShowsItsSentenceUntilARefreshSucceeds()
    {
        LibraryRig rig;
        rig.harness().provider().setFault(u"get_series_info"_s, {.httpStatus = 503});
        const MediaItem series = rig.items(CatalogueKind::Series).at(2);
        rig.app().setDetail(series);
        const auto detail = openPage<DetailPageModel>(rig);
        QTRY_VERIFY(detail->episodesMessageIsError());
        QVERIFY(!detail->episodesMessage().isEmpty());
        QCOMPARE(detail->nextEpisodeTitle(), QString());
        QCOMPARE(detail->countsText(), QString());

        rig.harness().provider().clearFaults();
        detail->refreshEpisodes();
        QVERIFY(detail->isLoadingEpisodes());
        QTRY_VERIFY(!detail->isLoadingEpisodes());
        QVERIFY(!detail->episodesMessageIsError());
        QCOMPARE(detail->episodesMessage(), QString());
        QCOMPARE(detail->nextEpisodeTitle(), u"Play S1 E1"_s);
    }

    void vodPageLaysOutAndOpensItsPosters()
    {
        LibraryRig rig;
        VodPageModel page;
        page.setBrowse(rig.app().movies());
        page.setApp(&rig.app());
        QTRY_VERIFY(page.isReady());
        QTRY_COMPARE(page.countLine(), u"40 movies"_s);
        QCOMPARE(page.title(), u"All movies"_s);
        QCOMPARE(page.body(), u"grid"_s);
        QCOMPARE(page.searchPrompt(), u"Search movies"_s);

        page.setAvailableWidth(1000);
        QCOMPARE(page.columnCount(), 5);
        QCOMPARE(page.cardWidth(), 169);
        page.setPosterSize(u"large"_s);
        QCOMPARE(page.columnCount(), 4);
        QCOMPARE(UserSettings::text(u"quillmere.posterSize"_s), u"large"_s);

        page.openDetail(3);
        QCOMPARE(rig.app().detail(), rig.app().movies()->items().at(3));

        rig.app().movies()->setScope(BrowseScope::favourites());
        QTRY_COMPARE(page.body(), u"empty"_s);
        QCOMPARE(page.panelTitle(), u"Nothing saved yet"_s);
        QCOMPARE(page.title(), u"Favourites"_s);
        QCOMPARE(page.countLine(), u"0 movies"_s);
    }

    void theGridsEndFetchesTheNextPage()
    {
        LibraryRig rig({2, 300, 2});
        BrowseModel &movies = *rig.app().movies();
        VodPageModel page;
        page.setBrowse(&movies);
        page.setApp(&rig.app());
        QTRY_VERIFY(page.isReady());
        QCOMPARE(movies.items().size(), 120);
        // Scrolled to its end, the grid's last corner lies under the last row: the last poster counts.
        page.gridMoved(-1, true);
        QTRY_COMPARE(movies.items().size(), 240);
        page.gridMoved(239, false);
        QTRY_COMPARE(movies.items().size(), movies.total());
    }
};

QTEST_GUILESS_MAIN(LibraryPagesTest)
#include "tst_librarypages.moc"
