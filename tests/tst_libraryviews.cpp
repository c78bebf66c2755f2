#include "App/AppModel.h"
#include "App/BrowseModel.h"
#include "App/MediaItemListModel.h"
#include "Pages/Home/HomePageModel.h"
#include "Playback/PlaybackWindowController.h"
#include "Store/CatalogueStore.h"
#include "Support/UserSettings.h"
#include "Views/Shell/PageModel.h"
#include "support/FakeProvider.h"
#include "support/LibraryRig.h"
#include "support/PageViews.h"
#include "support/QmlHarness.h"

#include <QDesktopServices>
#include <QQuickItem>
#include <QWheelEvent>
#include <QTest>
#include <QtQml/QQmlExtensionPlugin>

Q_IMPORT_QML_PLUGIN(QuillmerePlugin)

using namespace Qt::StringLiterals;

namespace {

// Takes the addresses the pages hand to the desktop's browser, so that no browser starts.
class BrowserStandIn final : public QObject
{
    Q_OBJECT

public:
    BrowserStandIn()
    {
        for (const QString &scheme : {u"http"_s, u"https"_s, u"file"_s})
            QDesktopServices::setUrlHandler(scheme, this, "open");
    }
    ~BrowserStandIn() override
    {
        for (const QString &scheme : {u"http"_s, u"https"_s, u"file"_s})
            QDesktopServices::unsetUrlHandler(scheme);
    }

    QStringList opened;

public Q_SLOTS:
    void open(const QUrl &url) { opened.append(QString::fromLatin1(url.toEncoded())); }
};

QQuickItem *child(QQuickItem *root, const QString &name)
{
    QQuickItem *item = QmlHarness::find(root, name);
    if (!item)
        qWarning().noquote() << "no item named" << name;
    return item;
}

bool scrollsDown(const QQuickItem *item)
{
    return item->inherits("QQuickFlickable") && item->property("orientation").toInt() != Qt::Horizontal;
}

// Scrolls the page (the nearest flickable around `item` that scrolls up and down) so that all of
// `item` shows, as a user scrolling down to it would.
QQuickItem *inView(QQuickItem *item)
{
    QQuickItem *scroller = item->parentItem();
    while (scroller && !scrollsDown(scroller))
        scroller = scroller->parentItem();
    if (scroller) {
        const qreal top = item->mapToItem(scroller->property("contentItem").value<QQuickItem *>(), QPointF()).y();
        const qreal bottom = top + item->height();
        qreal contentY = scroller->property("contentY").toReal();
        if (bottom > contentY + scroller->height())
            contentY = bottom - scroller->height();
        if (top < contentY)
            contentY = top;
        scroller->setProperty("contentY", contentY);
        QmlHarness::settle();
    }
    return item;
}

// The card of a shelf's row, once the row has made it, scrolled into view.
QQuickItem *cardOf(QQuickItem *shelf, int index)
{
    auto *row = qobject_cast<QQuickItem *>(QmlHarness::find(shelf, u"row"_s));
    QQuickItem *card = nullptr;
    (void)QTest::qWaitFor([&] {
        QMetaObject::invokeMethod(row, "itemAtIndex", Q_RETURN_ARG(QQuickItem *, card), Q_ARG(int, index));
        return card != nullptr;
    });
    return card ? inView(card) : nullptr;
}

// Lets the search's pause for typing pass, once the search has begun to wait.
void passTypingPause(LibraryRig &rig)
{
    QVERIFY(QTest::qWaitFor([&rig] { return rig.harness().clock().pendingSleeps() > 0; }));
    rig.harness().clock().advance(std::chrono::milliseconds(200));
}

void saveLook(QmlHarness &harness, const QString &name)
{
    QmlHarness::settle();
    harness.grab().save(name + u".png"_s);
}

} // namespace

// The library pages offscreen over a real store and catalogue, driven with real clicks and keys.
class LibraryViewsTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void homeShelvesPlayOpenAndForget()
    {
        LibraryRig rig;
        const QList<MediaItem> channels = rig.items(CatalogueKind::Live);
        const QList<MediaItem> films = rig.items(CatalogueKind::Movie);
        rig.saveProgress(films.at(2).providerID, CatalogueKind::Movie, 1500, 5400, 60);
        rig.saveProgress(films.at(5).providerID, CatalogueKind::Movie, 600, 6000, 30);
        rig.app().play(channels.at(1), {}, false);
        for (const int row : {3, 4})
            rig.store().toggleFavourite(channels.at(row));
        rig.store().toggleFavourite(films.at(7));
        rig.playback().close();

        QmlHarness harness({1367, 900});
        QQuickItem *page = PageViews::open(harness, u"HomePage { width: 1319; height: 852 }"_s);
        QVERIFY(page);
        saveLook(harness, u"home-page"_s);
        QVERIFY(!child(page, u"emptyHint"_s)->isVisible());

        // A new film opens its detail page.
        QQuickItem *newMovies = child(page, u"newMovies"_s);
        harness.click(cardOf(newMovies, 0));
        QVERIFY(rig.app().detail());
        QCOMPARE(rig.app().detail()->kind, CatalogueKind::Movie);
        rig.app().setDetail(std::nullopt);

        // A favourite channel plays with the favourite channels to switch through.
        harness.click(cardOf(child(page, u"favouriteChannels"_s), 1));
        QVERIFY(rig.playback().target());
        QCOMPARE(rig.playback().target()->channels.size(), 2);
        rig.playback().close();

        // Continue watching: the card resumes, its menu forgets it, also when the shelf is read
        // again under the open menu with another film in its place.
        QQuickItem *continueWatching = child(page, u"continueWatching"_s);
        harness.click(cardOf(continueWatching, 0));
        QCOMPARE(rig.playback().target()->item->id(), films.at(5).id());
        QCOMPARE(rig.playback().target()->resumePosition, 600.0);
        rig.playback().close();
        harness.click(cardOf(continueWatching, 0), std::nullopt, Qt::RightButton);
        QQuickItem *remove = nullptr;
        QTRY_VERIFY((remove = QmlHarness::find(harness.window().contentItem(), u"removeEntry"_s)) && remove->isVisible());
        const auto *shelf = continueWatching->property("model").value<QAbstractItemModel *>();
        const auto filmAt = [shelf](int row) { return shelf->index(row, 0).data(LibraryEntryListModel::EntryIdRole).toString(); };
        rig.saveProgress(films.at(8).providerID, CatalogueKind::Movie, 900, 6000);
        QTRY_COMPARE(filmAt(0), films.at(8).id());
        QmlHarness::settle();
        harness.click(remove);
        QTRY_COMPARE(shelf->rowCount(), 2);
        QCOMPARE(QStringList({filmAt(0), filmAt(1)}), QStringList({films.at(8).id(), films.at(2).id()}));

        harness.click(inView(child(page, u"clearRecent"_s)));
        QTRY_VERIFY(!child(page, u"recentChannels"_s)->isVisible());
        QCOMPARE(rig.app().toasts().constLast().text, u"Recently watched cleared"_s);

        harness.click(inView(child(page, u"tile-guide"_s)));
        QCOMPARE(rig.app().route(), Route::Guide);
        harness.click(inView(child(page, u"searchButton"_s)));
        QCOMPARE(rig.app().route(), Route::Search);
        QCOMPARE(rig.app().searchFocusRequest(), 1);
    }

    void searchShowsResultsOnceTypingPausesAndRemembersTheTerm()
    {
        LibraryRig rig;
        UserSettings::remove(u"quillmere.recentSearches"_s);
        QString word;
        for (const MediaItem &film : rig.items(CatalogueKind::Movie)) {
            if (const QString last = film.title.section(u' ', -1).toLower(); last.size() >= 3 && last.at(0).isLetter()) {
                word = last;
                break;
            }
        }
        QmlHarness harness({1367, 900});
        QQuickItem *page = PageViews::open(harness, u"SearchPage { width: 1319; height: 852 }"_s);
        QVERIFY(page);
        QQuickItem *field = child(page, u"searchText"_s);
        // The field has the keyboard as soon as the page shows.
        QTRY_VERIFY(field->hasActiveFocus());
        QVERIFY(child(page, u"searchTip"_s)->isVisible());

        harness.type(word);
        QCOMPARE(rig.app().searchText(), word);
        QQuickItem *movies = child(page, u"movieResults"_s);
        QVERIFY(!movies->isVisible());
        passTypingPause(rig);
        QTRY_VERIFY(movies->isVisible());
        QVERIFY(!child(page, u"searchSpinner"_s)->isVisible());
        saveLook(harness, u"search-page"_s);

        // Return remembers the term; a result does too, and opens the title.
        harness.key(Qt::Key_Return);
        QCOMPARE(UserSettings::text(u"quillmere.recentSearches"_s), word);
        harness.click(cardOf(movies, 0));
        QVERIFY(rig.app().detail());

        // Cleared, the page offers the term again as a chip, which searches for it.
        harness.click(child(page, u"clearText"_s));
        QCOMPARE(rig.app().searchText(), QString());
        QQuickItem *chip = nullptr;
        QTRY_VERIFY((chip = QmlHarness::find(page, u"recent:"_s + word)) && chip->isVisible());
        harness.click(chip);
        QCOMPARE(rig.app().searchText(), word);
        passTypingPause(rig);
        QTRY_VERIFY(movies->isVisible());

        // A term nobody uses: the panel shows only once its search has ended.
        harness.click(field);
        harness.type(u"qqzz"_s);
        QVERIFY(!child(page, u"noResults"_s)->isVisible());
        passTypingPause(rig);
        QTRY_VERIFY(child(page, u"noResults"_s)->isVisible());
        QVERIFY(!movies->isVisible());
    }

    void theFilmGridOpensSortsResizesAndPages()
    {
        LibraryRig rig({2, 300, 2});
        UserSettings::remove(u"quillmere.posterSize"_s);
        QmlHarness harness({1367, 900});
        QQuickItem *page = PageViews::open(harness, u"VodPage { width: 1319; height: 852; browse: AppModel.movies }"_s);
        QVERIFY(page);
        BrowseModel &movies = *rig.app().movies();
        QVERIFY(movies.total() > 240);
        QCOMPARE(child(page, u"pageSubtitle"_s)->property("text").toString(),
                 QString::number(movies.total()) + u" movies"_s);
        QQuickItem *grid = child(page, u"posterGrid"_s);
        // 1319 less the 300-wide category column and its rule: five columns of 173.
        QCOMPARE(grid->property("cellWidth").toReal(), 173.0 + 22);
        saveLook(harness, u"movies-page"_s);

        harness.click(child(page, u"poster:2"_s));
        QCOMPARE(rig.app().detail(), movies.items().at(2));
        rig.app().setDetail(std::nullopt);

        // Scrolling to the end of the loaded posters fetches the next page.
        QCOMPARE(movies.items().size(), 120);
        grid->setProperty("contentY", grid->property("contentHeight").toReal());
        QTRY_COMPARE(movies.items().size(), 240);

        harness.click(child(page, u"sortButton"_s));
        QQuickItem *byTitle = nullptr;
        QTRY_VERIFY((byTitle = QmlHarness::find(harness.window().contentItem(), u"sort:title"_s)) && byTitle->isVisible());
        QmlHarness::settle();
        harness.click(byTitle);
        QCOMPARE(movies.sortName(), u"title"_s);

        harness.click(child(page, u"posterSizeButton"_s));
        QQuickItem *large = nullptr;
        QTRY_VERIFY((large = QmlHarness::find(harness.window().contentItem(), u"size:large"_s)) && large->isVisible());
        QmlHarness::settle();
        harness.click(large);
        QCOMPARE(UserSettings::text(u"quillmere.posterSize"_s), u"large"_s);
        QCOMPARE(grid->property("cellWidth").toReal(), 222.0 + 22);

        // A film's menu adds it to the favourites; in the favourites scope, removing it takes it out.
        movies.setScope(BrowseScope::favourites());
        QTRY_VERIFY(child(page, u"panel"_s)->isVisible());
        QCOMPARE(child(page, u"panel"_s)->property("title").toString(), u"Nothing saved yet"_s);
        QVERIFY(!grid->isVisible());
        rig.store().toggleFavourite(rig.items(CatalogueKind::Movie).at(0));
        movies.scheduleReload(false);
        QQuickItem *poster = nullptr;
        QTRY_VERIFY((poster = QmlHarness::find(page, u"poster:0"_s)) && grid->isVisible());
        harness.click(poster, std::nullopt, Qt::RightButton);
        QQuickItem *favourite = nullptr;
        QTRY_VERIFY((favourite = QmlHarness::find(harness.window().contentItem(), u"favouriteEntry"_s))
                    && favourite->isVisible());
        QmlHarness::settle();
        harness.click(favourite);
        QTRY_VERIFY(movies.items().isEmpty());
        QCOMPARE(child(page, u"pageSubtitle"_s)->property("text").toString(), u"0 movies"_s);
    }

    void aFilmsDetailPlaysResumesAndClosesOnEscape()
    {
        LibraryRig rig;
        const MediaItem film = rig.items(CatalogueKind::Movie).at(4);
        rig.saveProgress(film.providerID, CatalogueKind::Movie, 754, 5400);
        rig.app().setDetail(film);
        QmlHarness harness({1367, 900});
        QQuickItem *page = PageViews::open(harness, u"DetailPage { width: 1319; height: 852 }"_s);
        QVERIFY(page);
        saveLook(harness, u"movie-detail"_s);
        QVERIFY(!child(page, u"playButton"_s)->isVisible());
        QQuickItem *resume = child(page, u"resumeButton"_s);
        QCOMPARE(resume->property("text").toString(), u"Resume from 12:34"_s);

        harness.click(resume);
        QCOMPARE(rig.playback().target()->item->id(), film.id());
        QCOMPARE(rig.playback().target()->resumePosition, 754.0);
        rig.playback().close();
        harness.click(child(page, u"startOverButton"_s));
        QCOMPARE(rig.playback().target()->resumePosition, 0.0);
        rig.playback().close();

        harness.click(child(page, u"myListButton"_s));
        QCOMPARE(child(page, u"myListButton"_s)->property("text").toString(), u"In My list"_s);
        QCOMPARE(rig.app().toasts().constLast().text, u"Added to My list"_s);

        harness.key(Qt::Key_Escape);
        QCOMPARE(rig.app().detail(), std::nullopt);
    }

    void aSeriesDetailContinuesAndForgetsEpisodes()
    {
        LibraryRig rig;
        const MediaItem series = rig.seriesWithSeasons(2);
        const QList<SeriesEpisode> episodes = rig.episodes(series.providerID);
        rig.saveProgress(episodes.at(0).providerID, CatalogueKind::Series, 1200, 1200, 100);
        rig.saveProgress(episodes.at(1).providerID, CatalogueKind::Series, 600, 1200, 50);
        HomePageModel home;
        home.setApp(&rig.app());
        QTRY_COMPARE(home.continueWatching()->count(), 1);
        rig.app().setDetail(series);
        QmlHarness harness({1367, 900});
        QQuickItem *page = PageViews::open(harness, u"DetailPage { width: 1319; height: 852 }"_s);
        QVERIFY(page);
        QQuickItem *next = child(page, u"nextEpisodeButton"_s);
        QTRY_COMPARE(next->property("text").toString(), u"Continue S1 E2"_s);
        QVERIFY(child(page, u"season:2"_s)->isVisible());
        saveLook(harness, u"series-detail"_s);

        harness.click(next);
        QCOMPARE(rig.playback().target()->episode, episodes.at(1));
        QCOMPARE(rig.playback().target()->episodes, episodes);
        rig.playback().close();

        // The episode's menu forgets its history: its row, the play button and the home page follow.
        QQuickItem *row = inView(child(page, u"episode:1"_s));
        QVERIFY(child(row, u"watchedShare"_s)->isVisible());
        harness.click(row, QPointF(400, 40), Qt::RightButton);
        QQuickItem *forget = nullptr;
        QTRY_VERIFY((forget = QmlHarness::find(harness.window().contentItem(), u"unwatchedEntry"_s)) && forget->isVisible());
        QmlHarness::settle();
        harness.click(forget);
        QTRY_COMPARE(next->property("text").toString(), u"Play S1 E2"_s);
        QVERIFY(!child(row, u"watchedShare"_s)->isVisible());
        QTRY_COMPARE(home.continueWatching()->count(), 0);

        // Another season's episode plays from its row; choosing the season keeps the page where
        // it was scrolled to.
        QQuickItem *list = child(page, u"detailList"_s);
        const QPointF over = list->mapToScene(QPointF(list->width() / 2, list->height() / 2));
        QWheelEvent wheel(over, harness.window().mapToGlobal(over), QPoint(), QPoint(0, -120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        // After the last click, as a real wheel would be: the list measures its speed by the time.
        QTest::lastMouseTimestamp += 100;
        wheel.setTimestamp(QTest::lastMouseTimestamp);
        QCoreApplication::sendEvent(&harness.window(), &wheel);
        // How far below its top the page stands.
        const auto scrolledTo = [list] {
            return list->property("contentY").toReal() - list->property("originY").toReal() + list->property("topMargin").toReal();
        };
        QTRY_VERIFY(scrolledTo() > 40 && !list->property("moving").toBool());
        const qreal scrolled = scrolledTo();
        harness.click(child(page, u"season:2"_s));
        QTRY_VERIFY(child(page, u"season:2"_s)->property("selected").toBool() && QmlHarness::find(page, u"episode:0"_s));
        QTRY_COMPARE(scrolledTo(), scrolled);
        QQuickItem *first = QmlHarness::find(page, u"episode:0"_s);
        harness.click(inView(first));
        QCOMPARE(rig.playback().target()->episode->seasonNumber, 2);
    }

    // An episode row shows the episode's picture, or the series' own when the episode has none.
    void episodeRowsShowTheirPictures()
    {
        LibraryRig rig;
        const QList<MediaItem> shows = rig.items(CatalogueKind::Series);
        const auto series = std::find_if(shows.cbegin(), shows.cend(), [](const MediaItem &item) { return item.artworkURL; });
        QVERIFY(series != shows.cend());
        FakeProvider &provider = rig.harness().provider();
        const QString still = provider.artworkURL(u"still.jpg"_s).toString();
        provider.setDocument(u"get_series_info"_s,
                             (u"{\"episodes\":{\"1\":[{\"id\":\"e1\",\"episode_num\":1,\"title\":\"One\","
                              "\"info\":{\"movie_image\":\""_s
                              + still + u"\"}},{\"id\":\"e2\",\"episode_num\":2,\"title\":\"Two\"}]}}"_s)
                                 .toUtf8());
        rig.app().setDetail(*series);
        QmlHarness harness({1367, 900});
        QQuickItem *page = PageViews::open(harness, u"DetailPage { width: 1319; height: 852 }"_s);
        QVERIFY(page);
        QQuickItem *first = nullptr;
        QTRY_VERIFY((first = QmlHarness::find(page, u"episode:0"_s)));
        QQuickItem *picture = PageViews::firstOfClass(first, "ArtworkView");
        QCOMPARE(picture->property("url").toUrl(), QUrl(still));
        QTRY_VERIFY(picture->property("shown").toBool());
        QQuickItem *fallback = PageViews::firstOfClass(QmlHarness::find(page, u"episode:1"_s), "ArtworkView");
        QCOMPARE(fallback->property("url").toUrl(), *series->artworkURL);
    }

    void theLauncherOpensTheSiteInTheBrowser()
    {
        LibraryRig rig({2, 2, 1});
        BrowserStandIn browser;
        QmlHarness harness({1100, 700});
        QQuickItem *page = harness.createFromQml(u"VideoSitePage { width: 1050; height: 650 }"_s);
        QVERIFY(page);
        QQuickItem *field = child(page, u"searchText"_s);
        QQuickItem *search = child(page, u"searchButton"_s);

        // Spaces only: the button stays off and Return does nothing.
        harness.click(field);
        harness.type(u"   "_s);
        QVERIFY(!search->isEnabled());
        harness.key(Qt::Key_Return);
        QVERIFY(browser.opened.isEmpty());

        harness.type(u"c++ & more "_s);
        QVERIFY(search->isEnabled());
        harness.key(Qt::Key_Return);
        harness.click(search);
        const QString results = u"https://www.youtube.com/results?search_query=c%2B%2B%20%26%20more"_s;
        QCOMPARE(browser.opened, (QStringList{results, results}));
        // The field keeps its text after a search.
        QCOMPARE(field->property("text").toString(), u"   c++ & more "_s);

        harness.click(child(page, u"shortcut:Watch later"_s));
        harness.click(child(page, u"shortcut:Home"_s));
        QCOMPARE(browser.opened.mid(2), (QStringList{u"https://www.youtube.com/playlist?list=WL"_s,
                                                      u"https://www.youtube.com"_s}));
    }
};

QTEST_MAIN(LibraryViewsTest)
#include "tst_libraryviews.moc"
