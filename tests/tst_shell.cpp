#include "App/AppModel.h"
#include "App/AppUpdater.h"
#include "App/BrowseModel.h"
#include "App/GuideState.h"
#include "Playback/PlaybackWindowController.h"
#include "Store/CatalogueStore.h"
#include "Support/UserSettings.h"
#include "support/AppHarness.h"
#include "support/AwaitBlocking.h"
#include "support/CatalogueItems.h"
#include "support/PageViews.h"
#include "support/QmlHarness.h"

#include <QFile>
#include <QQmlApplicationEngine>
#include <QQuickItem>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>
#include <QtQml/QQmlExtensionPlugin>

#include <algorithm>
#include <functional>

Q_IMPORT_QML_PLUGIN(QuillmerePlugin)

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

// The text the page area shows as its title.
QString pageTitle(QQuickItem *shell)
{
    QQuickItem *area = QmlHarness::find(shell, u"pageArea"_s);
    QQuickItem *title = QmlHarness::find(QmlHarness::find(area, u"pageSwitch"_s), u"pageTitle"_s);
    return title ? title->property("text").toString() : QString();
}

// Whether an item of that name is on screen (it and every item above it visible).
bool shown(QQuickItem *root, const QString &name)
{
    QQuickItem *item = QmlHarness::find(root, name);
    return item && item->isVisible();
}

QString textOf(QQuickItem *root, const QString &name)
{
    QQuickItem *item = QmlHarness::find(root, name);
    return item ? item->property("text").toString() : QString();
}

// The first item under `root` that shows this text (a file in the file dialog's list).
QQuickItem *itemWithText(QQuickItem *root, const QString &text)
{
    return PageViews::firstShown(root,
                                 [&text](const QQuickItem *item) { return item->property("text").toString() == text; });
}

// The item of that name in an open menu (menus live in the window's overlay while open).
QQuickItem *menuItem(QQuickWindow &window, const QString &name)
{
    return QmlHarness::find(window.contentItem(), name);
}

bool menuShows(QQuickWindow &window, const QString &name)
{
    const QQuickItem *item = menuItem(window, name);
    return item && item->isVisible();
}

// Opens a menu with a click on `opener` and waits until its item `name` can be clicked.
QQuickItem *openMenu(QmlHarness &harness, QQuickItem *opener, const QString &name)
{
    harness.click(opener);
    if (!QTest::qWaitFor([&] { return menuShows(harness.window(), name); }))
        return nullptr;
    // The menu fades in; a click lands once it stands still.
    QmlHarness::settle();
    return menuItem(harness.window(), name);
}

// The window's least size, below its menu bar.
constexpr QSize smallestWindow(1040, 628);

// The shell filling the harness's window, as the program's window holds it.
QQuickItem *fillingShell(QmlHarness &harness)
{
    QQuickItem *shell = harness.createFromQml(u"AppShell {}"_s);
    if (shell) {
        shell->setPosition(QPointF());
        shell->setSize(harness.window().size());
    }
    return shell;
}

// The shell in a window of its own over the application's objects, for the steps of a user.
struct ShellRun
{
    QmlHarness &harness;
    QQuickItem *shell;
    AppHarness &app;

    // The shown item of that name, once there is one, settled.
    QQuickItem *shown(const QString &name) const
    {
        QQuickItem *item = nullptr;
        if (!QTest::qWaitFor([&] { return (item = QmlHarness::find(shell, name)) && item->isVisible(); }))
            qWarning().noquote() << "no item named" << name << "shows";
        QmlHarness::settle();
        return item;
    }

    // The first shown item of that name under the shown item `within`.
    QQuickItem *shown(const QString &within, const QString &name) const
    {
        return QmlHarness::find(shown(within), name);
    }

    // The Live TV page, once it lists its channels.
    void openLive() const
    {
        app.app().setRoute(Route::Live);
        const BrowseModel &live = *app.app().live();
        (void)QTest::qWaitFor([&live] { return !live.isLoading() && live.items().size() > 1; });
    }

    // The row of the Live TV page's list showing its `index`th channel.
    QQuickItem *channelRow(int index) const
    {
        const QString itemID = app.app().live()->items().value(index).id();
        const auto row = [&] {
            return PageViews::firstShown(shell, [&itemID](const QQuickItem *item) {
                return item->property("itemID").toString() == itemID;
            });
        };
        (void)QTest::qWaitFor([&] { return row() != nullptr; });
        QmlHarness::settle();
        return row();
    }

    // The place in the list of the Live TV page's selected channel, or -1.
    int selectedChannel() const
    {
        const BrowseModel &live = *app.app().live();
        const QString selected = live.selected().value_or(MediaItem()).id();
        const QList<MediaItem> &items = live.items();
        const auto found = std::find_if(items.cbegin(), items.cend(),
                                        [&selected](const MediaItem &item) { return item.id() == selected; });
        return found == items.cend() ? -1 : int(found - items.cbegin());
    }

    // Whether the key starts the player again.
    bool keyPlays(Qt::Key key) const
    {
        harness.key(key);
        return app.playback().hasTarget();
    }

    // Whether the key moves the current index of the shown item of that name.
    bool keyMovesCurrentIndex(const QString &name, Qt::Key key) const
    {
        QQuickItem *view = shown(name);
        const int before = view->property("currentIndex").toInt();
        harness.key(key);
        return view->property("currentIndex").toInt() != before;
    }

    // The card at `index` of a shelf's row, once the row has made it.
    QQuickItem *card(const QString &shelf, int index) const
    {
        QQuickItem *row = shown(shelf, u"row"_s);
        QQuickItem *card = nullptr;
        (void)QTest::qWaitFor([&] {
            QMetaObject::invokeMethod(row, "itemAtIndex", Q_RETURN_ARG(QQuickItem *, card), Q_ARG(int, index));
            return card != nullptr;
        });
        return card;
    }
};

// What a user does to start playback on a page, and a key that acts on that page afterwards
// with whether it did.
using UserSteps = std::function<void(ShellRun &)>;
using KeyCheck = std::function<bool(ShellRun &)>;

} // namespace

Q_DECLARE_METATYPE(UserSteps)
Q_DECLARE_METATYPE(KeyCheck)

// The shell offscreen, driven with real clicks and keys: the sidebar, the menus and their keys,
// the playlist switcher's menu, the layers over the page, the notices and the update banner.
class ShellTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        // As on a desktop, where controls take the pointer's hover unless told otherwise (the
        // offscreen platform has them take none).
        qputenv("QT_QUICK_CONTROLS_HOVER_ENABLED", "1");
    }

    void init()
    {
        m_app = std::make_unique<AppHarness>();
        m_playlist = m_app->storeHarness().startWithImportedPlaylist({6, 4, 2});
        m_app->start();
    }

    void cleanup()
    {
        m_app.reset();
    }

    void theSidebarSwitchesPagesAndCollapses()
    {
        QmlHarness harness({1240, 820});
        QQuickItem *shell = harness.createFromQml(u"AppShell { width: 1190; height: 770 }"_s);
        QVERIFY(shell);
        AppModel &app = m_app->app();
        QVERIFY(shown(shell, u"greeting"_s));

        harness.click(QmlHarness::find(shell, u"sidebarRow-live"_s));
        QCOMPARE(app.route(), Route::Live);
        QTRY_VERIFY(QmlHarness::find(QmlHarness::find(shell, u"pageArea"_s), u"livePage"_s));

        // The search row asks for the field's focus every time, also when search already shows.
        harness.click(QmlHarness::find(shell, u"sidebarRow-search"_s));
        harness.click(QmlHarness::find(shell, u"sidebarRow-search"_s));
        QCOMPARE(app.route(), Route::Search);
        QCOMPARE(app.searchFocusRequest(), 2);
        harness.click(QmlHarness::find(shell, u"sidebarRow-settings"_s));
        QTRY_COMPARE(pageTitle(shell), u"Settings"_s);

        // Collapsed: a 72 px strip of icons, no titles, no wordmark, no shortcut badge.
        QQuickItem *sidebar = QmlHarness::find(shell, u"sidebar"_s);
        QCOMPARE(sidebar->width(), 236.0);
        harness.click(QmlHarness::find(shell, u"collapseButton"_s));
        QVERIFY(app.isSidebarCollapsed());
        QCOMPARE(UserSettings::value(u"quillmere.sidebarCollapsed"_s), QVariant(true));
        QTRY_COMPARE(sidebar->width(), 72.0);
        QVERIFY(!shown(shell, u"wordmark"_s));
        QVERIFY(!shown(shell, u"searchShortcut"_s));
        QVERIFY(!shown(shell, u"switcherName"_s));
        QVERIFY(shown(shell, u"switcherInitial"_s));
        harness.click(QmlHarness::find(shell, u"sidebarRow-guide"_s));
        QCOMPARE(app.route(), Route::Guide);

        // The mark expands it again.
        harness.click(QmlHarness::find(shell, u"expandButton"_s));
        QVERIFY(!app.isSidebarCollapsed());
        QTRY_COMPARE(sidebar->width(), 236.0);
        QVERIFY(shown(shell, u"wordmark"_s));
    }

    // Every hover help of the shell is the kit's dark tip, and none stays over a title that
    // starts playing.
    void theHoverHelpIsTheKitsTipAndThePlayerClosesIt()
    {
        QmlHarness harness({1240, 820});
        QQuickItem *shell = harness.createFromQml(u"AppShell { width: 1190; height: 770 }"_s);
        QVERIFY(shell);
        const auto tipShows = [&harness](const QString &text) {
            return QTest::qWaitFor([&] {
                const QObject *tip = PageViews::shownTip(harness.window());
                return tip && tip->property("text").toString() == text;
            });
        };

        // From elsewhere: the pointer may still stand where an earlier test left it.
        harness.moveAway();
        harness.hover(QmlHarness::find(shell, u"collapseButton"_s));
        QVERIFY(tipShows(u"Collapse sidebar"_s));
        QVERIFY(PageViews::isHelpTip(PageViews::shownTip(harness.window())));
        harness.click(QmlHarness::find(shell, u"collapseButton"_s));
        QTRY_VERIFY(!PageViews::shownTip(harness.window()));
        QTRY_COMPARE(QmlHarness::find(shell, u"sidebar"_s)->width(), 72.0);

        // Collapsed, each row names its page.
        harness.hover(QmlHarness::find(shell, u"sidebarRow-guide"_s));
        QVERIFY(tipShows(u"TV Guide"_s));
        QVERIFY(PageViews::isHelpTip(PageViews::shownTip(harness.window())));
        m_app->playback().openFile(QUrl::fromLocalFile(u"/media/clip.mkv"_s));
        QTRY_VERIFY(!PageViews::shownTip(harness.window()));
        m_app->playback().close();

        harness.hover(QmlHarness::find(shell, u"expandButton"_s));
        QVERIFY(tipShows(u"Expand sidebar"_s));
        QVERIFY(PageViews::isHelpTip(PageViews::shownTip(harness.window())));
    }

    void theSwitcherMenuSwitchesRefreshesAndManages()
    {
        const Playlist second = m_app->storeHarness().addProviderPlaylist(u"backup"_s);
        QVERIFY(m_app->storeHarness().waitUntilIdle(second.id));
        QmlHarness harness({1240, 820});
        QQuickItem *shell = harness.createFromQml(u"AppShell { width: 1190; height: 770 }"_s);
        QVERIFY(shell);
        CatalogueStore &store = m_app->storeHarness().store();
        QCOMPARE(textOf(shell, u"switcherName"_s), u"Provider"_s);
        QVERIFY(textOf(shell, u"switcherStatus"_s).startsWith(u"Ready · "_s));

        QQuickItem *card = QmlHarness::find(shell, u"playlistSwitcher"_s);
        harness.click(openMenu(harness, card, u"switchTo-backup"_s));
        QTRY_COMPARE(store.activePlaylistID(), std::optional(second.id));
        QCOMPARE(textOf(shell, u"switcherName"_s), u"backup"_s);
        QCOMPARE(textOf(shell, u"switcherInitial"_s), u"B"_s);
        QCOMPARE(m_app->app().toasts().constLast().text, u"Switched to backup"_s);

        // A refresh (held up by a provider that falls silent) shows on the card, and the menu
        // offers to cancel it instead.
        FakeFault silent;
        silent.stallAfterBytes = 0;
        m_app->storeHarness().provider().setFault(u"get_live_categories"_s, silent);
        QTRY_VERIFY(!menuShows(harness.window(), u"refreshPlaylist"_s));
        QQuickItem *refresh = openMenu(harness, card, u"refreshPlaylist"_s);
        QVERIFY(!menuShows(harness.window(), u"cancelRefresh"_s));
        harness.click(refresh);
        QVERIFY(store.isRefreshing(second.id));
        QTRY_VERIFY(shown(shell, u"switcherSpinner"_s));
        QVERIFY(textOf(shell, u"switcherStatus"_s).startsWith(u"Connecting to provider"_s));
        QTRY_VERIFY(!menuShows(harness.window(), u"refreshPlaylist"_s));
        QQuickItem *cancel = openMenu(harness, card, u"cancelRefresh"_s);
        QVERIFY(!menuItem(harness.window(), u"refreshPlaylist"_s)->isEnabled());
        harness.click(cancel);
        QVERIFY(m_app->storeHarness().waitUntilIdle(second.id));
        QTRY_VERIFY(!shown(shell, u"switcherSpinner"_s));

        QTRY_VERIFY(!menuShows(harness.window(), u"managePlaylists"_s));
        harness.click(openMenu(harness, card, u"managePlaylists"_s));
        QCOMPARE(m_app->app().route(), Route::Playlists);
    }

    void theMenuKeysMoveBetweenPages()
    {
        QQmlApplicationEngine engine;
        engine.addImportPath(u"qrc:/qt/qml"_s);
        engine.load(QUrl(u"qrc:/qt/qml/Quillmere/Shell/Main.qml"_s));
        QCOMPARE(engine.rootObjects().size(), 1);
        auto *window = qobject_cast<QQuickWindow *>(engine.rootObjects().constFirst());
        QVERIFY(window);
        QCOMPARE(window->objectName(), u"main"_s);
        QCOMPARE(window->minimumSize(), QSize(1040, 660));
        QCOMPARE(window->color(), QColor::fromRgbF(0.02f, 0.03f, 0.06f));
        window->requestActivate();
        QVERIFY(QTest::qWaitForWindowActive(window));
        AppModel &app = m_app->app();

        const QList<Route> numbered{Route::Home, Route::Search, Route::Live, Route::Guide, Route::Movies,
                                    Route::Series, Route::VideoSite};
        for (qsizetype index = numbered.size() - 1; index >= 0; --index) {
            QTest::keyClick(window, Qt::Key(Qt::Key_1 + index), Qt::ControlModifier);
            QCOMPARE(app.route(), numbered.at(index));
        }
        // The numbered search key only shows the page; Ctrl+K also focuses its field.
        QTest::keyClick(window, Qt::Key_2, Qt::ControlModifier);
        QCOMPARE(app.searchFocusRequest(), 0);
        QTest::keyClick(window, Qt::Key_K, Qt::ControlModifier);
        QTest::keyClick(window, Qt::Key_K, Qt::ControlModifier);
        QCOMPARE(app.route(), Route::Search);
        QCOMPARE(app.searchFocusRequest(), 2);
        QTest::keyClick(window, Qt::Key_Comma, Qt::ControlModifier);
        QCOMPARE(app.route(), Route::Settings);

        QTest::keyClick(window, Qt::Key_S, Qt::ControlModifier | Qt::AltModifier);
        QVERIFY(app.isSidebarCollapsed());
        QTest::keyClick(window, Qt::Key_S, Qt::ControlModifier | Qt::AltModifier);
        QVERIFY(!app.isSidebarCollapsed());

        // Each menu opens with a click and is wide enough for every entry and its keys.
        const auto menuOpen = [window] {
            const QList<QQuickItem *> entries = QmlHarness::findAll(window->contentItem(), u"menuEntryText"_s);
            return std::any_of(entries.begin(), entries.end(), [](QQuickItem *entry) { return entry->isVisible(); });
        };
        for (const QString &title : {u"File"_s, u"Go"_s}) {
            QQuickItem *opener = itemWithText(window->contentItem(), title);
            QVERIFY(opener && opener->inherits("QQuickMenuBarItem"));
            QTest::mouseClick(window, Qt::LeftButton, {}, opener->mapToScene(QPointF(opener->width() / 2, opener->height() / 2)).toPoint());
            QTRY_VERIFY(menuOpen());
            QCOMPARE(PageViews::truncated(window->contentItem(), u"menuEntryText"_s), QStringList());
            QTest::keyClick(window, Qt::Key_Escape);
            QTRY_VERIFY(!menuOpen());
            // Closed, its title is lit only while the pointer is over it.
            const auto titleLit = [opener] {
                return opener->property("background").value<QQuickItem *>()->property("color").value<QColor>().alpha() > 0;
            };
            QTest::mouseMove(window, opener->mapToScene(QPointF(opener->width() / 2, opener->height() / 2)).toPoint());
            QTRY_VERIFY(titleLit());
            QTest::mouseMove(window, QPoint(window->width() / 2, window->height() / 2));
            QTRY_VERIFY(!titleLit());
        }

        // Ctrl+O asks for a media file: cancelled, nothing plays; chosen, it plays.
        QObject *dialog = window->findChild<QObject *>(u"mediaFileDialog"_s);
        QVERIFY(dialog);
        QTest::keyClick(window, Qt::Key_O, Qt::ControlModifier);
        QTRY_VERIFY(dialog->property("visible").toBool());
        // Without a desktop dialog Qt's own stands in, in the window's dark look, folder bar too.
        QQuickItem *folderBar = nullptr;
        QTRY_VERIFY((folderBar = PageViews::firstOfClass(window->contentItem(), "QQuickFolderBreadcrumbBar")));
        QQuickItem *panel = PageViews::firstOfClass(window->contentItem(), "QQuickPopupItem");
        QVERIFY(panel);
        QTRY_VERIFY(panel->opacity() == 1);
        const QImage frame = window->grabWindow();
        const auto shade = [&frame](QQuickItem *item, QPointF at) {
            return frame.pixelColor(item->mapToScene(at).toPoint()).lightness();
        };
        QVERIFY(shade(folderBar, QPointF(folderBar->width() - 6, folderBar->height() / 2)) < 60);
        QVERIFY(shade(panel, QPointF(6, 6)) < 60);
        QVERIFY(shade(panel, QPointF(6, panel->height() - 6)) < 60);
        QVERIFY(QMetaObject::invokeMethod(dialog, "reject"));
        QTRY_VERIFY(!dialog->property("visible").toBool());
        QVERIFY(!m_app->playback().hasTarget());
        QTemporaryDir folder;
        QFile file(folder.filePath(u"holiday.mkv"_s));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QVERIFY(dialog->setProperty("currentFolder", QUrl::fromLocalFile(folder.path())));
        QTest::keyClick(window, Qt::Key_O, Qt::ControlModifier);
        QQuickItem *entry = nullptr;
        QTRY_VERIFY((entry = itemWithText(window->contentItem(), u"holiday.mkv"_s)));
        QmlHarness::settle();
        const QPoint centre = entry->mapToScene(QPointF(entry->width() / 2, entry->height() / 2)).toPoint();
        QTest::mouseDClick(window, Qt::LeftButton, {}, centre);
        QTRY_VERIFY(m_app->playback().hasTarget());
        QCOMPARE(m_app->playback().target()->title, u"holiday"_s);
    }

    void thePlayerKeepsTheKeysAndFullScreenShowsOnlyThePlayer()
    {
        QQmlApplicationEngine engine;
        engine.addImportPath(u"qrc:/qt/qml"_s);
        engine.load(QUrl(u"qrc:/qt/qml/Quillmere/Shell/Main.qml"_s));
        auto *window = qobject_cast<QQuickWindow *>(engine.rootObjects().constFirst());
        window->requestActivate();
        QVERIFY(QTest::qWaitForWindowActive(window));
        auto *menuBar = window->property("menuBar").value<QQuickItem *>();
        QQuickItem *player = QmlHarness::find(window->contentItem(), u"playerLayer"_s);
        const auto playerHasTheKeys = [&] {
            for (QQuickItem *item = window->activeFocusItem(); item; item = item->parentItem()) {
                if (item == player)
                    return true;
            }
            return false;
        };
        m_app->playback().openFile(QUrl::fromLocalFile(u"/media/clip.mkv"_s));
        QTRY_VERIFY(playerHasTheKeys());

        // The search command builds the search page under the player, which keeps the keys.
        QTest::keyClick(window, Qt::Key_K, Qt::ControlModifier);
        QCOMPARE(m_app->app().route(), Route::Search);
        QQuickItem *field = nullptr;
        QTRY_VERIFY((field = QmlHarness::find(window->contentItem(), u"searchText"_s)));
        QVERIFY(playerHasTheKeys());

        // In full screen the window shows the player alone, and the menu bar comes back after.
        QTest::keyClick(window, Qt::Key_F);
        QTRY_COMPARE(window->visibility(), QWindow::FullScreen);
        QVERIFY(!menuBar->isVisible());
        QCOMPARE(player->mapToScene(QPointF()), QPointF());
        QTest::keyClick(window, Qt::Key_F);
        QTRY_VERIFY(window->visibility() != QWindow::FullScreen);
        QVERIFY(menuBar->isVisible());

        // Once the player closes, the search field has the keys.
        QTest::keyClick(window, Qt::Key_Escape);
        QVERIFY(!m_app->playback().hasTarget());
        QTRY_VERIFY(field->hasActiveFocus());
    }

    // The page is hidden while the player covers it, which takes the keyboard focus from it;
    // once the player closes, the keys act on the page again, whichever way it was started.
    void theKeysGoBackToThePageWhenThePlayerCloses_data()
    {
        QTest::addColumn<UserSteps>("play");
        QTest::addColumn<KeyCheck>("acts");

        QTest::newRow("live list, Return") << UserSteps([](ShellRun &run) {
            run.openLive();
            run.harness.click(run.channelRow(0));
            run.harness.key(Qt::Key_Return);
        }) << KeyCheck([](ShellRun &run) {
            run.harness.key(Qt::Key_Down);
            return run.selectedChannel() == 1;
        });
        QTest::newRow("live list, double click") << UserSteps([](ShellRun &run) {
            run.openLive();
            QQuickItem *row = run.channelRow(1);
            QTest::mouseDClick(&run.harness.window(), Qt::LeftButton, Qt::NoModifier,
                               row->mapToScene(QPointF(row->width() / 2, row->height() / 2)).toPoint());
        }) << KeyCheck([](ShellRun &run) {
            run.harness.key(Qt::Key_Up);
            return run.selectedChannel() == 0;
        });
        QTest::newRow("live channel panel") << UserSteps([](ShellRun &run) {
            run.openLive();
            run.harness.click(run.channelRow(0));
            run.harness.click(run.shown(u"watchButton"_s));
        }) << KeyCheck([](ShellRun &run) { return run.keyPlays(Qt::Key_Space); });
        QTest::newRow("guide") << UserSteps([](ShellRun &run) {
            run.app.app().setRoute(Route::Guide);
            run.harness.click(run.shown(u"forwardButton"_s));
            run.harness.click(run.shown(u"channelCell"_s));
        }) << KeyCheck([](ShellRun &run) {
            const GuideState &guide = *run.app.app().guide();
            const double before = guide.minuteOffset();
            run.harness.key(Qt::Key_Space);
            return QTest::qWaitFor([&] { return guide.minuteOffset() > before; });
        });
        QTest::newRow("home shelf") << UserSteps([](ShellRun &run) {
            awaitBlocking(run.app.app().live()->refreshIfNeeded());
            for (const MediaItem &channel : run.app.app().live()->items())
                run.app.storeHarness().store().toggleFavourite(channel);
            run.app.app().setRoute(Route::Home);
            run.harness.click(run.card(u"favouriteChannels"_s, 0));
        }) << KeyCheck([](ShellRun &run) {
            run.harness.key(Qt::Key_Tab);
            return run.harness.window().activeFocusItem() == run.card(u"favouriteChannels"_s, 1);
        });
        QTest::newRow("search result") << UserSteps([](ShellRun &run) {
            awaitBlocking(run.app.app().live()->refreshIfNeeded());
            const QString title = run.app.app().live()->items().constFirst().title;
            run.app.app().setRoute(Route::Search);
            run.shown(u"searchText"_s);
            run.harness.type(title);
            (void)QTest::qWaitFor([&run] { return run.app.clock().pendingSleeps() > 0; });
            run.app.clock().advance(200ms);
            run.harness.click(run.card(u"channelResults"_s, 0));
        }) << KeyCheck([](ShellRun &run) { return run.keyPlays(Qt::Key_Space); });
        QTest::newRow("movies grid, item menu") << UserSteps([](ShellRun &run) {
            run.app.app().setRoute(Route::Movies);
            run.harness.click(run.shown(u"poster:1"_s), std::nullopt, Qt::RightButton);
            QQuickItem *play = nullptr;
            QTRY_VERIFY((play = PageViews::menuEntry(run.harness.window().contentItem(), u"Play"_s)));
            QmlHarness::settle();
            run.harness.click(play);
        }) << KeyCheck([](ShellRun &run) { return run.keyMovesCurrentIndex(u"posterGrid"_s, Qt::Key_Right); });
        QTest::newRow("series' episode") << UserSteps([](ShellRun &run) {
            run.app.app().setRoute(Route::Series);
            run.harness.click(run.shown(u"poster:0"_s));
            run.harness.click(run.shown(u"episode:0"_s));
        }) << KeyCheck([](ShellRun &run) { return run.keyMovesCurrentIndex(u"detailList"_s, Qt::Key_Down); });
        QTest::newRow("film's detail page") << UserSteps([](ShellRun &run) {
            run.app.app().setRoute(Route::Movies);
            run.harness.click(run.shown(u"poster:0"_s));
            run.harness.click(run.shown(u"playButton"_s));
        }) << KeyCheck([](ShellRun &run) {
            run.harness.key(Qt::Key_Tab);
            QQuickItem *focused = run.harness.window().activeFocusItem();
            return focused && focused->objectName() == u"myListButton"_s;
        });
    }

    void theKeysGoBackToThePageWhenThePlayerCloses()
    {
        QFETCH(UserSteps, play);
        QFETCH(KeyCheck, acts);
        QmlHarness harness({1240, 820});
        QQuickItem *shell = harness.createFromQml(u"AppShell { width: 1190; height: 770 }"_s);
        QVERIFY(shell);
        ShellRun run{harness, shell, *m_app};
        play(run);
        QTRY_VERIFY(m_app->playback().hasTarget());
        QQuickItem *mainLayer = QmlHarness::find(shell, u"mainLayer"_s);
        QTRY_VERIFY(!mainLayer->isVisible());

        harness.key(Qt::Key_Escape);
        QVERIFY(!m_app->playback().hasTarget());
        const auto pageHasTheKeys = [&] {
            QQuickItem *item = harness.window().activeFocusItem();
            while (item && item != mainLayer)
                item = item->parentItem();
            return item == mainLayer;
        };
        QTRY_VERIFY(pageHasTheKeys());
        QVERIFY(acts(run));
    }

    void thePageHeaderKeepsItsButtonsClearOfItsTexts()
    {
        QmlHarness harness({600, 260});
        QQuickItem *header = harness.createFromQml(
            u"PageHeader { width: 480; title: \"Live TV\"; QMButton { objectName: \"headerButton\"; text: \"Refresh\" } }"_s);
        QVERIFY(header);
        QQuickItem *title = QmlHarness::find(header, u"pageTitle"_s);
        QQuickItem *button = QmlHarness::find(header, u"headerButton"_s);
        const auto left = [header](QQuickItem *item) { return item->mapToItem(header, QPointF()).x(); };
        const auto right = [header](QQuickItem *item) { return item->mapToItem(header, QPointF(item->width(), 0)).x(); };
        // Beside the texts: 16 px, a gap of at least 12 px, 16 px.
        QTRY_VERIFY(qAbs(right(button) - header->width()) < 1);
        QVERIFY(!title->property("truncated").toBool());
        QVERIFY(left(button) - right(title) >= 16 + 12 + 16);
        // Without a subtitle the title is the only line.
        QVERIFY(!QmlHarness::find(header, u"pageSubtitle"_s)->isVisible());
        QCOMPARE(title->parentItem()->height(), title->height());

        // Too long a title to stand beside them: the buttons go under it, whole, and the title
        // takes the whole line.
        header->setProperty("title", u"A title far too long to fit beside the buttons of this header"_s);
        QTRY_VERIFY(button->mapToItem(header, QPointF()).y() >= title->mapToItem(header, QPointF(0, title->height())).y());
        QCOMPARE(left(button), 0.0);
        QCOMPARE(title->width(), header->width());
        QVERIFY(title->property("truncated").toBool());
    }

    void layersCoverThePageAndThePlayerCoversEverything()
    {
        QmlHarness harness({1240, 820});
        QQuickItem *shell = harness.createFromQml(u"AppShell { width: 1190; height: 770 }"_s);
        QVERIFY(shell);
        AppModel &app = m_app->app();
        app.setRoute(Route::Movies);

        // A detail page over the page, one for each item; leaving the page closes it.
        app.setDetail(film(u"1"_s));
        QQuickItem *detail = QmlHarness::find(shell, u"detailLayer"_s);
        QTRY_COMPARE(detail->property("depth").toInt(), 1);
        const QQuickItem *first = detail->property("currentItem").value<QQuickItem *>();
        app.setDetail(film(u"2"_s));
        QTRY_VERIFY(detail->property("currentItem").value<QQuickItem *>() != first);
        harness.click(QmlHarness::find(shell, u"sidebarRow-home"_s));
        QCOMPARE(app.detail(), std::nullopt);
        QTRY_COMPARE(detail->property("depth").toInt(), 0);

        // While something plays, the player covers the sidebar too and the page takes no clicks.
        // The page keeps its look while the player comes in over it, and is hidden once covered.
        PlaybackWindowController &playback = m_app->playback();
        playback.openFile(QUrl::fromLocalFile(u"/media/clip.mkv"_s));
        QQuickItem *player = QmlHarness::find(shell, u"playerLayer"_s);
        QQuickItem *mainLayer = QmlHarness::find(shell, u"mainLayer"_s);
        QTRY_COMPARE(player->property("depth").toInt(), 1);
        QVERIFY(mainLayer->isEnabled());
        QTRY_VERIFY(!mainLayer->isVisible());
        harness.click(QmlHarness::find(shell, u"sidebarRow-live"_s));
        QCOMPARE(app.route(), Route::Home);

        // A new title builds a new player.
        const QQuickItem *firstPlayer = player->property("currentItem").value<QQuickItem *>();
        playback.openFile(QUrl::fromLocalFile(u"/media/other.mkv"_s));
        QTRY_VERIFY(player->property("currentItem").value<QQuickItem *>() != firstPlayer);
        playback.close();
        QVERIFY(mainLayer->isVisible());
        QTRY_COMPARE(player->property("depth").toInt(), 0);
        // The player took the first click on this spot; the closed one takes clicks until it has
        // faded out. (Test clicks lie a double-click interval apart in event time, so this one is
        // a click of its own, not the second of a double.)
        QTRY_VERIFY(!player->property("busy").toBool());
        harness.click(QmlHarness::find(shell, u"sidebarRow-live"_s));
        QCOMPARE(app.route(), Route::Live);
    }

    // The guide takes the wheel under the pointer only: not through a detail page or the player
    // laid over it, and again as soon as they have gone.
    void theGuidesWheelStopsAtTheLayersOverIt()
    {
        QmlHarness harness({1240, 820});
        QQuickItem *shell = harness.createFromQml(u"AppShell { width: 1190; height: 770 }"_s);
        QVERIFY(shell);
        AppModel &app = m_app->app();
        app.setRoute(Route::Guide);
        QQuickItem *area = QmlHarness::find(shell, u"pageArea"_s);
        const GuideState &guide = *app.guide();
        QTRY_VERIFY(!guide.channels().isEmpty() && shown(area, u"guideRows"_s));
        // A trackpad swipe to the left over the grid: ten minutes on.
        const auto swipe = [&harness, area] {
            const QPointF at = area->mapToScene(QPointF(area->width() / 2, area->height() * 0.75));
            QWheelEvent event(at, harness.window().mapToGlobal(at), {-50, 0}, {-50, 0}, Qt::NoButton,
                              Qt::NoModifier, Qt::NoScrollPhase, false);
            QCoreApplication::sendEvent(&harness.window(), &event);
        };
        const auto settled = [](QQuickItem *layer) { return !layer->property("busy").toBool(); };
        const double start = guide.minuteOffset();

        app.setDetail(film(u"1"_s));
        QQuickItem *detail = QmlHarness::find(shell, u"detailLayer"_s);
        QTRY_VERIFY(detail->property("depth").toInt() == 1 && settled(detail));
        swipe();
        QCOMPARE(guide.minuteOffset(), start);
        app.setDetail(std::nullopt);
        QTRY_VERIFY(settled(detail));
        swipe();
        QCOMPARE(guide.minuteOffset(), start + 10);

        m_app->playback().openFile(QUrl::fromLocalFile(u"/media/clip.mkv"_s));
        QQuickItem *player = QmlHarness::find(shell, u"playerLayer"_s);
        QTRY_COMPARE(player->property("depth").toInt(), 1);
        swipe();
        QTRY_VERIFY(!QmlHarness::find(shell, u"mainLayer"_s)->isVisible());
        QCOMPARE(guide.minuteOffset(), start + 10);
        m_app->playback().close();
        QTRY_VERIFY(player->property("depth").toInt() == 0 && settled(player));
        swipe();
        QCOMPARE(guide.minuteOffset(), start + 20);
    }

    // At the smallest window every page is whole: its controls lie inside the window, its title
    // and tiles are not cut short, and a menu opened at the window's edge stays inside it.
    void everyPageFitsTheSmallestWindow()
    {
        QmlHarness harness(smallestWindow);
        QQuickItem *shell = fillingShell(harness);
        QVERIFY(shell);
        const QRectF window{QPointF(), QSizeF(smallestWindow)};
        AppModel &app = m_app->app();
        awaitBlocking(app.live()->refreshIfNeeded());
        app.live()->setSelected(app.live()->items().first());
        // A name longer than its card, with markup, Chinese and an emoji, gives way to the card's buttons.
        const Playlist longName = m_app->storeHarness().addProviderPlaylist(
            u"Family <b>living room</b> \u5BB6\u5EAD\u5A31\u4E50 \U0001F4FA with a name long enough to run past its card"_s);
        QVERIFY(m_app->storeHarness().waitUntilIdle(longName.id));

        const auto fits = [&](Route route) {
            app.setRoute(route);
            const auto cut = [&] {
                return PageViews::truncated(shell, u"pageTitle"_s) + PageViews::truncated(shell, u"tileTitle"_s)
                     + PageViews::truncated(shell, u"listTitle"_s);
            };
            const bool whole = QTest::qWaitFor([&] { return PageViews::outside(shell, window).isEmpty() && cut().isEmpty(); });
            if (!whole)
                qWarning().noquote() << routeText(route) << PageViews::outside(shell, window) << cut();
            return whole;
        };
        for (const Route route : allRoutes)
            QVERIFY(fits(route));
        app.setRequestedSettingsSection(u"Categories"_s);
        QTRY_VERIFY(QmlHarness::find(shell, u"listTitle"_s));
        QVERIFY(fits(Route::Settings));
        app.setDetail(film(u"1"_s));
        QVERIFY(fits(Route::Movies));
        app.setDetail(std::nullopt);

        // The menus of the rightmost buttons move in from the window's edge.
        for (const auto &[route, button] : {std::pair(Route::Movies, u"posterSizeButton"_s),
                                            std::pair(Route::Playlists, u"menuButton"_s)}) {
            QVERIFY(fits(route));
            QTRY_VERIFY(!PageViews::shownPopup(harness.window().contentItem()));
            harness.click(QmlHarness::find(shell, button));
            std::optional<QRectF> menu;
            QTRY_VERIFY((menu = PageViews::shownPopup(harness.window().contentItem())) && menu->width() > 0);
            QTRY_VERIFY2(window.contains(*PageViews::shownPopup(harness.window().contentItem())), qPrintable(button));
            harness.key(Qt::Key_Escape);
        }
    }

    // At the smallest window the category column opens at its top, or with the category the page
    // remembers scrolled just into view; the category settings open on their title. Each list's
    // header is laid out, or filled in, after the list is first placed.
    void openedListsShowTheirTopOrTheirChosenCategory()
    {
        // Enough categories to fill the column twice over.
        m_app.reset();
        m_app = std::make_unique<AppHarness>();
        m_app->storeHarness().startWithImportedPlaylist({8000, 8000, 0});
        m_app->start();
        AppModel &app = m_app->app();
        awaitBlocking(app.live()->refreshIfNeeded());
        awaitBlocking(app.movies()->refreshIfNeeded());
        const QString nearTop = app.live()->categories().at(2).providerID;
        const QString farDown = app.movies()->categories().constLast().providerID;
        app.live()->setScopeText(nearTop);
        app.movies()->setScopeText(farDown);

        QmlHarness harness(smallestWindow);
        QQuickItem *shell = fillingShell(harness);
        QVERIFY(shell);
        QQuickItem *list = nullptr;
        // Opens a page and waits until its list has its rows and has drawn them.
        const auto open = [&](Route route, const QString &lastRow) {
            app.setRoute(route);
            const bool drawn = QTest::qWaitFor([&] {
                list = QmlHarness::find(QmlHarness::find(shell, u"pageArea"_s), u"categoryList"_s);
                return list && list->property("count").toInt() > 0 && QmlHarness::find(list, lastRow);
            });
            (void)harness.grab();
            return drawn;
        };
        // Where the item of that name lies in the list's view, from its top edge to its bottom edge.
        const auto span = [&](const QString &name) {
            QQuickItem *item = QmlHarness::find(list, name);
            return item ? std::pair(item->mapToItem(list, QPointF()).y(), item->mapToItem(list, QPointF(0, item->height())).y())
                        : std::pair(-1.0, -1.0);
        };

        // A category near the top shows below the all and favourites rows, which stay in view.
        QVERIFY(open(Route::Live, u"category-"_s + nearTop));
        QCOMPARE(span(u"allRow"_s).first, 0.0);
        QVERIFY(span(u"category-"_s + nearTop).second <= list->height());

        // One far down is scrolled just into view: the list's last row, at its bottom edge.
        QVERIFY(open(Route::Movies, u"category-"_s + farDown));
        QCOMPARE(span(u"category-"_s + farDown).second, list->height());
        // Moved by the user, with its scroll bar, it stays where it was put when a category in
        // view is chosen.
        QQuickItem *bar = QmlHarness::find(list, u"scrollBar"_s);
        const QPointF handle(bar->width() / 2, bar->height() * (bar->property("position").toReal() + bar->property("size").toReal() / 2));
        harness.press(bar, handle);
        harness.hover(bar, handle - QPointF(0, 100));
        harness.release(bar, handle - QPointF(0, 100));
        const qreal movedTo = list->property("contentY").toReal();
        QQuickItem *middle = list->property("contentItem").value<QQuickItem *>()->childAt(list->width() / 2, movedTo + list->height() / 2);
        QVERIFY(middle && middle->objectName().startsWith(u"category-"_s));
        harness.click(middle);
        QTRY_VERIFY(middle->property("selected").toBool());
        (void)harness.grab();
        QCOMPARE(qRound(list->property("contentY").toReal()), qRound(movedTo));

        // The category settings: their title at the top, once the languages are filled in.
        app.setRequestedSettingsSection(u"Categories"_s);
        QVERIFY(open(Route::Settings, u"language-en"_s));
        QCOMPARE(list->property("contentY").toDouble(), list->property("originY").toDouble());
        QVERIFY(span(u"categoriesTitle"_s).first > 0);
    }

    void noticesRiseFromTheBottomAndDatabaseErrorsBecomeNotices()
    {
        QmlHarness harness({1240, 820});
        QQuickItem *shell = harness.createFromQml(u"AppShell { width: 1190; height: 770 }"_s);
        QVERIFY(shell);
        AppModel &app = m_app->app();
        app.toast(u"Saved"_s, ToastKind::Success);
        (void)m_app->storeHarness().store().prepare(u"SELECT nothing FROM nowhere"_s);
        QCOMPARE(m_app->storeHarness().store().databaseError(), std::nullopt);
        QCOMPARE(app.toasts().size(), 2);
        QCOMPARE(app.toasts().constLast().kind, ToastKind::Error);

        QQuickItem *list = QmlHarness::find(shell, u"toastList"_s);
        QTRY_COMPARE(list->property("count").toInt(), 2);
        QmlHarness::settle();
        // The newest lies lowest, 28 px above the bottom edge, centred.
        QList<QQuickItem *> cards = QmlHarness::findAll(list, u"toastCard"_s);
        QCOMPARE(cards.size(), 2);
        std::sort(cards.begin(), cards.end(), [](QQuickItem *a, QQuickItem *b) {
            return a->mapToScene({0, 0}).y() < b->mapToScene({0, 0}).y();
        });
        QCOMPARE(textOf(cards.at(0), u"toastText"_s), u"Saved"_s);
        QCOMPARE(textOf(cards.at(1), u"toastText"_s), app.toasts().constLast().text);
        const auto lowest = [&] { return cards.at(1)->mapToItem(shell, QPointF(cards.at(1)->width() / 2, cards.at(1)->height())); };
        QTRY_COMPARE(qRound(lowest().y()), qRound(shell->height()) - 28);
        QVERIFY(qAbs(lowest().x() - shell->width() / 2) <= 1);

        // They go by themselves: 3.2 s for success, 6 s for errors.
        m_app->clock().advance(3200ms);
        QTRY_COMPARE(list->property("count").toInt(), 1);
        m_app->clock().advance(2800ms);
        QTRY_COMPARE(list->property("count").toInt(), 0);
    }

    void theUpdateBannerAndTheRequiredUpdateCard()
    {
        QmlHarness harness({1240, 820});
        QQuickItem *root = harness.createFromQml(u"RootView { width: 1190; height: 770 }"_s);
        QVERIFY(root);
        AppUpdater &updater = m_app->updater();
        QVERIFY(!shown(root, u"updateBanner"_s));

        updater.setAvailable(UpdateInfo{u"2.4"_s, u"https://example.com/quillmere"_s, std::nullopt, false});
        QTRY_VERIFY(shown(root, u"updateBanner"_s));
        QCOMPARE(textOf(root, u"bannerText"_s), u"Quillmere 2.4 is available"_s);
        QQuickItem *banner = QmlHarness::find(root, u"updateBanner"_s);
        QTRY_COMPARE(banner->mapToItem(root, QPointF(banner->width(), banner->height())),
                     QPointF(root->width() - 20, root->height() - 20));
        QVERIFY(banner->width() <= 520);

        // Hidden while something plays, back afterwards.
        m_app->playback().openFile(QUrl::fromLocalFile(u"/media/clip.mkv"_s));
        QTRY_VERIFY(!shown(root, u"updateBanner"_s));
        m_app->playback().close();
        QTRY_VERIFY(shown(root, u"updateBanner"_s));

        harness.click(QmlHarness::find(root, u"bannerClose"_s));
        QVERIFY(updater.isDismissed());
        QTRY_VERIFY(!shown(root, u"updateBanner"_s));

        // A required update covers everything and cannot be closed.
        updater.setAvailable(UpdateInfo{u"3.0"_s, u"https://example.com/quillmere"_s, std::nullopt, true});
        QTRY_VERIFY(shown(root, u"mandatoryUpdate"_s));
        QVERIFY(!shown(root, u"updateBanner"_s));
        QQuickItem *card = QmlHarness::find(root, u"mandatoryUpdate"_s);
        QQuickItem *liveRow = QmlHarness::find(root, u"sidebarRow-live"_s);
        harness.click(card, liveRow->mapToItem(card, QPointF(liveRow->width() / 2, liveRow->height() / 2)));
        QCOMPARE(m_app->app().route(), Route::Home);
    }

private:
    std::unique_ptr<AppHarness> m_app;
    Playlist m_playlist;
};

QTEST_MAIN(ShellTest)
#include "tst_shell.moc"
