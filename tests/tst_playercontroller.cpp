#include "Playback/PlayerController.h"
#include "Support/UserSettings.h"
#include "support/FakeMediaEngine.h"
#include "support/VirtualClock.h"

#include <QStandardPaths>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

using State = PlayerState;
using Track = MediaEngine::Track;

const QUrl filmURL(u"http://provider.test/movie/user/secret/42.mkv"_s);
const QUrl liveURL(u"http://provider.test/live/user/secret/7.m3u8"_s);
const QUrl liveFallback(u"http://provider.test/live/user/secret/7.ts"_s);

const QString openFailure = u"The stream could not be opened. Check your connection or refresh this playlist."_s;
const QString exhausted =
    u"Playback failed after three retries. Test the connection in Playlists, or try another channel."_s;
const QString streamEnded =
    u"The stream ended before usable media was available. Try another stream or check the connection."_s;

// A controller on a fake engine in virtual time, with a video surface stand-in.
struct Rig
{
    VirtualClock clock;
    FakeMediaEngine *engine = new FakeMediaEngine;
    PlayerController controller{filmURL, std::unique_ptr<MediaEngine>(engine), clock};
    QObject surface;
    QStringList retryMessages;

    Rig()
    {
        QObject::connect(&controller, &PlayerController::retryMessageChanged, &controller,
                         [this] { retryMessages.append(controller.retryMessage()); });
    }

    void begin(const QUrl &url, const QUrl &fallback = {}, double resume = 0)
    {
        controller.configure(url, resume, fallback);
        controller.videoSurfaceDidBecomeReady(&surface);
        controller.start();
    }
    void settle() { clock.advance(0ms); }
    void advance(std::chrono::milliseconds duration) { clock.advance(duration); }
    // Fails the current attempt the way an unreachable stream does.
    void failAttempt()
    {
        engine->report(MediaEngine::Failed);
        settle();
    }
    // Lets a pending retry count down and confirms the native stop it asks for.
    void runRetry(std::chrono::seconds delay)
    {
        advance(delay);
        if (engine->stopRequests > confirmedStops) {
            engine->report(MediaEngine::Stopped);
            confirmedStops = engine->stopRequests;
        }
        settle();
    }
    void play(qint64 lengthMs = 0)
    {
        engine->lengthMs = lengthMs;
        engine->playing = true;
        engine->report(MediaEngine::Playing);
    }
    // Begins a film that can seek and plays it.
    void playFilm(qint64 lengthMs)
    {
        begin(filmURL);
        engine->seekable = true;
        play(lengthMs);
    }
    int confirmedStops = 0;
};

} // namespace

class PlayerControllerTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void init()
    {
        for (const QString &key :
             {u"quillmere.volume"_s, u"quillmere.networkCachingMs"_s, u"quillmere.osdTimeoutSeconds"_s})
            UserSettings::remove(key);
    }

    void attemptOpensTheMediaWithItsOptions_data()
    {
        QTest::addColumn<QVariant>("storedCaching");
        QTest::addColumn<QString>("cachingOption");
        QTest::newRow("default") << QVariant() << u":network-caching=1500"_s;
        QTest::newRow("stored") << QVariant(3000) << u":network-caching=3000"_s;
        QTest::newRow("not an integer") << QVariant(u"fast"_s) << u":network-caching=1500"_s;
    }

    void attemptOpensTheMediaWithItsOptions()
    {
        QFETCH(QVariant, storedCaching);
        QFETCH(QString, cachingOption);
        if (storedCaching.isValid())
            UserSettings::setValue(u"quillmere.networkCachingMs"_s, storedCaching);
        Rig rig;
        rig.begin(filmURL);
        QCOMPARE(rig.engine->mediaURL, filmURL);
        QCOMPARE(rig.engine->mediaOptions.mid(0, 3),
                 QStringList({u":http-reconnect=true"_s, cachingOption, u":file-caching=1500"_s}));
        QCOMPARE(rig.engine->playRequests, 1);
        QCOMPARE(rig.controller.state(), State::Buffering);
        QVERIFY(rig.controller.controlsVisible());
    }

    // Live pictures are decoded on one thread; a film's decoder drops damaged pictures, and only
    // a file served over HTTP is read by FFmpeg's demuxer (an HLS playlist keeps libVLC's own).
    void decodingAndDemuxingFollowTheTitle_data()
    {
        QTest::addColumn<QUrl>("url");
        QTest::addColumn<QUrl>("fallback");
        QTest::addColumn<QStringList>("options");
        const QStringList wholePictures{u":no-avcodec-corrupted"_s, u":avcodec-options={flags=-output_corrupt}"_s};
        const QString ffmpeg = u":demux=mp4,mkv,avformat,any"_s;
        QTest::newRow("live") << liveURL << liveFallback << QStringList{u":avcodec-threads=1"_s};
        QTest::newRow("provider's film") << filmURL << QUrl() << wholePictures + QStringList{ffmpeg};
        QTest::newRow("HLS film") << QUrl(u"http://provider.test/movie/user/secret/42.m3u8"_s) << QUrl()
                                  << wholePictures;
        QTest::newRow("HLS episode in capitals")
            << QUrl(u"http://provider.test/series/user/secret/9.M3U8"_s) << QUrl() << wholePictures;
        QTest::newRow("local file") << QUrl::fromLocalFile(u"/films/holiday.ts"_s) << QUrl()
                                    << wholePictures;
    }

    void decodingAndDemuxingFollowTheTitle()
    {
        QFETCH(QUrl, url);
        QFETCH(QUrl, fallback);
        QFETCH(QStringList, options);
        Rig rig;
        rig.begin(url, fallback);
        QCOMPARE(rig.engine->mediaOptions.mid(3), options);
    }

    void failuresRetryWithGrowingDelaysThenGiveUp()
    {
        Rig rig;
        rig.begin(filmURL);
        rig.failAttempt();
        QCOMPARE(rig.controller.errorMessage(), openFailure);
        QCOMPARE(rig.controller.state(), State::Error);
        QCOMPARE(rig.controller.retryMessage(), u"Retry 1 of 3 in 1s"_s);
        rig.advance(999ms);
        QCOMPARE(rig.engine->openedURLs.size(), 1);
        rig.runRetry(1s);
        QCOMPARE(rig.engine->openedURLs.size(), 2);
        // The failed attempt's native player is stopped and confirmed before it is reused.
        QCOMPARE(rig.engine->stopRequests, 1);
        QCOMPARE(rig.controller.state(), State::Buffering);
        QVERIFY(rig.controller.errorMessage().isEmpty());

        rig.failAttempt();
        rig.runRetry(2s);
        rig.failAttempt();
        rig.runRetry(4s);
        QCOMPARE(rig.engine->openedURLs.size(), 4);
        rig.failAttempt();
        QCOMPARE(rig.controller.errorMessage(), exhausted);
        rig.runRetry(60s);
        QCOMPARE(rig.engine->openedURLs.size(), 4);
        QCOMPARE(rig.retryMessages,
                 QStringList({u"Retry 1 of 3 in 1s"_s, u"Reconnecting…"_s, u"Retry 2 of 3 in 2s"_s,
                              u"Retry 2 of 3 in 1s"_s, u"Reconnecting…"_s, u"Retry 3 of 3 in 4s"_s,
                              u"Retry 3 of 3 in 3s"_s, u"Retry 3 of 3 in 2s"_s, u"Retry 3 of 3 in 1s"_s,
                              u"Reconnecting…"_s, QString()}));

        // "Try again" begins a new run at once, which has used one retry.
        rig.controller.retryNow();
        rig.runRetry(0s);
        QCOMPARE(rig.engine->openedURLs.size(), 5);
        rig.failAttempt();
        QCOMPARE(rig.controller.retryMessage(), u"Retry 2 of 3 in 2s"_s);
    }

    // A media object that cannot be made is an error without a sentence, retried like a failure.
    void mediaThatCannotBeMadeIsRetried()
    {
        Rig rig;
        rig.engine->canMakeMedia = false;
        rig.begin(filmURL);
        rig.settle();
        QCOMPARE(rig.controller.state(), State::Error);
        QVERIFY(rig.controller.errorMessage().isEmpty());
        QCOMPARE(rig.controller.retryMessage(), u"Retry 1 of 3 in 1s"_s);
        rig.engine->canMakeMedia = true;
        rig.runRetry(1s);
        QCOMPARE(rig.engine->openedURLs, QList<QUrl>{filmURL});
        QCOMPARE(rig.controller.state(), State::Buffering);
    }

    void startInErrorRetriesAtOnce()
    {
        Rig rig;
        rig.begin(filmURL);
        rig.failAttempt();
        rig.controller.start();
        rig.runRetry(0s);
        QCOMPARE(rig.engine->openedURLs.size(), 2);
        QCOMPARE(rig.retryMessages, QStringList({u"Retry 1 of 3 in 1s"_s, u"Reconnecting…"_s}));
    }

    void liveStreamTriesTheOtherContainerOnce()
    {
        Rig rig;
        rig.begin(liveURL, liveFallback);
        rig.failAttempt();
        rig.runRetry(1s);
        QCOMPARE(rig.engine->mediaURL, liveFallback);
        QCOMPARE(rig.controller.retryMessage(), u"Trying an alternative live-stream format…"_s);
        rig.failAttempt();
        rig.runRetry(2s);
        QCOMPARE(rig.engine->openedURLs, QList<QUrl>({liveURL, liveFallback, liveFallback}));
        QCOMPARE(rig.controller.retryMessage(), u"Reconnecting…"_s);
        rig.play();
        QVERIFY(rig.controller.retryMessage().isEmpty());
        QCOMPARE(rig.controller.state(), State::Playing);
    }

    void liveFallbackSwapsTheContainer_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("fallback");
        QTest::newRow("m3u8") << u"http://h.test/live/u/p/7.m3u8"_s << u"http://h.test/live/u/p/7.ts"_s;
        QTest::newRow("ts") << u"http://h.test/live/u/p/7.ts"_s << u"http://h.test/live/u/p/7.m3u8"_s;
        QTest::newRow("other") << u"http://h.test/live/u/p/7.mp4"_s << u"http://h.test/live/u/p/7.m3u8"_s;
        QTest::newRow("none") << u"http://h.test/live/u/p/7"_s << u"http://h.test/live/u/p/7.m3u8"_s;
        QTest::newRow("query kept") << u"http://h.test/play/7.ts?token=a"_s << u"http://h.test/play/7.m3u8?token=a"_s;
        QTest::newRow("escaped login") << u"http://h.test/live/u%20s/p%2F%3F%25/7.ts"_s
                                       << u"http://h.test/live/u%20s/p%2F%3F%25/7.m3u8"_s;
    }

    void liveFallbackSwapsTheContainer()
    {
        QFETCH(QString, address);
        QFETCH(QString, fallback);
        const QUrl swapped = PlayerController::liveFallbackURL(QUrl(address));
        QCOMPARE(swapped.toString(QUrl::FullyEncoded), fallback);
    }

    void endOfMediaStopsAFilmButRetriesALiveStream()
    {
        Rig film;
        film.begin(filmURL);
        film.play(1'800'000);
        film.engine->report(MediaEngine::Stopped);
        film.runRetry(10s);
        QCOMPARE(film.controller.state(), State::Stopped);
        QVERIFY(film.controller.errorMessage().isEmpty());
        QCOMPARE(film.engine->openedURLs.size(), 1);
        // The end also confirmed the native stop: stopping now needs no native request.
        const Job<> stop = film.controller.stop();
        film.settle();
        QVERIFY(stop.isFinished());
        QCOMPARE(film.engine->stopRequests, 0);

        // A film whose length never became known ends as well once it has played.
        Rig unmeasured;
        unmeasured.begin(filmURL);
        unmeasured.play();
        unmeasured.engine->reportTime(3'000);
        unmeasured.engine->report(MediaEngine::Stopped);
        unmeasured.runRetry(10s);
        QCOMPARE(unmeasured.controller.state(), State::Stopped);
        QVERIFY(unmeasured.controller.errorMessage().isEmpty());
        QCOMPARE(unmeasured.engine->openedURLs.size(), 1);

        // One that ends before it showed anything is retried.
        Rig empty;
        empty.begin(filmURL);
        empty.play();
        empty.engine->report(MediaEngine::Stopped);
        empty.settle();
        QCOMPARE(empty.controller.errorMessage(), streamEnded);
        QCOMPARE(empty.controller.retryMessage(), u"Retry 1 of 3 in 1s"_s);

        Rig live;
        live.begin(liveURL, liveFallback);
        live.play();
        live.engine->report(MediaEngine::Stopped);
        live.settle();
        QCOMPARE(live.controller.errorMessage(), streamEnded);
        QCOMPARE(live.controller.retryMessage(), u"Retry 1 of 3 in 1s"_s);
    }

    // The native player's input ends with the film and seeks no more: a seek after the end opens
    // the film again and plays it from there.
    void aSeekAfterTheEndPlaysFromThere()
    {
        Rig rig;
        rig.playFilm(1'800'000);
        rig.engine->reportTime(1'799'000);
        rig.engine->report(MediaEngine::Stopped);
        rig.settle();
        QCOMPARE(rig.controller.state(), State::Stopped);

        rig.controller.seekTo(450);
        QCOMPARE(rig.controller.currentTime(), 450.0);
        QCOMPARE(rig.engine->openedURLs.size(), 2);
        QCOMPARE(rig.engine->mediaOptions.constLast(), u":start-time=450"_s);
        QCOMPARE(rig.controller.state(), State::Buffering);
        rig.play(1'800'000);
        QCOMPARE(rig.controller.state(), State::Playing);
    }

    // An end before a picture from where a seek landed was shown means nothing after it could be
    // shown (a transport stream past its last key frame): the film opens again ever
    // further before the target until the rest plays out.
    void aSeekPastTheLastWholePictureOpensTheFilmBeforeIt()
    {
        Rig rig;
        rig.playFilm(60'000);
        rig.controller.seekTo(59);
        rig.engine->reportTime(59'100);
        rig.engine->report(MediaEngine::Stopped);
        rig.settle();
        QCOMPARE(rig.controller.state(), State::Buffering);
        QCOMPARE(rig.engine->openedURLs.size(), 2);
        QCOMPARE(rig.engine->mediaOptions.constLast(), u":start-time=57"_s);
        rig.play(60'000);
        // A few pictures from before the seek still on their way show nothing of the landing.
        rig.engine->shownPictures += 2;
        rig.engine->report(MediaEngine::Stopped);
        rig.settle();
        QCOMPARE(rig.engine->mediaOptions.constLast(), u":start-time=55"_s);
        QCOMPARE(rig.engine->openedURLs.size(), 3);
        // This time the rest played out: the end is the film's.
        rig.play(60'000);
        rig.engine->reportTime(55'100);
        rig.engine->shownPictures += 25;
        rig.engine->report(MediaEngine::Stopped);
        rig.settle();
        QCOMPARE(rig.controller.state(), State::Stopped);
        QCOMPARE(rig.engine->openedURLs.size(), 3);

        // Opened ever further before the target, but never more than 16 seconds: the film ends there.
        Rig nothingShown;
        nothingShown.playFilm(60'000);
        nothingShown.controller.seekTo(59);
        QStringList starts;
        for (int end = 0; end < 4; ++end) {
            nothingShown.engine->report(MediaEngine::Stopped);
            nothingShown.settle();
            starts.append(nothingShown.engine->mediaOptions.constLast());
            nothingShown.play(60'000);
        }
        QCOMPARE(starts, (QStringList{u":start-time=57"_s, u":start-time=55"_s, u":start-time=51"_s,
                                      u":start-time=43"_s}));
        nothingShown.engine->report(MediaEngine::Stopped);
        nothingShown.settle();
        QCOMPARE(nothingShown.controller.state(), State::Stopped);
        QCOMPARE(nothingShown.engine->openedURLs.size(), 5);
    }

    void reservedStatesChangeNothing()
    {
        Rig rig;
        rig.begin(filmURL);
        rig.play();
        for (const int raw : {0, 5}) {
            rig.engine->report(raw);
            QCOMPARE(rig.controller.state(), State::Playing);
        }
        rig.engine->report(9);
        QCOMPARE(rig.controller.state(), State::Error);
        QVERIFY(rig.controller.errorMessage().isEmpty());
        rig.settle();
        QCOMPARE(rig.controller.retryMessage(), u"Retry 1 of 3 in 1s"_s);
    }

    void bufferingReportsMoveBetweenBufferingAndPlaying()
    {
        Rig rig;
        rig.begin(filmURL);
        rig.engine->reportBuffering(0.4);
        QCOMPARE(rig.controller.state(), State::Buffering);
        rig.engine->playing = true;
        rig.engine->reportBuffering(1.0);
        QCOMPARE(rig.controller.state(), State::Playing);
        rig.engine->report(MediaEngine::Paused);
        rig.engine->reportBuffering(1.0);
        QCOMPARE(rig.controller.state(), State::Paused);
    }

    void streamWithoutProgressFailsAfterTwentyFiveSeconds()
    {
        Rig rig;
        rig.begin(liveURL, liveFallback);
        rig.advance(25s);
        QCOMPARE(rig.controller.state(), State::Buffering);
        QCOMPARE(rig.controller.elapsedSeconds(), 25);
        rig.advance(1s);
        QCOMPARE(rig.controller.state(), State::Error);
        QCOMPARE(rig.controller.errorMessage(),
                 u"No playback progress for 25 seconds. The stream may be offline or the connection has stalled."_s);
        QCOMPARE(rig.controller.retryMessage(), u"Retry 1 of 3 in 1s"_s);

        // A playing stream whose position stops moving fails the same way.
        rig.runRetry(1s);
        rig.play();
        rig.engine->reportTime(1000);
        rig.advance(25s);
        QCOMPARE(rig.controller.state(), State::Playing);
        rig.advance(1s);
        QCOMPARE(rig.controller.state(), State::Error);
    }

    void aPauseRightBehindAResumeShowsAtOnce()
    {
        // libVLC merges a pause asked for before it carried out a resume into the last request and
        // then reports nothing: the title stays paused, and so must its controls.
        Rig rig;
        rig.begin(filmURL);
        rig.play(1'800'000);
        rig.engine->report(MediaEngine::Paused);
        rig.controller.start();
        rig.controller.pause();
        QCOMPARE(rig.controller.state(), State::Paused);
        QCOMPARE(rig.engine->pauseRequests, 1);
    }

    void pauseNeverCountsAsAStall()
    {
        Rig rig;
        rig.begin(filmURL);
        rig.play(1'800'000);
        rig.engine->report(MediaEngine::Paused);
        rig.advance(10min);
        QCOMPARE(rig.controller.state(), State::Paused);
        QVERIFY(rig.controller.errorMessage().isEmpty());
    }

    void longHealthyPlaybackEarnsFreshRetries_data()
    {
        QTest::addColumn<int>("healthySeconds");
        QTest::addColumn<QString>("nextRetry");
        QTest::newRow("ten minutes") << 600 << u"Retry 1 of 3 in 1s"_s;
        QTest::newRow("half a minute") << 30 << u"Retry 3 of 3 in 4s"_s;
    }

    void longHealthyPlaybackEarnsFreshRetries()
    {
        QFETCH(int, healthySeconds);
        QFETCH(QString, nextRetry);
        Rig rig;
        rig.begin(liveURL, liveFallback);
        rig.failAttempt();
        rig.runRetry(1s);
        rig.failAttempt();
        rig.runRetry(2s);
        rig.play();
        for (int second = 1; second <= healthySeconds; ++second) {
            rig.engine->reportTime(second * 1000);
            rig.advance(1s);
        }
        rig.failAttempt();
        QCOMPARE(rig.controller.retryMessage(), nextRetry);
    }

    void stopBeforeAnyAttemptNeedsNoNativeStop()
    {
        Rig rig;
        rig.controller.configure(filmURL, 0);
        const Job<> stop = rig.controller.stop();
        rig.settle();
        QVERIFY(stop.isFinished());
        QCOMPARE(rig.controller.state(), State::Stopped);
        QCOMPARE(rig.engine->stopRequests, 0);
    }

    void stopWaitsForTheNativeConfirmation()
    {
        Rig rig;
        rig.begin(filmURL);
        rig.play(1'800'000);
        rig.engine->reportTime(60'000);
        const Job<> stop = rig.controller.stop();
        QCOMPARE(rig.controller.stop(), stop);
        rig.settle();
        QCOMPARE(rig.engine->stopRequests, 1);
        // While the stop is awaited, reports and play requests are ignored.
        rig.engine->reportTime(61'000);
        rig.engine->reportLength(5000);
        rig.engine->report(MediaEngine::Failed);
        rig.controller.start();
        rig.advance(4s);
        QVERIFY(!stop.isFinished());
        QCOMPARE(rig.controller.currentTime(), 60.0);
        QCOMPARE(rig.controller.totalTime(), 1800.0);
        QCOMPARE(rig.engine->openedURLs.size(), 1);

        rig.engine->report(MediaEngine::Stopped);
        rig.settle();
        QVERIFY(stop.isFinished());
        QCOMPARE(rig.controller.state(), State::Stopped);
        QVERIFY(rig.controller.errorMessage().isEmpty());
    }

    void unconfirmedStopBlocksTheNextTitleUntilItIsConfirmed()
    {
        Rig rig;
        rig.begin(filmURL);
        rig.play(1'800'000);
        const Job<> stop = rig.controller.stop();
        rig.advance(4999ms);
        QVERIFY(!stop.isFinished());
        rig.advance(1ms);
        QVERIFY(stop.isFinished());
        QCOMPARE(rig.controller.state(), State::Error);
        QCOMPARE(rig.controller.errorMessage(),
                 u"The player did not finish stopping. Playback has been closed safely."_s);

        rig.controller.configure(liveURL, 0, liveFallback);
        QCOMPARE(rig.controller.errorMessage(),
                 u"The previous player is still stopping. Close playback and try again shortly."_s);
        QCOMPARE(rig.controller.url(), filmURL);

        // A late confirmation lets the next title through.
        rig.engine->report(MediaEngine::Stopped);
        rig.controller.configure(liveURL, 0, liveFallback);
        QCOMPARE(rig.controller.url(), liveURL);
        QCOMPARE(rig.controller.state(), State::Initialized);
        QVERIFY(rig.controller.errorMessage().isEmpty());
        rig.controller.start();
        QCOMPARE(rig.engine->mediaURL, liveURL);
    }

    void retryThatWaitsInVainForTheStopGivesUp()
    {
        Rig rig;
        rig.begin(filmURL);
        rig.failAttempt();
        rig.advance(1s);
        QCOMPARE(rig.engine->stopRequests, 1);
        rig.advance(5s);
        QCOMPARE(rig.controller.errorMessage(),
                 u"The player is still stopping. Close playback and try again shortly."_s);
        QVERIFY(rig.controller.retryMessage().isEmpty());
        QCOMPARE(rig.engine->openedURLs.size(), 1);
    }

    void retryAndStopShareOneNativeStop()
    {
        Rig rig;
        rig.begin(filmURL);
        rig.failAttempt();
        rig.advance(1s);
        QCOMPARE(rig.engine->stopRequests, 1);
        const Job<> stop = rig.controller.stop();
        QCOMPARE(rig.engine->stopRequests, 1);
        rig.engine->report(MediaEngine::Stopped);
        rig.settle();
        QVERIFY(stop.isFinished());
        QCOMPARE(rig.controller.state(), State::Stopped);
        // The cancelled retry begins no attempt.
        rig.advance(10s);
        QCOMPARE(rig.engine->openedURLs.size(), 1);
    }

    void startIsIgnoredWhilePreparingOrPlaying()
    {
        Rig rig;
        rig.begin(filmURL);
        rig.controller.start();
        QCOMPARE(rig.engine->openedURLs.size(), 1);
        rig.play();
        rig.controller.start();
        QCOMPARE(rig.engine->openedURLs.size(), 1);
        QCOMPARE(rig.engine->playRequests, 1);
    }

    void startWaitsForAVideoSurface()
    {
        Rig rig;
        rig.controller.configure(filmURL, 0);
        rig.controller.start();
        QCOMPARE(rig.controller.state(), State::Buffering);
        QVERIFY(rig.controller.controlsVisible());
        QVERIFY(rig.engine->openedURLs.isEmpty());
        rig.controller.videoSurfaceDidBecomeReady(&rig.surface);
        QCOMPARE(rig.engine->openedURLs.size(), 1);

        // A surface rebuilt while playing takes over the picture and begins no new attempt.
        rig.play();
        rig.controller.videoSurfaceDidDetach(&rig.surface);
        QObject rebuilt;
        rig.controller.videoSurfaceDidBecomeReady(&rebuilt);
        QCOMPARE(rig.engine->openedURLs.size(), 1);
        QCOMPARE(rig.controller.state(), State::Playing);
    }

    void startResumesFromPauseWithoutANewAttempt()
    {
        Rig rig;
        rig.begin(filmURL);
        rig.play(1'800'000);
        rig.engine->report(MediaEngine::Paused);
        rig.controller.start();
        QCOMPARE(rig.controller.state(), State::Playing);
        QCOMPARE(rig.engine->playRequests, 2);
        QCOMPARE(rig.engine->openedURLs.size(), 1);
    }

    void resumePositionIsAppliedOnceTheMediaCanSeek_data()
    {
        QTest::addColumn<double>("resume");
        QTest::addColumn<std::optional<qint64>>("seekMs");
        QTest::newRow("beyond the end") << 3600.0 << std::optional<qint64>(1'798'000);
        QTest::newRow("inside") << 95.5 << std::optional<qint64>(95'500);
        QTest::newRow("none") << 0.0 << std::optional<qint64>();
    }

    void resumePositionIsAppliedOnceTheMediaCanSeek()
    {
        QFETCH(double, resume);
        QFETCH(std::optional<qint64>, seekMs);
        Rig rig;
        rig.begin(filmURL, {}, resume);
        rig.play(1'800'000);
        QCOMPARE(rig.engine->lastSeekMs, std::optional<qint64>());
        rig.engine->seekable = true;
        rig.engine->reportTime(0);
        QCOMPARE(rig.engine->lastSeekMs, seekMs);
        rig.engine->lastSeekMs.reset();
        rig.engine->reportTime(500);
        QCOMPARE(rig.engine->lastSeekMs, std::optional<qint64>());
    }

    void seekingStaysInsideTheMediaAndQuickSkipsAddUp()
    {
        Rig rig;
        rig.playFilm(1'800'000);
        rig.engine->reportTime(10'000);
        rig.controller.seekBy(-30);
        QCOMPARE(rig.engine->lastSeekMs, std::optional<qint64>(0));
        rig.engine->reportTime(1'790'000);
        rig.controller.seekBy(30);
        QCOMPARE(rig.engine->lastSeekMs, std::optional<qint64>(1'800'000));

        // Paused, the native player reports no time: each skip shows at once and starts from the
        // one before.
        rig.engine->reportTime(40'700);
        rig.engine->report(MediaEngine::Paused);
        rig.controller.seekBy(-10);
        QCOMPARE(rig.controller.currentTime(), 30.7);
        rig.controller.seekBy(-10);
        QCOMPARE(rig.controller.currentTime(), 20.7);
        QCOMPARE(rig.engine->lastSeekMs, std::optional<qint64>(20'700));
        // Playing, two quick skips before the next report move twice as far, even when a report
        // the native player made before it took the first one up comes in between.
        rig.controller.start();
        rig.controller.seekBy(10);
        rig.engine->reportStaleTime(21'200);
        QCOMPARE(rig.controller.currentTime(), 30.7);
        rig.controller.seekBy(10);
        QCOMPARE(rig.engine->lastSeekMs, std::optional<qint64>(40'700));
        QCOMPARE(rig.controller.currentTime(), 40.7);
        // Once the native player has taken the seeks up, its reports count again.
        rig.engine->reportTime(40'900);
        QCOMPARE(rig.controller.currentTime(), 40.9);
        // A seek it never takes up was refused: its reports are followed again after ten seconds.
        rig.controller.seekBy(10);
        rig.advance(9s);
        rig.engine->reportStaleTime(41'400);
        QCOMPARE(rig.controller.currentTime(), 50.9);
        rig.advance(1s);
        rig.engine->reportStaleTime(51'400);
        QCOMPARE(rig.controller.currentTime(), 51.4);

        Rig live;
        live.begin(liveURL, liveFallback);
        live.engine->seekable = true;
        live.play();
        live.controller.seekTo(20);
        QCOMPARE(live.engine->lastSeekMs, std::optional<qint64>());
    }

    void volumeIsScaledClampedAndRemembered_data()
    {
        QTest::addColumn<double>("volume");
        QTest::addColumn<bool>("mutedBefore");
        QTest::addColumn<int>("nativeVolume");
        QTest::addColumn<bool>("mutedAfter");
        QTest::newRow("above unity") << 1.5 << false << 150 << false;
        // A volume step in single precision lands just below its percent.
        QTest::newRow("just below a percent") << double(1.5f - 0.1f) << false << 140 << false;
        QTest::newRow("beyond the native range") << 2.5 << false << 200 << false;
        QTest::newRow("negative") << -1.0 << false << 0 << false;
        QTest::newRow("raising unmutes") << 0.5 << true << 50 << false;
        QTest::newRow("zero stays muted") << 0.0 << true << 0 << true;
    }

    void volumeIsScaledClampedAndRemembered()
    {
        QFETCH(double, volume);
        QFETCH(bool, mutedBefore);
        QFETCH(int, nativeVolume);
        QFETCH(bool, mutedAfter);
        Rig rig;
        rig.engine->muted = mutedBefore;
        rig.controller.setVolume(volume);
        QCOMPARE(rig.engine->volumePercent, nativeVolume);
        QCOMPARE(rig.engine->muted, mutedAfter);
        QCOMPARE(UserSettings::value(u"quillmere.volume"_s).toDouble(), volume);
    }

    void storedVolumeIsRestoredAtEachAttempt()
    {
        Rig untouched;
        untouched.engine->volumePercent = 64;
        untouched.begin(filmURL);
        QCOMPARE(untouched.engine->volumePercent, 64);

        UserSettings::setValue(u"quillmere.volume"_s, 0.8);
        Rig restored;
        restored.begin(filmURL);
        QCOMPARE(restored.engine->volumePercent, 80);
    }

    void tracksAreListedAndSelected()
    {
        Rig rig;
        rig.engine->audio = {{u"1"_s, u"Stereo"_s, u"en"_s, true}, {u"2"_s, u"Commentary"_s, std::nullopt, false}};
        rig.engine->text = {{u"3"_s, u"   "_s, u"fr"_s, false}, {u"4"_s, u" English "_s, u"en"_s, true}};
        rig.begin(filmURL);
        rig.play();

        const QList<PlayerTrack> subtitles = rig.controller.subtitleTracks();
        QCOMPARE(subtitles.size(), 2);
        QCOMPARE(subtitles[0].description, u"Subtitles"_s);
        QCOMPARE(subtitles[0].languageCode, std::optional<QString>(u"fr"_s));
        QCOMPARE(subtitles[1].description, u" English "_s);
        QCOMPARE(subtitles[1].kind, PlayerTrackKind::Subtitles);
        QCOMPARE(rig.controller.currentSubtitleID(), std::optional<QString>(u"4"_s));

        const int revision = rig.controller.trackRevision();
        rig.controller.selectSubtitle(std::nullopt);
        QCOMPARE(rig.controller.currentSubtitleID(), std::optional<QString>());
        rig.controller.selectSubtitle(u"3"_s);
        QCOMPARE(rig.controller.currentSubtitleID(), std::optional<QString>(u"3"_s));
        rig.controller.selectAudio(u"2"_s);
        QVERIFY(rig.controller.audioTracks().at(1).isSelected);
        // An id not in the list selects nothing but still asks the view to re-read the lists.
        rig.controller.selectAudio(u"99"_s);
        QVERIFY(rig.controller.audioTracks().at(1).isSelected);
        QCOMPARE(rig.controller.trackRevision(), revision + 4);
    }

    void controlsHideAfterTheConfiguredDelayWhilePlaying()
    {
        UserSettings::setValue(u"quillmere.osdTimeoutSeconds"_s, 2);
        Rig rig;
        rig.begin(filmURL);
        rig.play(1'800'000);
        rig.advance(1999ms);
        QVERIFY(rig.controller.controlsVisible());
        rig.advance(1ms);
        QVERIFY(!rig.controller.controlsVisible());

        // Paused, the controls stay up.
        rig.controller.showControls(true);
        rig.engine->report(MediaEngine::Paused);
        rig.advance(10s);
        QVERIFY(rig.controller.controlsVisible());

        // A state change away from playing before the delay keeps them up.
        rig.controller.start();
        rig.advance(1s);
        rig.engine->report(MediaEngine::Buffering);
        rig.advance(5s);
        QVERIFY(rig.controller.controlsVisible());
    }
};

QTEST_GUILESS_MAIN(PlayerControllerTest)
#include "tst_playercontroller.moc"
