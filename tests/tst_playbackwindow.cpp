#include "Catalogue/SqliteStatement.h"
#include "Playback/PlaybackWindowController.h"
#include "Playback/PlayerController.h"
#include "Store/CatalogueStore.h"
#include "support/FakeMediaEngine.h"
#include "support/StoreHarness.h"
#include "support/VirtualClock.h"

#include <QTest>

#include <sqlite3.h>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

PlaybackTarget film(const QString &title)
{
    PlaybackTarget target;
    target.url = QUrl(u"http://provider.test/movie/user/secret/"_s + title + u".mkv"_s);
    target.title = title;
    target.providerID = title;
    return target;
}

// The process-wide controller's behaviour on a fresh instance whose player runs on fake engines
// in virtual time.
struct Rig
{
    VirtualClock clock;
    QList<FakeMediaEngine *> engines;
    QObject surface;
    PlaybackWindowController windows{[this](const QUrl &url, QObject *parent) {
        auto *engine = new FakeMediaEngine;
        engines.append(engine);
        return new PlayerController(url, std::unique_ptr<MediaEngine>(engine), clock, parent);
    }};

    // Shows a target and plays it as the player view does, so that its stop needs the engine.
    void showAndPlay(const PlaybackTarget &target)
    {
        windows.show(target);
        PlayerController *player = windows.playerController();
        player->configure(target.url, windows.target()->resumePosition);
        player->videoSurfaceDidBecomeReady(&surface);
        player->start();
    }
    void confirmStop()
    {
        engines.constLast()->report(MediaEngine::Stopped);
        clock.advance(0ms);
    }
};

// Starts waiting for the previous stop; the flag turns true when the wait is over.
QCoro::Task<> waitForPreviousStop(PlaybackWindowController &windows, bool &done)
{
    co_await windows.waitForPreviousStop();
    done = true;
}

} // namespace

class PlaybackWindowTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void secondTitleStopsTheFirstAndReusesThePlayer()
    {
        Rig rig;
        rig.showAndPlay(film(u"first"_s));
        PlayerController *player = rig.windows.playerController();
        const QUuid firstID = rig.windows.target()->id;
        rig.windows.show(film(u"second"_s));
        rig.clock.advance(0ms);
        QCOMPARE(rig.windows.playerController(), player);
        QCOMPARE(rig.engines.size(), 1);
        QCOMPARE(rig.windows.target()->title, u"second"_s);
        QVERIFY(rig.windows.target()->id != firstID);
        QCOMPARE(rig.windows.pendingStopGeneration(), std::optional<quint64>(1));
        QCOMPARE(rig.engines[0]->stopRequests, 1);

        bool stopped = false;
        waitForPreviousStop(rig.windows, stopped);
        rig.clock.advance(4s);
        QVERIFY(!stopped);
        rig.confirmStop();
        QVERIFY(stopped);
        QCOMPARE(rig.windows.pendingStopGeneration(), std::nullopt);
    }

    void closeRecordsAStopEachTimeAndShowAfterCloseNone()
    {
        Rig rig;
        rig.windows.close();
        QVERIFY(!rig.windows.hasTarget());
        QCOMPARE(rig.windows.playerController(), nullptr);
        QCOMPARE(rig.windows.pendingStopGeneration(), std::nullopt);

        rig.showAndPlay(film(u"first"_s));
        rig.windows.close();
        rig.clock.advance(0ms);
        QVERIFY(!rig.windows.hasTarget());
        QCOMPARE(rig.windows.pendingStopGeneration(), std::optional<quint64>(1));
        rig.windows.close();
        QCOMPARE(rig.windows.pendingStopGeneration(), std::optional<quint64>(2));
        rig.windows.show(film(u"second"_s));
        QCOMPARE(rig.windows.pendingStopGeneration(), std::optional<quint64>(2));
        QCOMPARE(rig.engines[0]->stopRequests, 1);
    }

    void waitingWithNothingPendingReturnsAtOnce()
    {
        Rig rig;
        bool done = false;
        waitForPreviousStop(rig.windows, done);
        QVERIFY(done);
    }

    void stopRecordedDuringAWaitStaysPendingForTheNextWaiter()
    {
        Rig rig;
        rig.showAndPlay(film(u"first"_s));
        rig.windows.show(film(u"second"_s));
        rig.clock.advance(0ms);
        bool firstWaitDone = false;
        waitForPreviousStop(rig.windows, firstWaitDone);

        // The first stop is confirmed, and before its waiter resumes the next title plays and is
        // replaced in turn.
        rig.engines[0]->report(MediaEngine::Stopped);
        PlayerController *player = rig.windows.playerController();
        player->configure(rig.windows.target()->url, 0);
        player->start();
        rig.windows.show(film(u"third"_s));
        rig.clock.advance(0ms);
        QVERIFY(firstWaitDone);
        QCOMPARE(rig.engines[0]->stopRequests, 2);
        QCOMPARE(rig.windows.pendingStopGeneration(), std::optional<quint64>(2));

        bool secondWaitDone = false;
        waitForPreviousStop(rig.windows, secondWaitDone);
        rig.clock.advance(0ms);
        QVERIFY(!secondWaitDone);
        rig.confirmStop();
        QVERIFY(secondWaitDone);
        QCOMPARE(rig.windows.pendingStopGeneration(), std::nullopt);
    }

    void storeSuppliesThePlaylistAndTheResumePosition()
    {
        StoreHarness harness;
        const Playlist playlist = harness.startWithImportedPlaylist({1, 1, 1});
        CatalogueStore &store = harness.store();
        store.selectPlaylist(playlist.id);
        SqliteStatement saved = store.prepare(u"INSERT INTO watch_progress(playlist_id,content_provider_id,content_kind,"
                                              "position_seconds,duration_seconds) VALUES(?,?,'movie',600,5400)"_s);
        saved.bind(1, playlist.id);
        saved.bind(2, u"42"_s);
        QCOMPARE(saved.step(), SQLITE_DONE);

        Rig rig;
        PlaybackTarget target = film(u"42"_s);
        target.catalogueStore = &store;
        rig.windows.show(target);
        QCOMPARE(rig.windows.target()->playlistID, std::optional<qint64>(playlist.id));
        QCOMPARE(rig.windows.target()->resumePosition, 600.0);

        target.allowResume = false;
        rig.windows.show(target);
        QCOMPARE(rig.windows.target()->playlistID, std::optional<qint64>(playlist.id));
        QCOMPARE(rig.windows.target()->resumePosition, 0.0);
    }

    void localFileIsLabelledByItsNameAndNeverResumes_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("extension");
        QTest::addColumn<QString>("providerID");
        QTest::newRow("extension") << u"/media/Holiday 2024.final.mkv"_s << u"Holiday 2024.final"_s << u"mkv"_s
                                   << u"Holiday 2024.final.mkv"_s;
        QTest::newRow("none") << u"/media/recording"_s << u"recording"_s << QString() << u"recording"_s;
    }

    void localFileIsLabelledByItsNameAndNeverResumes()
    {
        QFETCH(QString, path);
        QFETCH(QString, title);
        QFETCH(QString, extension);
        QFETCH(QString, providerID);
        Rig rig;
        const QUrl url = QUrl::fromLocalFile(path);
        rig.windows.openFile(url);
        QVERIFY(rig.windows.hasTarget());
        const PlaybackTarget &target = *rig.windows.target();
        QCOMPARE(target.url, url);
        QCOMPARE(target.title, title);
        QCOMPARE(target.kind, CatalogueKind::Movie);
        QCOMPARE(target.containerExtension, std::optional<QString>(extension));
        QCOMPARE(target.subtitle, std::optional<QString>(u"Local media"_s));
        QCOMPARE(target.providerID, providerID);
        QVERIFY(target.allowResume);
        QCOMPARE(target.resumePosition, 0.0);
        QCOMPARE(target.playlistID, std::nullopt);
        QVERIFY(!target.catalogueStore);
        QVERIFY(!target.streamID && !target.epgCredentials && !target.item && !target.episode);
        QVERIFY(target.channels.isEmpty() && target.episodes.isEmpty());
        QCOMPARE(rig.engines.size(), 1);
    }
};

QTEST_GUILESS_MAIN(PlaybackWindowTest)
#include "tst_playbackwindow.moc"
