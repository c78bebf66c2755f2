#include "Store/CatalogueStore.h"
#include "Support/UserSettings.h"
#include "Views/Player/PlayerChannelPanelModel.h"
#include "Views/Player/PlayerChannels.h"
#include "Views/Player/PlayerHeader.h"
#include "Views/Player/PlayerProgramme.h"
#include "Views/Player/PlayerStatus.h"
#include "Views/Player/PlayerTransport.h"
#include "Views/Player/PlayerVolume.h"
#include "Views/Player/TracksMenuModel.h"
#include "support/CatalogueItems.h"
#include "support/PlayerRig.h"

#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <QWindow>

#include <initializer_list>
#include <memory>
#include <vector>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

Q_DECLARE_METATYPE(SeriesEpisode)

namespace {

MediaItem series()
{
    return catalogueItem(CatalogueKind::Series, u"900"_s, u"The Series"_s);
}

const QList<SeriesEpisode> episodes{episode(u"900"_s, 1, 1), episode(u"900"_s, 1, 2), episode(u"900"_s, 1, 3)};

// That many minutes from the virtual clock's start.
QDateTime minutesFromNoon(int minutes)
{
    return QDateTime(QDate(2026, 1, 1), QTime(12, 0), Qt::UTC).addSecs(minutes * 60);
}

// Spies on every signal that each of the objects declares itself.
std::vector<std::unique_ptr<QSignalSpy>> spyOnSignals(std::initializer_list<const QObject *> objects)
{
    std::vector<std::unique_ptr<QSignalSpy>> spies;
    for (const QObject *object : objects) {
        const QMetaObject *meta = object->metaObject();
        for (int index = meta->methodOffset(); index < meta->methodCount(); ++index) {
            if (meta->method(index).methodType() == QMetaMethod::Signal)
                spies.push_back(std::make_unique<QSignalSpy>(object, meta->method(index)));
        }
    }
    return spies;
}

// The signals that some spy heard, as "Class::signal".
QStringList heard(const std::vector<std::unique_ptr<QSignalSpy>> &spies)
{
    QStringList names;
    for (const std::unique_ptr<QSignalSpy> &spy : spies) {
        if (!spy->isEmpty())
            names.append(QString::fromLatin1(spy->signal()));
    }
    return names;
}

} // namespace

// One player screen's life on a fake engine in virtual time: the stop handshake with the screens
// before and after it, the watch position it saves, the move to the next episode, full screen,
// and the guide it reads for a live channel.
class PlayerViewModelTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void filmPositionIsSavedEveryFifteenSecondsEitherWay()
    {
        PlayerRig rig;
        rig.app().play(film(u"42"_s), {}, false);
        rig.settle();
        rig.play(5'400'000);
        const int revision = rig.store().libraryRevision();
        rig.at(14.9);
        QCOMPARE(rig.progressRows(), QStringList());
        rig.at(15);
        QCOMPARE(rig.progressRows(), QStringList{u"42|movie|15|5400"_s});
        rig.at(29);
        rig.at(30.4);
        QCOMPARE(rig.progressRows(), QStringList{u"42|movie|30|5400"_s});
        // A seek back of 20 seconds saves at once.
        rig.at(10);
        QCOMPARE(rig.progressRows(), QStringList{u"42|movie|10|5400"_s});
        QCOMPARE(rig.store().libraryRevision(), revision + 3);
        QCOMPARE(rig.screen()->lastPersisted(), 10.0);
    }

    void resumedFilmSavesAtItsFirstReportAndOffersStartOver()
    {
        PlayerRig rig;
        rig.store().saveWatchPosition(rig.playlistID(), u"42"_s, CatalogueKind::Movie, 600, 5400);
        rig.app().play(film(u"42"_s), {}, true);
        rig.settle();
        rig.play(5'400'000);
        PlayerViewModel &screen = *rig.screen();
        QCOMPARE(rig.engine().lastSeekMs, std::optional<qint64>(600'000));
        rig.at(600.4);
        QCOMPARE(rig.progressRows(), QStringList{u"42|movie|600|5400"_s});
        QVERIFY(screen.transport()->isStartOverVisible());
        rig.at(619.9);
        QVERIFY(screen.transport()->isStartOverVisible());
        rig.at(620);
        QVERIFY(!screen.transport()->isStartOverVisible());
        rig.at(610);
        QVERIFY(screen.transport()->isStartOverVisible());
        screen.startOver();
        QCOMPARE(rig.engine().lastSeekMs, std::optional<qint64>(0));
        rig.at(0);
        QVERIFY(!screen.transport()->isStartOverVisible());
    }

    void closingSavesRoundedValuesAndNoLengthAsNull()
    {
        PlayerRig rig;
        rig.app().play(film(u"7"_s), {}, false);
        rig.settle();
        rig.play(0, false);
        rig.at(0.4);
        QCOMPARE(rig.progressRows(), QStringList());
        QCOMPARE(rig.screen()->transport()->remainingTime(), 0.0);
        QVERIFY(!rig.screen()->transport()->isSeekable());
        rig.screen()->close();
        rig.settle();
        QCOMPARE(rig.progressRows(), QStringList{u"7|movie|0|NULL"_s});
        QVERIFY(!rig.windows().hasTarget());
        QCOMPARE(rig.windows().pendingStopGeneration(), std::optional<quint64>(2));
        QCOMPARE(rig.engine().stopRequests, 1);
    }

    void liveChannelsAndSwitchedOffHistoryWriteNothing()
    {
        PlayerRig rig;
        rig.app().play(channel(u"5"_s), {}, true);
        rig.settle();
        rig.play(0, false);
        rig.at(120);
        rig.screen()->close();
        QCOMPARE(rig.progressRows(), QStringList());

        UserSettings::setValue(u"quillmere.keepWatchHistory"_s, false);
        rig.app().play(film(u"42"_s), {}, false);
        rig.confirmStop();
        rig.play(5'400'000);
        rig.at(20);
        rig.at(40);
        QCOMPARE(rig.screen()->lastPersisted(), 0.0);
        rig.screen()->close();
        QCOMPARE(rig.progressRows(), QStringList());
        UserSettings::remove(u"quillmere.keepWatchHistory"_s);
    }

    void episodeEndMovesOnOnceAndNeverAfterAClose()
    {
        PlayerRig rig;
        rig.app().play(episodes.at(0), series(), episodes, false);
        rig.settle();
        rig.play(1'800'000);
        QCOMPARE(rig.screen()->transport()->nextEpisodeTip(), u"Play S1 \u00B7 E2  \u2068Part 2\u2069"_s);
        rig.at(1797);
        // The natural end: the position is saved and the next episode starts on a new screen.
        rig.engine().report(MediaEngine::Stopped);
        rig.settle();
        QCOMPARE(rig.windows().target()->episode, std::optional(episodes.at(1)));
        QCOMPARE(rig.progressRows(), QStringList{u"900-101|series|1797|1800"_s});
        PlayerViewModel *first = rig.retired().constFirst();
        QVERIFY(first->hasAdvanced());
        QVERIFY(first->hasLeft());
        QCOMPARE(rig.engine().openedURLs.size(), 2);

        // The replaced screen hears nothing more of the player.
        rig.engine().report(MediaEngine::Stopped);
        rig.settle();
        QCOMPARE(rig.windows().target()->episode, std::optional(episodes.at(1)));

        // Closed near its end, the second episode's stop never starts the third.
        rig.play(1'800'000);
        rig.at(1798);
        rig.screen()->close();
        rig.confirmStop();
        QVERIFY(!rig.windows().hasTarget());
        QCOMPARE(rig.player().state(), PlayerState::Stopped);
        QCOMPARE(rig.progressRows(), (QStringList{u"900-101|series|1797|1800"_s, u"900-102|series|1798|1800"_s}));
        QCOMPARE(rig.engine().openedURLs.size(), 2);
    }

    void episodeOfUnknownLengthMovesOnAtItsEnd()
    {
        PlayerRig rig;
        rig.app().play(episodes.at(0), series(), episodes, false);
        rig.settle();
        rig.play(0, false);
        rig.at(1290);
        rig.engine().report(MediaEngine::Stopped);
        rig.settle();
        QCOMPARE(rig.windows().target()->episode, std::optional(episodes.at(1)));
        QCOMPARE(rig.progressRows(), QStringList{u"900-101|series|1290|NULL"_s});
    }

    void endWithoutAFollowingEpisodeOnlySaves_data()
    {
        QTest::addColumn<SeriesEpisode>("playing");
        QTest::addColumn<bool>("autoPlay");
        QTest::newRow("last episode") << episodes.at(2) << true;
        QTest::newRow("episode missing from the list") << episode(u"900"_s, 1, 7) << true;
        QTest::newRow("automatic next episode off") << episodes.at(0) << false;
    }

    void endWithoutAFollowingEpisodeOnlySaves()
    {
        QFETCH(SeriesEpisode, playing);
        QFETCH(bool, autoPlay);
        PlayerRig rig;
        UserSettings::setValue(u"quillmere.autoPlayNextEpisode"_s, autoPlay);
        rig.app().play(playing, series(), episodes, false);
        rig.settle();
        const QUuid id = rig.windows().target()->id;
        rig.play(1'800'000);
        rig.at(1795);
        rig.engine().report(MediaEngine::Stopped);
        rig.settle();
        QCOMPARE(rig.windows().target()->id, id);
        QVERIFY(!rig.screen()->hasAdvanced());
        QCOMPARE(rig.screen()->transport()->hasNextEpisode(), !autoPlay);
        QCOMPARE(rig.progressRows(), QStringList{playing.providerID + u"|series|1795|1800"_s});
        UserSettings::remove(u"quillmere.autoPlayNextEpisode"_s);
    }

    void replacedScreenSavesItsOwnLastValuesAndLeavesThePlayerToItsSuccessor()
    {
        PlayerRig rig;
        rig.app().play(film(u"1"_s), {}, false);
        rig.settle();
        rig.play(5'400'000);
        rig.at(100);
        rig.at(110);
        rig.app().play(film(u"2"_s), {}, false);
        rig.settle();
        QCOMPARE(rig.progressRows(), QStringList{u"1|movie|110|5400"_s});
        // Only the showing of the new title stopped the old one.
        QCOMPARE(rig.windows().pendingStopGeneration(), std::optional<quint64>(1));
        QCOMPARE(rig.engine().stopRequests, 1);
        QCOMPARE(rig.engine().openedURLs.size(), 1);

        rig.confirmStop();
        QCOMPARE(rig.engine().openedURLs.size(), 2);
        QVERIFY(rig.engine().openedURLs.constLast().path().endsWith(u"/2.mp4"_s));
        QCOMPARE(rig.player().state(), PlayerState::Buffering);
        // The new title's first reports are its own: the old screen saves nothing more.
        rig.play(3'600'000);
        rig.at(20);
        QCOMPARE(rig.progressRows(), (QStringList{u"1|movie|110|5400"_s, u"2|movie|20|3600"_s}));
    }

    void titlesReplacedWhileTheStopRunsOpenNothing()
    {
        PlayerRig rig;
        const QList<MediaItem> channels{channel(u"1"_s), channel(u"2"_s), channel(u"3"_s), channel(u"4"_s)};
        rig.app().play(channels.at(0), channels, true);
        rig.settle();
        rig.play(0, false);
        for (int zap = 0; zap < 3; ++zap) {
            rig.screen()->zap(1);
            rig.settle();
        }
        QCOMPARE(rig.engine().openedURLs.size(), 1);
        rig.confirmStop();
        // Only the last title is opened, once, after the stop of the first.
        QCOMPARE(rig.engine().openedURLs.size(), 2);
        QVERIFY(rig.engine().openedURLs.constLast().path().endsWith(u"/4.m3u8"_s));
        QCOMPARE(rig.retired().size(), 3);
        for (const PlayerViewModel *screen : rig.retired())
            QVERIFY(screen->hasLeft());
        QCOMPARE(rig.engine().stopRequests, 1);
    }

    void fullScreenIsLeftByEscapeFirstAndByTheLastCloseOnly()
    {
        PlayerRig rig;
        QWindow window;
        window.resize(640, 360);
        window.show();
        const QList<MediaItem> channels{channel(u"1"_s), channel(u"2"_s)};
        rig.app().play(channels.at(0), channels, true);
        rig.settle();
        rig.screen()->setWindow(&window);
        rig.screen()->toggleFullScreen();
        QVERIFY(window.windowStates() & Qt::WindowFullScreen);
        QVERIFY(rig.screen()->header()->isFullScreen());
        QVERIFY(rig.windows().playerEnteredFullScreen());

        // Escape leaves full screen only; the player stays.
        QVERIFY(rig.screen()->handleKey(Qt::Key_Escape, QString()));
        QVERIFY(!(window.windowStates() & Qt::WindowFullScreen));
        QVERIFY(rig.windows().hasTarget());
        rig.screen()->handleKey(Qt::Key_F, u"F"_s);
        QVERIFY(window.windowStates() & Qt::WindowFullScreen);

        // A new channel keeps full screen, and its screen knows it is in full screen.
        rig.screen()->zap(1);
        rig.settle();
        rig.screen()->setWindow(&window);
        QVERIFY(window.windowStates() & Qt::WindowFullScreen);
        QVERIFY(rig.screen()->header()->isFullScreen());

        // Closing the player leaves the full screen that the player entered.
        rig.screen()->setWindow(nullptr);
        rig.screen()->close();
        QVERIFY(!(window.windowStates() & Qt::WindowFullScreen));
        QVERIFY(!rig.windows().playerEnteredFullScreen());
    }

    void loadingLineTellsOfTheRetryElseOfTheSecondsConnecting()
    {
        PlayerRig rig;
        const QList<MediaItem> channels{channel(u"1"_s), channel(u"2"_s)};
        rig.app().play(channels.at(0), channels, true);
        rig.settle();
        const PlayerStatus &status = *rig.screen()->status();
        QVERIFY(status.isLoading());
        QCOMPARE(status.loadingText(), QString());
        rig.clock().advance(4s);
        QCOMPARE(status.loadingText(), u"Connecting\u2026 4s"_s);
        QVERIFY(!status.isRetrying());

        // A failed attempt tells of its retry on the error card, then under the spinner.
        rig.engine().report(MediaEngine::Failed);
        rig.settle();
        QVERIFY(status.hasFailed());
        QVERIFY(!status.isLoading());
        QCOMPARE(status.errorText(), u"Retry 1 of 3 in 1s"_s);
        rig.clock().advance(1s);
        rig.confirmStop();
        QVERIFY(status.isLoading());
        QVERIFY(status.isRetrying());
        QCOMPARE(status.loadingText(), u"Trying an alternative live-stream format\u2026"_s);
        rig.play(0, false);
        QVERIFY(!status.isLoading());
        QVERIFY(!status.isRetrying());
    }

    void playersSecondChangesOnlyWhatDependsOnTheTime()
    {
        PlayerRig rig;
        rig.harness().addProgramme(rig.playlistID(), u"news.uk"_s, u"Evening News"_s, minutesFromNoon(-10),
                                   minutesFromNoon(20));
        const QList<MediaItem> channels{channel(u"1"_s, std::nullopt, u"news.uk"_s), channel(u"2"_s, std::nullopt, u"news.uk"_s)};
        rig.app().play(channels.at(0), channels, true);
        rig.settle();
        rig.play(0, false);
        PlayerViewModel &screen = *rig.screen();
        QTRY_VERIFY(screen.programme()->hasNow());
        // The provider's short guide has answered too.
        QTRY_COMPARE(screen.programme()->placeholder(), u"No programme information"_s);
        const double progress = screen.programme()->nowProgress();

        const std::vector<std::unique_ptr<QSignalSpy>> spies =
            spyOnSignals({&screen, screen.header(), screen.transport(), screen.status(), screen.volume(),
                          screen.programme(), screen.channels(), screen.tracksMenu()});
        // Twenty minutes left become nineteen, and the progress line moves on; nothing else changes.
        rig.clock().advance(1s);
        QCOMPARE(heard(spies), (QStringList{u"nowRemainingChanged()"_s, u"nowProgressChanged()"_s}));
        QVERIFY(screen.programme()->nowProgress() > progress);
    }

    void guideRowsComeFromThePlaylistThatPlaysTheChannel()
    {
        PlayerRig rig;
        const qint64 playing = rig.playlistID();
        const Playlist other = rig.harness().addProviderPlaylist(u"Other"_s);
        QVERIFY(rig.harness().waitUntilIdle(other.id));
        rig.harness().addProgramme(playing, u"news.uk"_s, u"Evening News"_s, minutesFromNoon(-10), minutesFromNoon(20));
        rig.harness().addProgramme(playing, u"news.uk"_s, u"Weather"_s, minutesFromNoon(20), minutesFromNoon(50));
        rig.harness().addProgramme(other.id, u"news.uk"_s, u"Elsewhere"_s, minutesFromNoon(-10), minutesFromNoon(50));
        const QList<MediaItem> channels{channel(u"1"_s, std::nullopt, u"news.uk"_s), channel(u"2"_s, std::nullopt, u"news.uk"_s)};
        rig.app().play(channels.at(0), channels, true);
        // The user turns to another playlist while the channel plays.
        rig.store().selectPlaylist(other.id);
        rig.settle();

        PlayerViewModel &screen = *rig.screen();
        QTRY_COMPARE(screen.programme()->nowTitle(), u"\u2068Evening News\u2069"_s);
        QCOMPARE(screen.programme()->nextTitle(), u"\u2068Weather\u2069"_s);
        QCOMPARE(screen.programme()->nowProgress(), 1.0 / 3.0);
        rig.clock().advance(60s);
        QTRY_COMPARE(screen.schedule().size(), 2);
        QCOMPARE(screen.programme()->nowTitle(), u"\u2068Evening News\u2069"_s);

        PlayerChannelPanelModel panel;
        panel.setPlayer(&screen);
        panel.open();
        panel.rowShown(1);
        const QModelIndex row = panel.index(1);
        QTRY_VERIFY(row.data(PlayerChannelPanelModel::HasProgrammeRole).toBool());
        QCOMPARE(row.data(PlayerChannelPanelModel::ProgrammeTitleRole).toString(), u"\u2068Evening News\u2069"_s);
        QCOMPARE(panel.index(0).data(PlayerChannelPanelModel::ProgrammeTitleRole).toString(), u"\u2068Evening News\u2069"_s);
    }
};

QTEST_MAIN(PlayerViewModelTest)
#include "tst_playerviewmodel.moc"
