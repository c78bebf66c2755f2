#include "App/AppModel.h"
#include "App/GuideState.h"
#include "Playback/PlaybackWindowController.h"
#include "Store/CatalogueStore.h"
#include "Views/Pages/Guide/GuideKeys.h"
#include "Views/Pages/Guide/GuideLane.h"
#include "Views/Pages/Guide/GuidePageModel.h"
#include "Views/Pages/Guide/GuideProgrammeFetcher.h"
#include "Views/Pages/Guide/ProgrammeSheetModel.h"
#include "support/AwaitBlocking.h"
#include "support/CatalogueItems.h"
#include "support/LiveTvLibrary.h"
#include "support/ModelChecks.h"
#include "support/PostedEvents.h"

#include <QSignalSpy>
#include <QTest>

#include <sqlite3.h>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

const QDateTime noon(QDate(2026, 1, 1), QTime(12, 0));

// A guide page as the shell builds it, 900 points wide.
std::unique_ptr<GuidePageModel> openGuide(AppModel &app)
{
    auto page = std::make_unique<GuidePageModel>();
    page->setApp(&app);
    return page;
}

bool loaded(GuidePageModel &page)
{
    return QTest::qWaitFor([&page] { return !page.state()->loadedKey().isEmpty() && !page.isLoading(); });
}

// The lanes of rows first to last, as the grid makes them for the rows it shows.
std::vector<std::unique_ptr<GuideLane>> lanes(GuidePageModel &page, int first, int last)
{
    std::vector<std::unique_ptr<GuideLane>> made;
    for (int row = first; row <= last; ++row) {
        made.push_back(std::make_unique<GuideLane>());
        checkModel(*made.back());
        made.back()->setPage(&page);
        made.back()->setRow(row);
    }
    return made;
}

QStringList cellTitles(const GuideLane &lane)
{
    QStringList result;
    for (int row = 0; row < lane.rowCount(); ++row)
        result.append(lane.index(row).data(GuideLane::TitleRole).toString().mid(1).chopped(1));
    return result;
}

void renameTable(const QString &databasePath, const QString &from, const QString &to)
{
    sqlite3 *database = nullptr;
    QVERIFY(sqlite3_open(databasePath.toUtf8().constData(), &database) == SQLITE_OK);
    const QByteArray sql = u"ALTER TABLE %1 RENAME TO %2"_s.arg(from, to).toUtf8();
    QCOMPARE(sqlite3_exec(database, sql.constData(), nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(database);
}

} // namespace

// The guide page's object over a real store: loading by its keys, the time line's navigation,
// the rows' programme reads and the programme sheet.
class GuidePageTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void theFirstOpeningTakesTheLiveCategoryAndKeepsItsOwn()
    {
        LiveTvLibrary library(noon);
        AppModel &app = library.app();
        app.live()->setScope(BrowseScope::category(u"2"_s));
        auto page = openGuide(app);
        QVERIFY(loaded(*page));
        QCOMPARE(page->state()->scope(), std::optional(BrowseScope::category(u"2"_s)));
        QCOMPARE(page->state()->channels().size(), 20);
        QCOMPARE(page->channels()->rowCount(), 20);
        QCOMPARE(page->categoryTitle(), u"UK: Sport"_s);
        QCOMPARE(page->subtitle(), u"Today \u00B7 20 channels"_s);
        // The menu offers favourites, all channels and the live categories.
        QCOMPARE(page->categoryNames(), (QStringList{u"UK: News"_s, u"UK: Sport"_s, u"FR: Infos"_s}));

        app.live()->setScope(BrowseScope::category(u"1"_s));
        QVERIFY(loaded(*page));
        QCOMPARE(page->state()->scope(), std::optional(BrowseScope::category(u"2"_s)));
        // The menu's entries set the guide's own scope.
        page->showCategory(0);
        QTRY_COMPARE(page->state()->channels().size(), 40);
        page->showCategory(3);
        QCOMPARE(page->state()->scope(), std::optional(BrowseScope::category(u"1"_s)));
        page->showFavourites();
        QTRY_VERIFY(page->showEmptyState());
        page->showAllChannels();
        QTRY_COMPARE(page->state()->channels().size(), LiveTvLibrary::channelCount);
    }

    void searchingNarrowsAtOnceAndBlanksStillSearch()
    {
        LiveTvLibrary library(noon);
        auto page = openGuide(library.app());
        QVERIFY(loaded(*page));
        QCOMPARE(page->state()->channels().size(), LiveTvLibrary::channelCount);
        QCOMPARE(page->state()->channels().first().title, u"News 01"_s);

        page->state()->setQuery(u"sport 4"_s);
        QTRY_COMPARE(titles(page->state()->channels()),
                     (QStringList{u"Sport 41"_s, u"Sport 42"_s, u"Sport 43"_s, u"Sport 44"_s, u"Sport 45"_s,
                                  u"Sport 46"_s, u"Sport 47"_s, u"Sport 48"_s, u"Sport 49"_s, u"Sport 54"_s}));
        // A text of blanks is a search of nothing: every channel, through the search.
        page->state()->setQuery(u"  "_s);
        QVERIFY(loaded(*page));
        QTRY_COMPARE(page->state()->loadedKey(), GuideKeys::loadedKey(library.playlistID(), library.store().catalogueRevision(),
                                                                  BrowseScope::all(), u"  "_s));
        QCOMPARE(page->state()->channels().size(), LiveTvLibrary::channelCount);
        page->state()->setQuery(u"weather"_s);
        QTRY_VERIFY(page->state()->channels().isEmpty());
        QVERIFY(page->showEmptyState());
        QCOMPARE(page->emptyTitle(), u"No channels match \u201Cweather\u201D"_s);
        page->state()->setQuery(QString());
        QTRY_COMPARE(page->state()->channels().size(), LiveTvLibrary::channelCount);
        QCOMPARE(page->emptyTitle(), u"No channels here"_s);
    }

    void aCategoryOrderChangeAloneReadsNothingWhileAnImportReloads()
    {
        LiveTvLibrary library(noon);
        auto page = openGuide(library.app());
        QVERIFY(loaded(*page));
        page->state()->storeProgrammes(u"news01.uk|0.0"_s, {});
        QSignalSpy loads(page.get(), &GuidePageModel::loadingChanged);
        QSignalSpy channelChanges(page->state(), &GuideState::channelsChanged);

        awaitBlocking(library.store().saveCategoryOrder(CatalogueKind::Live, {u"3"_s, u"1"_s, u"2"_s}));
        // A load would begin on the next turn of the event loop.
        handlePostedEvents();
        QCOMPARE(loads.size(), 0);
        QCOMPARE(channelChanges.size(), 0);
        QCOMPARE(page->state()->cache().size(), 1);

        library.store().startImport(*library.harness().listed(library.playlistID()));
        QVERIFY(library.harness().waitUntilIdle(library.playlistID()));
        QTRY_VERIFY(page->state()->cache().isEmpty());
        QVERIFY(loads.size() >= 2);
    }

    void aFailedLoadShowsTheEmptyStateAndIsNotTriedAgainForTheSameKey()
    {
        LiveTvLibrary library(noon);
        renameTable(library.harness().databasePath(), u"content_items"_s, u"content_items_away"_s);
        auto page = openGuide(library.app());
        QVERIFY(loaded(*page));
        QVERIFY(page->state()->channels().isEmpty());
        QVERIFY(page->showEmptyState());
        const QString failedKey = page->state()->loadedKey();

        QSignalSpy loads(page.get(), &GuidePageModel::loadingChanged);
        awaitBlocking(library.store().saveCategoryOrder(CatalogueKind::Live, {u"2"_s}));
        handlePostedEvents();
        QCOMPARE(loads.size(), 0);

        // Another search text is another key, and is read again.
        renameTable(library.harness().databasePath(), u"content_items_away"_s, u"content_items"_s);
        page->state()->setQuery(u"News"_s);
        QTRY_COMPARE(page->state()->channels().size(), 40);
        QVERIFY(page->state()->loadedKey() != failedKey);
    }

    void returningToTheGuideShowsItAsItWasWithoutAReload()
    {
        LiveTvLibrary library(noon);
        auto page = openGuide(library.app());
        QVERIFY(loaded(*page));
        page->pickDay(2);
        page->state()->setMinuteOffset(600);
        page.reset();

        auto again = openGuide(library.app());
        QSignalSpy loads(again.get(), &GuidePageModel::loadingChanged);
        handlePostedEvents();
        QCOMPARE(loads.size(), 0);
        QCOMPARE(again->state()->channels().size(), LiveTvLibrary::channelCount);
        QCOMPARE(again->state()->dayOffset(), 2);
        QCOMPARE(again->state()->minuteOffset(), 600.0);
        QCOMPARE(again->channels()->rowCount(), LiveTvLibrary::channelCount);
    }

    void dayChipsNowAndArrowsMoveTheTimeLine()
    {
        LiveTvLibrary library(QDateTime(QDate(2026, 1, 1), QTime(23, 50)));
        auto page = openGuide(library.app());
        // Opening today starts half an hour before now, beyond what the arrows reach.
        QCOMPARE(page->state()->minuteOffset(), 1400.0);
        QCOMPARE(page->dayChips().size(), 8);
        QCOMPARE(page->dayChips().at(0).toMap().value(u"title"_s), u"Yesterday"_s);
        QCOMPARE(page->dayChips().at(1).toMap().value(u"title"_s), u"Today"_s);
        QCOMPARE(page->dayChips().at(3).toMap().value(u"title"_s), u"Sat 3 Jan"_s);
        page->scrollBy(120);
        QTRY_COMPARE(page->state()->minuteOffset(), 1310.0);
        page->scrollBy(-120);
        QTRY_COMPARE(page->state()->minuteOffset(), 1190.0);

        page->state()->storeProgrammes(u"news01.uk|0.0"_s, {});
        page->pickDay(3);
        QCOMPARE(page->state()->dayOffset(), 3);
        QCOMPARE(page->state()->minuteOffset(), 1080.0);
        QVERIFY(page->state()->cache().isEmpty());
        QCOMPARE(page->dayTitle(), u"Sun 4 Jan"_s);
        QVERIFY(!page->isNowLineVisible());

        // "Now" returns to today without dropping what was read.
        page->state()->storeProgrammes(u"news01.uk|0.0"_s, {});
        page->goToNow();
        QCOMPARE(page->state()->dayOffset(), 0);
        QTRY_COMPARE(page->state()->minuteOffset(), 1400.0);
        QCOMPARE(page->state()->cache().size(), 1);
        page->pickDay(0);
        QCOMPARE(page->state()->minuteOffset(), 1400.0);
        // A page narrower than 550 points counts an hour.
        page->setWidth(400);
        page->scrollBy(120);
        QTRY_COMPARE(page->state()->minuteOffset(), 1380.0);
    }

    void rowsReadTheirOwnChannelsOncePerDay()
    {
        LiveTvLibrary library(noon);
        auto page = openGuide(library.app());
        QVERIFY(loaded(*page));
        GuideState &state = *page->state();
        QSignalSpy stores(&state, &GuideState::programmesStored);

        auto shown = lanes(*page, 0, 4);
        QTRY_COMPARE(state.cache().size(), 5);
        QVERIFY(state.cache().contains(GuideKeys::cacheKey(u"news01.uk"_s, page->dayStart())));
        GuideLane &first = *shown.front();
        // 11:30 to 13:40 is on screen; the guide begins at 12:00, when it was imported.
        QCOMPARE(cellTitles(first), (QStringList{u"News & Weather 26"_s, u"News & Weather 27"_s,
                                                 u"News & Weather 28"_s, u"Show & Tell 29"_s}));
        QCOMPARE(first.index(0).data(GuideLane::CellXRole), 150.0);
        QCOMPARE(first.index(0).data(GuideLane::CellWidthRole), 147.0);
        QVERIFY(first.index(0).data(GuideLane::CurrentRole).toBool());
        QVERIFY(!first.index(1).data(GuideLane::CurrentRole).toBool());
        QCOMPARE(first.index(0).data(GuideLane::TimeRole), u"12:00 \u2013 12:30"_s);

        // Moving the time line filters the cached list again and reads nothing.
        const int reads = int(stores.size());
        page->state()->setMinuteOffset(800);
        QCOMPARE(cellTitles(first).first(), u"News & Weather 28"_s);
        QCOMPARE(first.index(0).data(GuideLane::CellXRole), -100.0);
        QCOMPARE(first.index(0).data(GuideLane::TextInsetRole), 77.0);
        QCOMPARE(stores.size(), reads);

        // Rows that come and go before their turn are never read; rows seen before are not read
        // again.
        QSignalSpy settled(page->fetcher(), &GuideProgrammeFetcher::settled);
        lanes(*page, 20, 29).clear();
        shown = lanes(*page, 0, 2);
        QTRY_VERIFY(!settled.isEmpty() && !page->fetcher()->isReading());
        QCOMPARE(state.cache().size(), 5);

        // A channel without guide data says so once read.
        auto french = lanes(*page, 65, 65);
        QVERIFY(!french.front()->noGuide());
        QTRY_VERIFY(french.front()->noGuide());
        QCOMPARE(french.front()->rowCount(), 0);

        // Another day is another key; the guide ends at midnight.
        page->pickDay(1);
        QTRY_COMPARE(state.cache().size(), 4);
        QVERIFY(state.cache().contains(GuideKeys::cacheKey(u"news01.uk"_s, page->dayStart())));
        QVERIFY(shown.front()->noGuide());
    }

    void thePageClockMovesTheNowLineAndTheCellsLook()
    {
        LiveTvLibrary library(noon);
        auto page = openGuide(library.app());
        QVERIFY(loaded(*page));
        auto shown = lanes(*page, 0, 0);
        GuideLane &lane = *shown.front();
        QTRY_COMPARE(lane.rowCount(), 4);
        QCOMPARE(page->nowLineX(), 150.0);

        library.clock().advance(30min);
        QCOMPARE(page->nowLineX(), 300.0);
        QVERIFY(lane.index(0).data(GuideLane::PastRole).toBool());
        QVERIFY(lane.index(1).data(GuideLane::CurrentRole).toBool());
        page->state()->setMinuteOffset(800);
        QVERIFY(!page->isNowLineVisible());
    }

    void acrossMidnightTheDayMovesOnWithinHalfAMinute()
    {
        LiveTvLibrary library(QDateTime(QDate(2026, 1, 1), QTime(23, 59, 45)));
        auto page = openGuide(library.app());
        QVERIFY(loaded(*page));
        const QDateTime before = page->dayStart();
        QSignalSpy days(page.get(), &GuidePageModel::dayChanged);
        library.clock().advance(30s);
        QCOMPARE(days.size(), 1);
        QCOMPARE(page->dayStart(), before.addDays(1));
        QCOMPARE(page->dayTitle(), u"Today"_s);
        // The old position lies late in the new day, so the now line is hidden until "Now".
        QVERIFY(!page->isNowLineVisible());
        page->goToNow();
        QTRY_COMPARE(page->state()->minuteOffset(), 0.0);
        QVERIFY(page->isNowLineVisible());
    }

    void aPickedProgrammeOpensItsSheetAndWatchPlaysTheChannel()
    {
        LiveTvLibrary library(noon);
        auto page = openGuide(library.app());
        QVERIFY(loaded(*page));
        auto shown = lanes(*page, 2, 2);
        QTRY_COMPARE(shown.front()->rowCount(), 4);
        shown.front()->open(1);
        QCOMPARE(page->selectionID(), u"live:3|news03.uk:1767270600.0:1767272400.0:News & Weather 27"_s);

        ProgrammeSheetModel later;
        later.setPage(page.get());
        QVERIFY(!later.isLive());
        QCOMPARE(later.watchTitle(), u"Watch channel"_s);
        QCOMPARE(later.timeLine(), u"Today \u00B7 12:30 \u2013 13:00 \u00B7 30m"_s);
        later.close();
        QVERIFY(page->selectionID().isEmpty());

        shown.front()->open(0);
        ProgrammeSheetModel now;
        now.setPage(page.get());
        QVERIFY(now.isLive());
        QCOMPARE(now.progress(), 0.0);
        QCOMPARE(now.watchTitle(), u"Watch now"_s);
        QCOMPARE(now.channelTitle(), u"\u2068News 03\u2069"_s);
        now.watch();
        QVERIFY(page->selectionID().isEmpty());
        QVERIFY(library.playback().target());
        QCOMPARE(library.playback().target()->title, u"News 03"_s);
        QCOMPARE(library.playback().target()->channels.size(), LiveTvLibrary::channelCount);

        // The channel cell plays the channel at once with the same list.
        library.playback().close();
        page->playChannel(5);
        QCOMPARE(library.playback().target()->title, u"News 06"_s);
    }
};

QTEST_MAIN(GuidePageTest)
#include "tst_guidepage.moc"
