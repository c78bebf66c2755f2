#include "App/AppModel.h"
#include "App/EpisodeText.h"
#include "App/LaunchArguments.h"
#include "Playback/PlaybackWindowController.h"
#include "Playback/PlayerController.h"
#include "Store/CatalogueStore.h"
#include "Support/UserSettings.h"
#include "support/CatalogueItems.h"
#include "support/FakeMediaEngine.h"
#include "support/StoreHarness.h"
#include "support/ToastTexts.h"

#include <QDir>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

Q_DECLARE_METATYPE(Route)
Q_DECLARE_METATYPE(CatalogueKind)

namespace {

LibraryEntry historyRow(const MediaItem &item, const std::optional<SeriesEpisode> &episode = std::nullopt)
{
    return {item, episode, 600, 1800, QDateTime::currentDateTimeUtc()};
}

void storeOrRemove(const QString &key, const QVariant &value)
{
    if (value.isValid())
        UserSettings::setValue(key, value);
    else
        UserSettings::remove(key);
}

} // namespace

class AppModelTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_harness = std::make_unique<StoreHarness>();
        // Titles go to a player window of their own whose players play nothing.
        m_playback = std::make_unique<PlaybackWindowController>([this](const QUrl &url, QObject *parent) {
            return new PlayerController(url, std::make_unique<FakeMediaEngine>(), m_harness->clock(), parent);
        });
    }

    void cleanup()
    {
        m_playback.reset();
        m_harness.reset();
    }

    void opensTheChosenStartPage_data()
    {
        QTest::addColumn<QVariant>("startPage");
        QTest::addColumn<QVariant>("lastPage");
        QTest::addColumn<Route>("expected");

        const QVariant missing;
        QTest::newRow("nothing saved") << missing << missing << Route::Home;
        QTest::newRow("a page") << QVariant(u"movies"_s) << QVariant(u"guide"_s) << Route::Movies;
        QTest::newRow("last page") << QVariant(u"last"_s) << QVariant(u"guide"_s) << Route::Guide;
        QTest::newRow("last without a last page") << QVariant(u"last"_s) << missing << Route::Home;
        QTest::newRow("last page was search") << QVariant(u"last"_s) << QVariant(u"search"_s) << Route::Home;
        QTest::newRow("search") << QVariant(u"search"_s) << missing << Route::Home;
        QTest::newRow("wrong case") << QVariant(u"Guide"_s) << missing << Route::Home;
        QTest::newRow("no such page") << QVariant(u"library"_s) << missing << Route::Home;
        QTest::newRow("not a text") << QVariant(3) << missing << Route::Home;
    }

    void opensTheChosenStartPage()
    {
        QFETCH(QVariant, startPage);
        QFETCH(QVariant, lastPage);
        QFETCH(Route, expected);
        m_harness->start();
        storeOrRemove(u"quillmere.startPage"_s, startPage);
        storeOrRemove(u"quillmere.lastPage"_s, lastPage);

        const AppModel model(m_harness->store(), *m_playback);

        QCOMPARE(model.route(), expected);
        // Every start rewrites the last page with the launch page, home included.
        QCOMPARE(UserSettings::value(u"quillmere.lastPage"_s), QVariant(routeText(expected)));
    }

    void writingTheRouteRemembersThePageAndClosesTheDetail()
    {
        m_harness->start();
        AppModel model(m_harness->store(), *m_playback);
        QSignalSpy routeChanges(&model, &AppModel::routeChanged);
        model.setRoute(Route::Movies);
        model.setDetail(film(u"7"_s));

        // The same page again: nobody is told, the detail stays, the last page is written anyway.
        UserSettings::setValue(u"quillmere.lastPage"_s, u"settings"_s);
        model.setRoute(Route::Movies);
        QCOMPARE(routeChanges.size(), 1);
        QCOMPARE(model.detail(), std::optional(film(u"7"_s)));
        QCOMPARE(UserSettings::value(u"quillmere.lastPage"_s), QVariant(u"movies"_s));

        // Search is never remembered, but leaving the page still closes the detail.
        model.setRoute(Route::Search);
        QCOMPARE(model.route(), Route::Search);
        QCOMPARE(model.detail(), std::nullopt);
        QCOMPARE(UserSettings::value(u"quillmere.lastPage"_s), QVariant(u"movies"_s));

        model.setRouteName(u"series"_s);
        QCOMPARE(model.route(), Route::Series);
        model.setRouteName(u"nowhere"_s);
        QCOMPARE(model.route(), Route::Series);
        QCOMPARE(model.routeName(), u"series"_s);
        QCOMPARE(routeChanges.size(), 3);
    }

    void everySidebarWriteIsSaved()
    {
        m_harness->start();
        UserSettings::setValue(u"quillmere.sidebarCollapsed"_s, true);
        AppModel model(m_harness->store(), *m_playback);
        QVERIFY(model.isSidebarCollapsed());
        QSignalSpy changes(&model, &AppModel::sidebarCollapsedChanged);

        UserSettings::remove(u"quillmere.sidebarCollapsed"_s);
        model.setSidebarCollapsed(true);
        QCOMPARE(changes.size(), 0);
        QCOMPARE(UserSettings::value(u"quillmere.sidebarCollapsed"_s), QVariant(true));
        model.setSidebarCollapsed(false);
        QCOMPARE(changes.size(), 1);
        QCOMPARE(UserSettings::value(u"quillmere.sidebarCollapsed"_s), QVariant(false));
    }

    void toastsStayTheirTimeAndGoOneByOne()
    {
        m_harness->start();
        AppModel model(m_harness->store(), *m_playback);
        VirtualClock &clock = m_harness->clock();

        model.toast(u"Saved"_s, ToastKind::Success);
        model.toast(u"The catalogue could not be opened."_s, ToastKind::Error);
        clock.advance(1000ms);
        model.toast(u"Saved"_s, ToastKind::Success);
        QCOMPARE(toastTexts(model), (QStringList{u"Saved"_s, u"The catalogue could not be opened."_s, u"Saved"_s}));
        QVERIFY(model.toasts().at(0).id != model.toasts().at(2).id);

        clock.advance(2199ms);
        QCOMPARE(model.toasts().size(), 3);
        clock.advance(1ms); // 3.2 s: only the first of the two equal notices goes
        QCOMPARE(toastTexts(model), (QStringList{u"The catalogue could not be opened."_s, u"Saved"_s}));
        clock.advance(1000ms);
        QCOMPARE(toastTexts(model), QStringList{u"The catalogue could not be opened."_s});
        clock.advance(1799ms);
        QCOMPARE(model.toasts().size(), 1);
        clock.advance(1ms); // 6 s for an error
        QVERIFY(model.toasts().isEmpty());

        model.toast(u"Added to favourites"_s, ToastKind::Info);
        const QVariantList shown = model.property("toasts").toList();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.constFirst().toMap().value(u"kind"_s), QVariant(u"info"_s));
        QCOMPARE(shown.constFirst().toMap().value(u"text"_s), QVariant(u"Added to favourites"_s));
    }

    void labelsAnEpisode_data()
    {
        QTest::addColumn<int>("season");
        QTest::addColumn<int>("episode");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("label");

        const QString open = u"\u2068"_s;
        const QString close = u"\u2069"_s;
        QTest::newRow("season, episode and title") << 1 << 2 << u"Pilot"_s << u"S1 \u00B7 E2  "_s + open + u"Pilot"_s + close;
        QTest::newRow("title only, trimmed") << 0 << 0 << u"  The Return \n"_s << open + u"The Return"_s + close;
        QTest::newRow("title that says Episode") << 2 << 0 << u"Episode 4"_s << u"S2"_s;
        QTest::newRow("title that says episode") << 0 << 7 << u"episode seven"_s << u"E7"_s;
        QTest::newRow("upper-case code in the title") << 1 << 2 << u"S01E02 Pilot"_s << u"S1 \u00B7 E2"_s;
        QTest::newRow("spaced code in the title") << 1 << 2 << u"S01 E02"_s << u"S1 \u00B7 E2"_s;
        QTest::newRow("lower-case code in the title") << 1 << 2 << u"s01e02 Pilot"_s
                                                      << u"S1 \u00B7 E2  "_s + open + u"s01e02 Pilot"_s + close;
        QTest::newRow("code later in the title") << 0 << 0 << u"Pilot S01E02"_s << open + u"Pilot S01E02"_s + close;
        QTest::newRow("season only") << 3 << 0 << QString() << u"S3"_s;
        QTest::newRow("nothing") << 0 << 0 << u"   "_s << QString();
        QTest::newRow("right-to-left title") << 1 << 1 << u"\u05D4\u05D4\u05EA\u05D7\u05DC\u05D4"_s
                                             << u"S1 \u00B7 E1  "_s + open + u"\u05D4\u05D4\u05EA\u05D7\u05DC\u05D4"_s + close;
    }

    void labelsAnEpisode()
    {
        QFETCH(int, season);
        QFETCH(int, episode);
        QFETCH(QString, title);
        QFETCH(QString, label);
        SeriesEpisode item;
        item.seasonNumber = season;
        item.episodeNumber = episode;
        item.title = title;
        QCOMPARE(EpisodeText::label(item), label);
    }

    void startsAChannel()
    {
        const Playlist playlist = startWithPlaylist();
        UserSettings::setValue(u"quillmere.liveFormat"_s, u"ts"_s);
        AppModel model(m_harness->store(), *m_playback);
        MediaItem channel = catalogueItem(CatalogueKind::Live, u"7"_s, u"News 24"_s);
        channel.plot = u"Headlines"_s;
        channel.containerExtension = u"ts"_s;
        const QList<MediaItem> channels{channel, catalogueItem(CatalogueKind::Live, u"8"_s)};
        bool recordedBeforeShown = false;
        connect(m_playback.get(), &PlaybackWindowController::targetChanged, this,
                [this, &recordedBeforeShown] { recordedBeforeShown = watched(u"7"_s); }, Qt::SingleShotConnection);

        model.play(channel, channels, true);

        QVERIFY(m_playback->target().has_value());
        const PlaybackTarget &target = *m_playback->target();
        QVERIFY(target.url.path().startsWith(u"/live/"_s));
        QVERIFY(target.url.path().endsWith(u"/7.ts"_s));
        // The player always opens live channels as HLS, whatever the addresses say.
        QCOMPARE(target.containerExtension, std::optional(u"m3u8"_s));
        QCOMPARE(target.title, u"News 24"_s);
        QCOMPARE(target.kind, CatalogueKind::Live);
        QCOMPARE(target.subtitle, std::nullopt);
        QCOMPARE(target.providerID, u"7"_s);
        QCOMPARE(target.streamID, std::optional(u"7"_s));
        QCOMPARE(target.epgCredentials, std::optional(m_harness->provider().credentials()));
        QCOMPARE(target.item, std::optional(channel));
        QCOMPARE(target.channels, channels);
        QCOMPARE(target.episode, std::nullopt);
        QVERIFY(target.episodes.isEmpty());
        QCOMPARE(target.favouriteProviderID, std::nullopt);
        QCOMPARE(target.catalogueStore.data(), &m_harness->store());
        QCOMPARE(target.playlistID, std::optional(playlist.id));
        QVERIFY(target.allowResume);
        QVERIFY(recordedBeforeShown);
        const QString lastChannelKey = u"quillmere.lastChannel."_s + QString::number(playlist.id);
        QCOMPARE(UserSettings::value(lastChannelKey), QVariant(u"7"_s));

        // Not remembered when the user said so, but still recorded.
        UserSettings::setValue(u"quillmere.rememberLastChannel"_s, false);
        model.play(catalogueItem(CatalogueKind::Live, u"8"_s), {}, false);
        QCOMPARE(m_playback->target()->providerID, u"8"_s);
        QVERIFY(!m_playback->target()->allowResume);
        QVERIFY(watched(u"8"_s));
        QCOMPARE(UserSettings::value(lastChannelKey), QVariant(u"7"_s));
    }

    void startsAFilmOrASeries_data()
    {
        QTest::addColumn<CatalogueKind>("kind");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QVariant>("genre");
        QTest::addColumn<QString>("subtitle");

        QTest::newRow("year and genre") << CatalogueKind::Movie << u"The Matrix (1999)"_s << QVariant(u"Drama"_s)
                                        << u"1999 \u00B7 Drama"_s;
        QTest::newRow("neither: empty, not none") << CatalogueKind::Movie << u"Heat"_s << QVariant() << QString();
        QTest::newRow("year only") << CatalogueKind::Movie << u"Alien (1979) 4K"_s << QVariant() << u"1979"_s;
        QTest::newRow("an empty genre counts") << CatalogueKind::Movie << u"Alien (1979)"_s << QVariant(QString())
                                               << u"1979 \u00B7 "_s;
        QTest::newRow("a series") << CatalogueKind::Series << u"Dark"_s << QVariant(u"Thriller"_s) << u"Thriller"_s;
    }

    void startsAFilmOrASeries()
    {
        QFETCH(CatalogueKind, kind);
        QFETCH(QString, title);
        QFETCH(QVariant, genre);
        QFETCH(QString, subtitle);
        startWithPlaylist();
        AppModel model(m_harness->store(), *m_playback);
        MediaItem played = catalogueItem(kind, u"42"_s, title);
        played.containerExtension = u"mp4"_s;
        if (genre.isValid())
            played.genre = genre.toString();

        model.play(played, {}, true);

        const PlaybackTarget &target = *m_playback->target();
        QVERIFY(target.url.path().endsWith(u"/42.mp4"_s));
        QCOMPARE(target.kind, kind);
        QCOMPARE(target.containerExtension, std::optional(u"mp4"_s));
        QCOMPARE(target.subtitle, std::optional(subtitle));
        QCOMPARE(target.streamID, std::optional(u"42"_s));
        QCOMPARE(target.epgCredentials, std::nullopt);
        QCOMPARE(target.item, std::optional(played));
        QVERIFY(!watched(u"42"_s));
    }

    void resumesOnlyWhenAskedAndAllowed_data()
    {
        QTest::addColumn<bool>("resume");
        QTest::addColumn<QVariant>("setting");
        QTest::addColumn<bool>("allowed");

        QTest::newRow("asked, no setting") << true << QVariant() << true;
        QTest::newRow("asked, allowed") << true << QVariant(true) << true;
        QTest::newRow("asked, turned off") << true << QVariant(false) << false;
        QTest::newRow("asked, setting not a Boolean") << true << QVariant(u"no"_s) << true;
        QTest::newRow("not asked") << false << QVariant(true) << false;
    }

    void resumesOnlyWhenAskedAndAllowed()
    {
        QFETCH(bool, resume);
        QFETCH(QVariant, setting);
        QFETCH(bool, allowed);
        startWithPlaylist();
        storeOrRemove(u"quillmere.resumePlayback"_s, setting);
        AppModel model(m_harness->store(), *m_playback);

        model.play(film(u"1"_s), {}, resume);
        QCOMPARE(m_playback->target()->allowResume, allowed);
        model.play(episode(u"s1"_s, 1, 1), catalogueItem(CatalogueKind::Series, u"s1"_s), {}, resume);
        QCOMPARE(m_playback->target()->allowResume, allowed);
    }

    void startsAnEpisode()
    {
        startWithPlaylist();
        AppModel model(m_harness->store(), *m_playback);
        const MediaItem series = catalogueItem(CatalogueKind::Series, u"s1"_s, u"Dark"_s);
        const QList<SeriesEpisode> episodes{episode(u"s1"_s, 1, 2), episode(u"s1"_s, 1, 3)};

        model.play(episodes.at(0), series, episodes, true);

        const PlaybackTarget &target = *m_playback->target();
        QVERIFY(target.url.path().startsWith(u"/series/"_s));
        QVERIFY(target.url.path().endsWith(u"/s1-102.mkv"_s));
        QCOMPARE(target.title, u"Dark"_s);
        QCOMPARE(target.kind, CatalogueKind::Series);
        QCOMPARE(target.containerExtension, std::optional(u"mkv"_s));
        QCOMPARE(target.subtitle, std::optional(u"S1 \u00B7 E2  \u2068Part 2\u2069"_s));
        QCOMPARE(target.providerID, u"s1-102"_s);
        // The favourite of an episode is its series'.
        QCOMPARE(target.favouriteProviderID, std::optional(u"s1"_s));
        QCOMPARE(target.item, std::optional(series));
        QCOMPARE(target.streamID, std::nullopt);
        QCOMPARE(target.epgCredentials, std::nullopt);
        QVERIFY(target.channels.isEmpty());
        QCOMPARE(target.episode, std::optional(episodes.at(0)));
        QCOMPARE(target.episodes, episodes);
    }

    void withoutALoginNothingStarts()
    {
        m_harness->start(); // no playlist at all
        AppModel model(m_harness->store(), *m_playback);
        model.play(catalogueItem(CatalogueKind::Live, u"7"_s), {}, true);
        model.play(episode(u"s1"_s, 1, 1), catalogueItem(CatalogueKind::Series, u"s1"_s), {}, true);

        QVERIFY(!m_playback->hasTarget());
        QCOMPARE(toastTexts(model), (QStringList{u"This title can't be played: the playlist login is unavailable."_s,
                                                 u"This episode can't be played: the playlist login is unavailable."_s}));
        QCOMPARE(model.toasts().constFirst().kind, ToastKind::Error);
        QVERIFY(!UserSettings::value(u"quillmere.lastChannel.0"_s).isValid());
    }

    void continuesAHistoryRow()
    {
        startWithPlaylist();
        AppModel model(m_harness->store(), *m_playback);
        const MediaItem series = catalogueItem(CatalogueKind::Series, u"s1"_s, u"Dark"_s);

        // A series without an episode opens its page.
        model.resume(historyRow(series));
        QCOMPARE(model.detail(), std::optional(series));
        QVERIFY(!m_playback->hasTarget());

        model.resume(historyRow(film(u"9"_s)));
        QCOMPARE(m_playback->target()->providerID, u"9"_s);
        QVERIFY(m_playback->target()->allowResume);

        // An episode plays once its series' episode list is there.
        const SeriesEpisode first = episode(u"s1"_s, 1, 1);
        model.resume(historyRow(series, first));
        QTRY_COMPARE(m_playback->target()->providerID, first.providerID);
        QVERIFY(m_playback->target()->episodes.size() > 1);
        QVERIFY(m_playback->target()->allowResume);

        // Without the list it still plays, with nothing after it.
        m_harness->provider().setFault(u"get_series_info"_s, FakeFault{503});
        const SeriesEpisode other = episode(u"s2"_s, 2, 1);
        model.resume(historyRow(catalogueItem(CatalogueKind::Series, u"s2"_s), other));
        QTRY_COMPARE(m_playback->target()->providerID, other.providerID);
        QCOMPARE(m_playback->target()->episodes, QList<SeriesEpisode>{other});
    }

    // The media engine does not know the working directory: a relative path becomes absolute.
    void theFileToPlayIsAnAbsoluteAddress()
    {
        const auto fileToPlay = [](const QString &path) {
            return LaunchArguments({u"quillmere"_s, u"--no-auto-refresh"_s, u"--play-file"_s, path}).playFile();
        };
        QCOMPARE(fileToPlay(u"clips/a film.mp4"_s), QUrl::fromLocalFile(QDir::current().absoluteFilePath(u"clips/a film.mp4"_s)));
        QCOMPARE(fileToPlay(u"/media/film.mkv"_s), QUrl::fromLocalFile(u"/media/film.mkv"_s));
        QCOMPARE(LaunchArguments({u"quillmere"_s, u"--play-file"_s}).playFile(), std::nullopt);
    }

private:
    // A store with one imported playlist, selected.
    Playlist startWithPlaylist()
    {
        const Playlist playlist = m_harness->startWithImportedPlaylist({5, 5, 5});
        m_harness->store().selectPlaylist(playlist.id);
        return playlist;
    }

    [[nodiscard]] bool watched(const QString &providerID) const
    {
        return !m_harness->rows(u"SELECT 1 FROM watch_progress WHERE content_provider_id = '"_s + providerID + u"'"_s)
                    .isEmpty();
    }

    std::unique_ptr<StoreHarness> m_harness;
    std::unique_ptr<PlaybackWindowController> m_playback;
};

QTEST_MAIN(AppModelTest)
#include "tst_appmodel.moc"
