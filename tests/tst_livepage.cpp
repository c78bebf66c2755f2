#include "App/AppModel.h"
#include "Playback/PlaybackWindowController.h"
#include "Store/CatalogueStore.h"
#include "Views/Pages/Live/ChannelInfoPanelModel.h"
#include "Views/Pages/Live/LivePageModel.h"
#include "support/LiveTvLibrary.h"

#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

const QDateTime noon(QDate(2026, 1, 1), QTime(12, 0));

std::unique_ptr<LivePageModel> openLive(AppModel &app)
{
    auto page = std::make_unique<LivePageModel>();
    page->setApp(&app);
    return page;
}

std::unique_ptr<ChannelInfoPanelModel> openPanel(AppModel &app)
{
    auto panel = std::make_unique<ChannelInfoPanelModel>();
    panel->setApp(&app);
    return panel;
}

QString selectedTitle(const AppModel &app)
{
    return const_cast<AppModel &>(app).live()->selected().value_or(MediaItem()).title;
}

int shortGuideRequests(FakeProvider &provider)
{
    int count = 0;
    for (const FakeRequest &request : provider.requests()) {
        for (const auto &[name, value] : request.query)
            count += name == u"action"_s && value == u"get_short_epg"_s;
    }
    return count;
}

} // namespace

// The Live TV page's object and its channel panel over a real store: the keys of the list,
// selection, playback, favourites, and the panel's schedule from the guide or the provider.
class LivePageTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void theListAnswersItsKeys()
    {
        LiveTvLibrary library(noon);
        AppModel &app = library.app();
        auto page = openLive(app);
        QTRY_VERIFY(page->isReady());
        // A new playlist opens on its first category.
        QCOMPARE(page->countLine(), u"40 channels"_s);
        QCOMPARE(page->title(), u"UK: News"_s);
        QSignalSpy scrolls(page.get(), &LivePageModel::scrollToRow);

        // Return and "f" with nothing selected do nothing but are still the list's.
        QVERIFY(page->handleKey(Qt::Key_Return, u"\r"_s));
        QVERIFY(page->handleKey(Qt::Key_F, u"f"_s));
        QVERIFY(!library.playback().target());
        // Up with nothing selected selects the first row, as Down does.
        QVERIFY(page->handleKey(Qt::Key_Up, {}));
        QCOMPARE(selectedTitle(app), u"News 01"_s);
        QVERIFY(page->handleKey(Qt::Key_Down, {}));
        QVERIFY(page->handleKey(Qt::Key_Down, {}));
        QCOMPARE(selectedTitle(app), u"News 03"_s);
        QCOMPARE(page->selectedID(), u"live:3"_s);
        QCOMPARE(scrolls.size(), 3);
        QCOMPARE(scrolls.last().at(0), 2);

        QVERIFY(page->handleKey(Qt::Key_F, u"f"_s));
        QVERIFY(app.live()->items().at(2).isFavourite);
        QVERIFY(app.live()->selected()->isFavourite);
        // Shift+F is not the list's.
        QVERIFY(!page->handleKey(Qt::Key_F, u"F"_s));
        QVERIFY(app.live()->items().at(2).isFavourite);
        QVERIFY(page->handleKey(Qt::Key_F, u"f"_s));
        QVERIFY(!app.live()->items().at(2).isFavourite);

        QVERIFY(page->handleKey(Qt::Key_Return, u"\r"_s));
        QTRY_VERIFY(library.playback().target());
        QCOMPARE(library.playback().target()->title, u"News 03"_s);
        // The whole loaded list goes to the player to switch through.
        QCOMPARE(library.playback().target()->channels.size(), 40);
    }

    void theSelectionStopsAtTheLastRow()
    {
        LiveTvLibrary library(noon);
        AppModel &app = library.app();
        app.live()->setScope(BrowseScope::category(u"3"_s));
        auto page = openLive(app);
        QTRY_COMPARE(app.live()->items().size(), 10);
        page->select(9);
        QVERIFY(page->handleKey(Qt::Key_Down, {}));
        QCOMPARE(selectedTitle(app), u"Infos 70"_s);
        // The heading comes with the category list, which loads apart from the items.
        QTRY_COMPARE(page->title(), u"FR: Infos"_s);
        QCOMPARE(page->countLine(), u"10 channels"_s);
    }

    void aDoubleClickSelectsAndPlays()
    {
        LiveTvLibrary library(noon);
        AppModel &app = library.app();
        auto page = openLive(app);
        QTRY_VERIFY(page->isReady());
        page->play(31);
        QCOMPARE(selectedTitle(app), u"News 32"_s);
        QTRY_VERIFY(library.playback().target());
        QCOMPARE(library.playback().target()->title, u"News 32"_s);
    }

    void theListAreaSaysWhyItIsEmpty()
    {
        LiveTvLibrary library(noon);
        AppModel &app = library.app();
        auto page = openLive(app);
        QTRY_VERIFY(page->isReady());
        QVERIFY(!page->showMessage());

        app.live()->setScope(BrowseScope::favourites());
        QTRY_VERIFY(page->showMessage());
        QCOMPARE(page->messageSymbol(), u"heart"_s);
        QCOMPARE(page->messageTitle(), u"No favourite channels yet"_s);
        QCOMPARE(page->title(), u"Favourites"_s);
        QCOMPARE(page->countLine(), u"0 channels"_s);

        app.live()->setScope(BrowseScope::all());
        app.live()->setQuery(u" cartoons "_s);
        QTRY_COMPARE(page->messageTitle(), u"No channels match \u201C cartoons \u201D"_s);
        QCOMPARE(page->messageText(), QString());
    }

    void theClockTicksEveryHalfMinute()
    {
        LiveTvLibrary library(noon);
        auto page = openLive(library.app());
        QSignalSpy ticks(page.get(), &LivePageModel::clockChanged);
        library.clock().advance(29s);
        QCOMPARE(ticks.size(), 0);
        library.clock().advance(1s);
        QCOMPARE(ticks.size(), 1);
        QCOMPARE(page->clock(), noon.addSecs(30));
    }

    void thePanelReadsTheImportedGuideFirst()
    {
        LiveTvLibrary library(noon);
        AppModel &app = library.app();
        auto page = openLive(app);
        QTRY_VERIFY(page->isReady());
        page->select(0);
        library.harness().provider().clearRequests();
        auto panel = openPanel(app);
        QVERIFY(panel->isLoading());
        QCOMPARE(panel->title(), u"\u2068News 01\u2069"_s);
        QCOMPARE(panel->numberText(), u"1"_s);
        QTRY_VERIFY(!panel->isLoading());

        QVERIFY(panel->hasCurrent());
        QCOMPARE(panel->currentTitle(), u"\u2068News & Weather 26\u2069"_s);
        QCOMPARE(panel->currentRange(), u"12:00 \u2013 12:30"_s);
        QCOMPARE(panel->currentRemaining(), u"30m left"_s);
        QCOMPARE(panel->currentProgress(), 0.0);
        QVERIFY(panel->currentDescription().startsWith(u"A programme about rivers & roads."_s));
        // Twelve programmes are read: the current one and eleven, of which eight are listed.
        QCOMPARE(panel->schedule().size(), ChannelInfoPanelModel::scheduleRows);
        QCOMPARE(panel->upcoming().size(), ChannelInfoPanelModel::upcomingRows);
        QCOMPARE(panel->upcoming().first().toMap().value(u"time"_s), u"12:30"_s);
        QCOMPARE(shortGuideRequests(library.harness().provider()), 0);

        // The page clock moves what is on now.
        library.clock().advance(45min);
        panel->setTick(library.clock().now());
        QCOMPARE(panel->currentTitle(), u"\u2068News & Weather 27\u2069"_s);
        QCOMPARE(panel->currentProgress(), 0.5);
        QCOMPARE(panel->upcoming().size(), ChannelInfoPanelModel::upcomingRows);
    }

    void theProviderFillsInAndAFailureLeavesThePanelUsable()
    {
        // The provider's short guide runs on its own (real) clock.
        LiveTvLibrary library(QDateTime::currentDateTime());
        AppModel &app = library.app();
        auto page = openLive(app);
        QTRY_VERIFY(page->isReady());
        app.live()->setScope(BrowseScope::category(u"3"_s));
        QTRY_COMPARE(app.live()->items().size(), 10);
        page->select(4);
        auto panel = openPanel(app);
        QTRY_VERIFY(!panel->isLoading());
        QCOMPARE(shortGuideRequests(library.harness().provider()), 1);
        QVERIFY(panel->hasCurrent());
        // The provider's programmes are half an hour long from half an hour before the hour.
        const int onNow = QDateTime::currentDateTime().time().minute() < 30 ? 2 : 3;
        QCOMPARE(panel->currentTitle(), u"\u2068Programme %1 on 65\u2069"_s.arg(onNow));
        QVERIFY(!panel->noGuide());
        QVERIFY(!panel->upcoming().isEmpty());

        library.harness().provider().setFault(u"get_short_epg"_s, FakeFault{500});
        page->select(5);
        panel = openPanel(app);
        QTRY_VERIFY(!panel->isLoading());
        QVERIFY(panel->noGuide());
        QVERIFY(!panel->hasCurrent());
        QVERIFY(panel->upcoming().isEmpty());
        QCOMPARE(panel->numberText(), u"66"_s);

        // The buttons still work.
        panel->toggleFavourite();
        QVERIFY(panel->isFavourite());
        QCOMPARE(panel->favouriteTip(), u"Remove from favourites"_s);
        QVERIFY(app.live()->items().at(5).isFavourite);
        panel->toggleFavourite();
        QVERIFY(!panel->isFavourite());
        QVERIFY(!app.live()->items().at(5).isFavourite);
        panel->watch();
        QTRY_VERIFY(library.playback().target());
        QCOMPARE(library.playback().target()->title, u"Infos 66"_s);
        QCOMPARE(selectedTitle(app), u"Infos 66"_s);
        panel->close();
        QVERIFY(!app.live()->selected());
    }
};

QTEST_MAIN(LivePageTest)
#include "tst_livepage.moc"
