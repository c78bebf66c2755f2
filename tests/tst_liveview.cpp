#include "App/AppModel.h"
#include "App/BrowseModel.h"
#include "Playback/PlaybackWindowController.h"
#include "Views/Pages/Live/LivePageModel.h"
#include "support/AwaitBlocking.h"
#include "support/LiveTvLibrary.h"
#include "support/PageViews.h"
#include "support/QmlHarness.h"

#include <QQuickItem>
#include <QTest>
#include <QtQml/QQmlExtensionPlugin>

Q_IMPORT_QML_PLUGIN(QuillmerePlugin)

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

const QDateTime noon(QDate(2026, 1, 1), QTime(12, 0));
// The page as the shell's page area holds it in a 1440 x 900 window.
const QString pageQml = u"LivePage { width: 1203; height: 860 }"_s;

// The row showing a channel, through the visual tree.
QQuickItem *row(QQuickItem *root, const QString &itemID)
{
    return PageViews::firstShown(root,
                                 [&itemID](const QQuickItem *item) { return item->property("itemID").toString() == itemID; });
}

QString selectedTitle(AppModel &app)
{
    return app.live()->selected().value_or(MediaItem()).title;
}

} // namespace

// The Live TV page offscreen, driven with real clicks and keys.
class LiveViewTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_library = std::make_unique<LiveTvLibrary>(noon);
        m_library->app().setRoute(Route::Live);
    }

    void cleanup() { m_library.reset(); }

    void aClickSelectsAndTheKeysMoveFavouriteAndPlay()
    {
        QmlHarness harness({1251, 908});
        QQuickItem *page = PageViews::open(harness, pageQml);
        QVERIFY(page);
        AppModel &app = m_library->app();
        QQuickItem *panelArea = QmlHarness::find(page, u"panelArea"_s);
        QCOMPARE(panelArea->width(), 0.0);

        harness.click(row(page, u"live:2"_s));
        QCOMPARE(selectedTitle(app), u"News 02"_s);
        QTRY_COMPARE(panelArea->width(), 361.0);
        // The panel slides and fades in 0.18 s, as the row highlight moves.
        QCOMPARE(QmlHarness::find(page, u"panelLayer"_s)->property("duration").toInt(), 180);
        QTRY_COMPARE(QmlHarness::find(page, u"panelTitle"_s)->property("text"), u"\u2068News 02\u2069"_s);

        harness.key(Qt::Key_Down);
        harness.key(Qt::Key_Down);
        QCOMPARE(selectedTitle(app), u"News 04"_s);
        harness.key(Qt::Key_Up);
        QCOMPARE(selectedTitle(app), u"News 03"_s);
        // A new panel for the new channel.
        QTRY_COMPARE(QmlHarness::find(page, u"panelTitle"_s)->property("text"), u"\u2068News 03\u2069"_s);

        harness.type(u"f"_s);
        QVERIFY(app.live()->items().at(2).isFavourite);
        harness.type(u"F"_s);
        QVERIFY(app.live()->items().at(2).isFavourite);
        harness.type(u"f"_s);
        QVERIFY(!app.live()->items().at(2).isFavourite);

        harness.key(Qt::Key_Return);
        QTRY_VERIFY(m_library->playback().target());
        QCOMPARE(m_library->playback().target()->title, u"News 03"_s);
    }

    void walkingDownKeepsTheSelectionOnScreen()
    {
        QmlHarness harness({1251, 908});
        QQuickItem *page = PageViews::open(harness, pageQml);
        QVERIFY(page);
        QQuickItem *list = QmlHarness::find(page, u"channelList"_s);
        harness.click(row(page, u"live:1"_s));
        for (int step = 0; step < 20; ++step)
            harness.key(Qt::Key_Down);
        QCOMPARE(selectedTitle(m_library->app()), u"News 21"_s);
        QQuickItem *selected = row(page, u"live:21"_s);
        QVERIFY(selected);
        const QRectF onList = selected->mapRectToItem(list, QRectF(0, 0, selected->width(), selected->height()));
        QVERIFY(onList.top() >= 0 && onList.bottom() <= list->height());
    }

    void aDoubleClickPlaysTheChannel()
    {
        QmlHarness harness({1251, 908});
        QQuickItem *page = PageViews::open(harness, pageQml);
        QVERIFY(page);
        QQuickItem *channel = row(page, u"live:5"_s);
        const QPoint at = channel->mapToScene(QPointF(channel->width() / 2, channel->height() / 2)).toPoint();
        QTest::mouseDClick(&harness.window(), Qt::LeftButton, Qt::NoModifier, at);
        QTRY_VERIFY(m_library->playback().target());
        QCOMPARE(m_library->playback().target()->title, u"News 05"_s);
        QCOMPARE(selectedTitle(m_library->app()), u"News 05"_s);
    }

    void thePanelWatchesKeepsFavouritesAndCloses()
    {
        QmlHarness harness({1251, 908});
        QQuickItem *page = PageViews::open(harness, pageQml);
        QVERIFY(page);
        AppModel &app = m_library->app();
        harness.click(row(page, u"live:7"_s));
        QQuickItem *favourite = nullptr;
        QTRY_VERIFY((favourite = QmlHarness::find(page, u"favouriteButton"_s)));
        QmlHarness::settle();
        QTRY_VERIFY(QmlHarness::find(page, u"onNowCard"_s)->isVisible());
        QCOMPARE(QmlHarness::find(page, u"onNowRemaining"_s)->property("text"), u"30m left"_s);

        harness.click(favourite);
        QVERIFY(app.live()->items().at(6).isFavourite);
        harness.click(QmlHarness::find(page, u"watchButton"_s));
        QTRY_VERIFY(m_library->playback().target());
        QCOMPARE(m_library->playback().target()->title, u"News 07"_s);
        m_library->playback().close();

        harness.click(QmlHarness::find(page, u"closePanelButton"_s));
        QVERIFY(!app.live()->selected());
        QTRY_COMPARE(QmlHarness::find(page, u"panelArea"_s)->width(), 0.0);
    }

    void theItemMenuKeepsAFavouriteAndTheRowShowsIt()
    {
        QmlHarness harness({1251, 908});
        QQuickItem *page = PageViews::open(harness, pageQml);
        QVERIFY(page);
        BrowseModel &live = *m_library->app().live();
        harness.click(row(page, u"live:4"_s), std::nullopt, Qt::RightButton);
        QQuickItem *add = nullptr;
        QTRY_VERIFY((add = PageViews::menuEntry(harness.window().contentItem(), u"Add to favourites"_s)));
        QmlHarness::settle();
        // The list is read again under the open menu: its fourth row is now another channel.
        live.setQuery(u"news 1"_s);
        m_library->clock().advance(300ms);
        QTRY_COMPARE(live.items().at(3).title, u"News 12"_s);
        harness.click(add);
        QTRY_VERIFY(m_library->app().toasts().size() == 1);
        QVERIFY(!live.items().at(3).isFavourite);
        live.setQuery(QString());
        m_library->clock().advance(300ms);
        QTRY_VERIFY(live.items().at(3).isFavourite);
        QCOMPARE(live.items().at(3).title, u"News 04"_s);
        QTRY_COMPARE(row(page, u"live:4"_s)->property("isFavourite"), true);
        // Nothing was selected or played by the right click.
        QVERIFY(!live.selected());
        QVERIFY(!m_library->playback().target());

        // A picture for a look at the layout, beside the kit's galleries.
        harness.moveAway();
        QmlHarness::settle();
        harness.grab().save(u"gallery-live.png"_s);
        harness.click(row(page, u"live:2"_s));
        QmlHarness::settle();
        harness.moveAway();
        QmlHarness::settle();
        harness.grab().save(u"gallery-live-select.png"_s);
    }

    // The page is built over a list that was loaded before (another page or an earlier visit
    // loaded it), so no change of the list follows: the heading names the scope all the same.
    void theHeadingNamesTheScopeOfAListLoadedBefore()
    {
        BrowseModel &live = *m_library->app().live();
        awaitBlocking(live.refreshIfNeeded());
        live.setScope(BrowseScope::all());
        QTRY_VERIFY(!live.isLoading() && live.total() == LiveTvLibrary::channelCount);
        live.setSelected(live.items().constFirst());

        QmlHarness harness({1251, 908});
        QQuickItem *page = PageViews::open(harness, pageQml);
        QVERIFY(page);
        QCOMPARE(QmlHarness::find(page, u"pageTitle"_s)->property("text"), u"All channels"_s);
        QCOMPARE(QmlHarness::find(page, u"pageSubtitle"_s)->property("text"), u"70 channels"_s);
        QTRY_COMPARE(QmlHarness::find(page, u"panelArea"_s)->width(), 361.0);
    }

    void aChannelShowsItsLogo()
    {
        QmlHarness harness({1251, 908});
        QQuickItem *page = PageViews::open(harness, pageQml);
        QVERIFY(page);
        QQuickItem *channel = nullptr;
        QTRY_VERIFY((channel = row(page, u"live:1"_s)));
        QQuickItem *logo = PageViews::firstOfClass(channel, "ArtworkView");
        QCOMPARE(logo->property("url").toUrl(), m_library->harness().provider().artworkURL(u"logo.png"_s));
        QTRY_VERIFY(logo->property("shown").toBool());
    }

    void searchingNarrowsTheListAndSaysWhenNothingMatches()
    {
        QmlHarness harness({1251, 908});
        QQuickItem *page = PageViews::open(harness, pageQml);
        QVERIFY(page);
        harness.click(QmlHarness::find(page, u"searchField"_s));
        harness.type(u"news 1"_s);
        m_library->clock().advance(300ms);
        QTRY_COMPARE(QmlHarness::find(page, u"pageSubtitle"_s)->property("text"), u"13 channels"_s);
        QVERIFY(row(page, u"live:10"_s));
        QVERIFY(!row(page, u"live:2"_s));

        harness.type(u"x"_s);
        m_library->clock().advance(300ms);
        QTRY_VERIFY(QmlHarness::find(page, u"emptyState"_s)->isVisible());
        QCOMPARE(QmlHarness::find(QmlHarness::find(page, u"emptyState"_s), u"title"_s)->property("text"),
                 u"No channels match \u201Cnews 1x\u201D"_s);
        QCOMPARE(QmlHarness::find(page, u"pageSubtitle"_s)->property("text"), u"0 channels"_s);
    }

private:
    std::unique_ptr<LiveTvLibrary> m_library;
};

QTEST_MAIN(LiveViewTest)
#include "tst_liveview.moc"
