#include "App/AppModel.h"
#include "Store/CatalogueStore.h"
#include "Support/UserSettings.h"
#include "Views/Kit/Palette.h"
#include "Views/Shell/AppShellModel.h"
#include "Views/Shell/DatabaseErrorToasts.h"
#include "Views/Shell/Navigation.h"
#include "Views/Shell/PlaylistSwitcherModel.h"
#include "Views/Shell/SyncToasts.h"
#include "Views/Shell/ToastListModel.h"
#include "support/AppHarness.h"
#include "support/AwaitBlocking.h"
#include "support/ModelChecks.h"
#include "support/ToastTexts.h"

#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

Q_DECLARE_METATYPE(Route)
Q_DECLARE_METATYPE(std::optional<Playlist>)
Q_DECLARE_METATYPE(std::optional<QString>)
Q_DECLARE_METATYPE(CatalogueSnapshot)

namespace {

Playlist playlist(const QString &name, const QString &syncState = u"ready"_s, int progress = 0)
{
    Playlist playlist;
    playlist.id = 1;
    playlist.name = name;
    playlist.syncState = syncState;
    playlist.syncProgress = progress;
    return playlist;
}

CatalogueSnapshot titles(qint64 live, qint64 movies, qint64 series)
{
    CatalogueSnapshot snapshot;
    snapshot.liveCount = live;
    snapshot.movieCount = movies;
    snapshot.seriesCount = series;
    return snapshot;
}

} // namespace

// The C++ halves of the shell: which page shows, the notices of finished refreshes and of
// database failures, the toast rows, the playlist switcher's card and menu, and the commands of
// the menus and the sidebar.
class ShellModelsTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void choosesThePageForTheRoute_data()
    {
        QTest::addColumn<Route>("route");
        QTest::addColumn<bool>("hasPlaylists");
        QTest::addColumn<bool>("initializing");
        QTest::addColumn<QString>("page");

        QTest::newRow("a playlist") << Route::Live << true << false << u"live"_s;
        QTest::newRow("no playlist") << Route::Home << false << false << u"welcome"_s;
        QTest::newRow("no playlist, playlists page") << Route::Playlists << false << false << u"welcome"_s;
        QTest::newRow("no playlist, settings") << Route::Settings << false << false << u"settings"_s;
        QTest::newRow("still opening") << Route::Guide << false << true << u"guide"_s;
    }

    void choosesThePageForTheRoute()
    {
        QFETCH(Route, route);
        QFETCH(bool, hasPlaylists);
        QFETCH(bool, initializing);
        QFETCH(QString, page);

        QCOMPARE(AppShellModel::pageFor(route, hasPlaylists, initializing), page);
    }

    void thePageFollowsTheRouteAndThePlaylists()
    {
        AppHarness harness;
        harness.start();
        AppShellModel shell;
        shell.setApp(&harness.app());
        QCOMPARE(shell.page(), u"welcome"_s);
        harness.app().setRoute(Route::Settings);
        QCOMPARE(shell.page(), u"settings"_s);
        harness.app().setRoute(Route::Movies);
        QCOMPARE(shell.page(), u"welcome"_s);

        const Playlist added = harness.storeHarness().addProviderPlaylist();
        QCOMPARE(shell.page(), u"movies"_s);
        QVERIFY(harness.storeHarness().waitUntilIdle(added.id));
    }

    void aFinishedRefreshSaysHowItWent()
    {
        AppHarness harness;
        const Playlist source = harness.storeHarness().startWithImportedPlaylist({5, 5, 5});
        harness.start();
        CatalogueStore &store = harness.storeHarness().store();
        FakeProvider &provider = harness.storeHarness().provider();
        FakeGuide guide;
        guide.start = harness.clock().now().addSecs(-3600);
        guide.channelIDs = {u"news.uk"_s};
        provider.setGuide(guide);
        SyncToasts notices(harness.app());

        // A catalogue import hands over to its guide refresh: one notice, when both are done.
        store.startImport(source);
        QVERIFY(harness.storeHarness().waitUntilIdle(source.id));
        QCOMPARE(toastLines(harness.app()), QStringList{u"success: Provider is up to date"_s});

        // A failed import reports its own sentence.
        FakeFault serverError;
        serverError.httpStatus = 500;
        provider.setFault(u"get_live_streams"_s, serverError);
        store.startImport(*harness.storeHarness().listed(source.id));
        QVERIFY(harness.storeHarness().waitUntilIdle(source.id));
        QCOMPARE(toastLines(harness.app()).mid(1),
                 QStringList{u"error: Provider: The Xtream server returned HTTP status 500."_s});

        // A guide-only refresh that goes well is up to date, although the earlier import's
        // error still stands in the health record.
        provider.clearFaults();
        store.refreshEPG(*harness.storeHarness().listed(source.id));
        QVERIFY(harness.storeHarness().waitUntilIdle(source.id));
        QVERIFY(store.health().value(source.id).catalogueError);
        QCOMPARE(toastLines(harness.app()).mid(2), QStringList{u"success: Provider is up to date"_s});

        // A failed guide refresh reports the guide's sentence.
        provider.setFault(u"xmltv"_s, serverError);
        store.refreshEPG(*harness.storeHarness().listed(source.id));
        QVERIFY(harness.storeHarness().waitUntilIdle(source.id));
        QCOMPARE(toastLines(harness.app()).mid(3),
                 QStringList{u"error: Provider: "_s + *store.health().value(source.id).guideError});
    }

    void reportsOnlyRefreshesItSawBeginAndOfPlaylistsThatRemain()
    {
        AppHarness harness;
        const Playlist source = harness.storeHarness().startWithImportedPlaylist({5, 5, 5});
        harness.start();
        CatalogueStore &store = harness.storeHarness().store();

        // Running before the notices were watched: its end is not announced.
        store.startImport(source);
        SyncToasts notices(harness.app());
        QVERIFY(harness.storeHarness().waitUntilIdle(source.id));
        QVERIFY(harness.app().toasts().isEmpty());

        // Removed while refreshing: nothing to say about it.
        store.startImport(*harness.storeHarness().listed(source.id));
        QVERIFY(store.isRefreshing(source.id));
        awaitBlocking(store.removePlaylist(*harness.storeHarness().listed(source.id)));
        QVERIFY(harness.storeHarness().waitUntilIdle(source.id));
        QVERIFY(harness.app().toasts().isEmpty());
    }

    void databaseErrorsBecomeErrorNoticesOnce()
    {
        AppHarness harness;
        harness.start();
        CatalogueStore &store = harness.storeHarness().store();
        // Reported before anyone watched: still shown, once.
        (void)store.prepare(u"SELECT nothing FROM nowhere"_s);
        const QString sentence = store.databaseError().value_or(QString());
        QVERIFY(!sentence.isEmpty());

        DatabaseErrorToasts notices(harness.app());
        QCOMPARE(toastLines(harness.app()), QStringList{u"error: "_s + sentence});
        QCOMPARE(store.databaseError(), std::nullopt);

        // The same sentence again is a new notice, since each is cleared once shown.
        (void)store.prepare(u"SELECT nothing FROM nowhere"_s);
        (void)store.prepare(u"SELECT nothing FROM nowhere"_s);
        QCOMPARE(toastLines(harness.app()), QStringList(3, u"error: "_s + sentence));
        QCOMPARE(store.databaseError(), std::nullopt);
    }

    void toastRowsComeAndGoOneByOne()
    {
        AppHarness harness;
        harness.start();
        AppModel &app = harness.app();
        ToastListModel rows;
        checkModel(rows);
        app.toast(u"Saved"_s, ToastKind::Success);
        rows.follow(app);
        QCOMPARE(rows.rowCount(), 1);

        QSignalSpy removed(&rows, &QAbstractItemModel::rowsRemoved);
        harness.clock().advance(1s);
        app.toast(u"The catalogue could not be opened."_s, ToastKind::Error);
        app.toast(u"Hidden"_s, ToastKind::Info);
        // Newest first, for a stack that grows upwards from the bottom.
        QCOMPARE(rows.rowCount(), 3);
        QCOMPARE(rows.data(rows.index(0), ToastListModel::TextRole), QVariant(u"Hidden"_s));
        QCOMPARE(rows.data(rows.index(1), ToastListModel::SymbolRole), QVariant(u"xmark.octagon.fill"_s));
        QCOMPARE(rows.data(rows.index(1), ToastListModel::TintRole), QVariant(Palette::danger));

        // Others stay 3.2 s, errors 6 s: the first and the last go, the error stays between.
        harness.clock().advance(2200ms);
        QCOMPARE(rows.rowCount(), 2);
        harness.clock().advance(1000ms);
        QCOMPARE(rows.rowCount(), 1);
        QCOMPARE(rows.data(rows.index(0), ToastListModel::TextRole), QVariant(u"The catalogue could not be opened."_s));
        QCOMPARE(removed.size(), 2);
        QCOMPARE(removed.at(0).at(1).toInt(), 2);
        QCOMPARE(removed.at(1).at(1).toInt(), 0);
        harness.clock().advance(2800ms);
        QCOMPARE(rows.rowCount(), 0);
    }

    void theSwitcherStatusSaysWhatThePlaylistDoes_data()
    {
        QTest::addColumn<std::optional<Playlist>>("active");
        QTest::addColumn<std::optional<QString>>("activity");
        QTest::addColumn<bool>("guide");
        QTest::addColumn<CatalogueSnapshot>("snapshot");
        QTest::addColumn<QString>("status");

        const std::optional<QString> none;
        const std::optional<QString> saving(u"Saving films"_s);
        const CatalogueSnapshot empty;
        QTest::newRow("no playlist") << std::optional<Playlist>() << saving << true << empty << u"Add a playlist"_s;
        QTest::newRow("progress 40") << std::optional(playlist(u"A"_s, u"syncing"_s, 40)) << saving << false << empty
                                     << u"Saving films · 40%"_s;
        QTest::newRow("progress 1") << std::optional(playlist(u"A"_s, u"syncing"_s, 1)) << saving << false << empty
                                    << u"Saving films · 1%"_s;
        QTest::newRow("progress 99") << std::optional(playlist(u"A"_s, u"syncing"_s, 99)) << saving << false << empty
                                     << u"Saving films · 99%"_s;
        QTest::newRow("progress 0") << std::optional(playlist(u"A"_s, u"syncing"_s, 0)) << saving << false << empty
                                    << u"Saving films"_s;
        QTest::newRow("progress 100") << std::optional(playlist(u"A"_s, u"syncing"_s, 100)) << saving << false
                                      << empty << u"Saving films"_s;
        QTest::newRow("activity over failure") << std::optional(playlist(u"A"_s, u"error"_s)) << saving << true
                                               << empty << u"Saving films"_s;
        QTest::newRow("guide") << std::optional(playlist(u"A"_s)) << none << true << empty
                               << u"Updating TV guide…"_s;
        QTest::newRow("failed") << std::optional(playlist(u"A"_s, u"error"_s)) << none << false << titles(5, 5, 5)
                                << u"Refresh failed"_s;
        QTest::newRow("999 titles") << std::optional(playlist(u"A"_s)) << none << false << titles(900, 90, 9)
                                    << u"Ready · 999 titles"_s;
        QTest::newRow("1000 titles") << std::optional(playlist(u"A"_s)) << none << false << titles(1000, 0, 0)
                                     << u"Ready · 1k titles"_s;
        QTest::newRow("1999 titles") << std::optional(playlist(u"A"_s)) << none << false << titles(999, 1000, 0)
                                     << u"Ready · 1k titles"_s;
        QTest::newRow("25 thousand") << std::optional(playlist(u"A"_s)) << none << false << titles(5000, 15000, 5400)
                                     << u"Ready · 25k titles"_s;
    }

    void theSwitcherStatusSaysWhatThePlaylistDoes()
    {
        QFETCH(std::optional<Playlist>, active);
        QFETCH(std::optional<QString>, activity);
        QFETCH(bool, guide);
        QFETCH(CatalogueSnapshot, snapshot);
        QFETCH(QString, status);

        QCOMPARE(PlaylistSwitcherModel::statusText(active, activity, guide, snapshot), status);
    }

    void theSwitcherAvatarShowsTheFirstCharacter()
    {
        QCOMPARE(PlaylistSwitcherModel::initialOf(std::nullopt), u"+"_s);
        QCOMPARE(PlaylistSwitcherModel::initialOf(u""_s), u"+"_s);
        QCOMPARE(PlaylistSwitcherModel::initialOf(u"provider"_s), u"P"_s);
        QCOMPARE(PlaylistSwitcherModel::initialOf(u"éclair"_s), u"É"_s);
        // A character outside the basic plane, and one with a combining mark, stay whole.
        QCOMPARE(PlaylistSwitcherModel::initialOf(u"\U0001F4FA TV"_s), u"\U0001F4FA"_s);
        QCOMPARE(PlaylistSwitcherModel::initialOf(u"e\u0301te"_s), u"E\u0301"_s);
    }

    void theSwitcherMenuActsOnTheStore()
    {
        AppHarness harness;
        (void)harness.storeHarness().startWithImportedPlaylist({3, 3, 3});
        const Playlist second = harness.storeHarness().addProviderPlaylist(u"second"_s);
        QVERIFY(harness.storeHarness().waitUntilIdle(second.id));
        harness.start();
        PlaylistSwitcherModel switcher;
        switcher.setApp(&harness.app());
        QSignalSpy changes(&switcher, &PlaylistSwitcherModel::changed);

        switcher.select(second.id);
        QCOMPARE(harness.storeHarness().store().activePlaylistID(), std::optional(second.id));
        QCOMPARE(switcher.name(), u"second"_s);
        QCOMPARE(switcher.initial(), u"S"_s);
        QVERIFY(!changes.isEmpty());
        // Choosing the active playlist again still says so.
        switcher.select(second.id);
        QCOMPARE(toastLines(harness.app()),
                 QStringList(2, u"info: Switched to second"_s));
        const QVariantList listed = switcher.playlists();
        QCOMPARE(listed.size(), 2);
        QCOMPARE(listed.at(0).toMap().value(u"active"_s), QVariant(true));
        QCOMPARE(listed.at(0).toMap().value(u"id"_s), QVariant(second.id));

        switcher.refresh();
        QVERIFY(switcher.isRefreshing());
        QCOMPARE(switcher.status(), u"Connecting to provider"_s);
        switcher.cancelRefresh();
        QVERIFY(harness.storeHarness().waitUntilIdle(second.id));
        QVERIFY(!switcher.isRefreshing());
        switcher.refreshGuide();
        QCOMPARE(switcher.status(), u"Updating TV guide…"_s);
        QVERIFY(harness.storeHarness().waitUntilIdle(second.id));
        QVERIFY(switcher.status().startsWith(u"Ready · "_s));

        switcher.manage();
        QCOMPARE(harness.app().route(), Route::Playlists);
    }

    void menuCommandsMoveBetweenPages()
    {
        AppHarness harness;
        harness.start();
        AppModel &app = harness.app();
        Navigation navigation;
        navigation.setApp(&app);

        const QVariantList pages = navigation.mainPages();
        QCOMPARE(pages.size(), 7);
        QCOMPARE(pages.at(3).toMap().value(u"title"_s), QVariant(u"TV Guide"_s));
        QCOMPARE(pages.at(3).toMap().value(u"shortcut"_s), QVariant(u"Ctrl+4"_s));
        QCOMPARE(pages.at(6).toMap().value(u"route"_s), QVariant(u"youtube"_s));
        QCOMPARE(navigation.lowerPages().at(0).toMap().value(u"icon"_s), QVariant(u"list.bullet.rectangle"_s));

        // Search from the menu focuses its field each time; the numbered item only shows it.
        navigation.search();
        navigation.search();
        QCOMPARE(app.route(), Route::Search);
        QCOMPARE(app.searchFocusRequest(), 2);
        navigation.show(u"search"_s);
        QCOMPARE(app.searchFocusRequest(), 2);
        navigation.choose(u"search"_s);
        QCOMPARE(app.searchFocusRequest(), 3);

        // The same page again keeps the open detail.
        navigation.show(u"home"_s);
        MediaItem film;
        film.kind = CatalogueKind::Movie;
        film.providerID = u"7"_s;
        app.setDetail(film);
        navigation.choose(u"home"_s);
        QCOMPARE(app.detail(), std::optional(film));
        navigation.show(u"settings"_s);
        QCOMPARE(app.detail(), std::nullopt);

        QSignalSpy titleChanges(&navigation, &Navigation::sidebarCommandTitleChanged);
        QCOMPARE(navigation.sidebarCommandTitle(), u"Hide sidebar"_s);
        navigation.toggleSidebar();
        QCOMPARE(navigation.sidebarCommandTitle(), u"Show sidebar"_s);
        QCOMPARE(UserSettings::value(u"quillmere.sidebarCollapsed"_s), QVariant(true));
        navigation.toggleSidebar();
        QVERIFY(!app.isSidebarCollapsed());
        QCOMPARE(UserSettings::value(u"quillmere.sidebarCollapsed"_s), QVariant(false));
        QCOMPARE(titleChanges.size(), 2);
    }
};

QTEST_MAIN(ShellModelsTest)
#include "tst_shellmodels.moc"
