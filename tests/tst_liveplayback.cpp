#include "Playback/LibVlcMediaEngine.h"
#include "Playback/PlayerController.h"
#include "Playback/VideoSurface.h"
#include "Provider/PlaybackURL.h"
#include "support/FakeProvider.h"
#include "support/MediaFixtures.h"
#include "support/VirtualClock.h"

#include <QFileInfo>
#include <QQuickWindow>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

using State = PlayerState;

constexpr int timeoutMs = 20'000;
constexpr int streamSeconds = 10;

} // namespace

// A live channel from the local provider through the real engine. The provider runs and the
// engine plays in real time; the controller's retry delays run on a virtual clock that the test
// moves on, so that no test time is spent waiting for them.
class LivePlaybackTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        if (MediaFixtures::ffmpegPath().isEmpty())
            QSKIP("ffmpeg is not installed, so no test stream can be made");
        const QString stream = m_directory.filePath(u"channel.ts"_s);
        QVERIFY(MediaFixtures::makeTestFilm(stream, streamSeconds));
        // Served at its own rate, looped, as a channel is on air.
        m_provider.setLiveStream(stream, QFileInfo(stream).size() / streamSeconds);
    }

    void streamCutOffRetriesThenRecoversWhenItIsBack()
    {
        QQuickWindow window;
        window.resize(320, 240);
        auto *surface = new VideoSurface(window.contentItem());
        surface->setSize(QSizeF(320, 240));
        VirtualClock clock;
        PlayerController controller({}, std::make_unique<LibVlcMediaEngine>(MediaFixtures::silentAudioOptions()),
                                          clock);
        surface->setController(&controller);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        // The channel in HLS, which this provider does not serve: the input opens but no picture
        // ever comes, so the watchdog gives up on it, and the first retry switches to MPEG-TS.
        const std::optional<QUrl> address =
            PlaybackURL::make(m_provider.credentials(), u"7"_s, CatalogueKind::Live, std::nullopt, u"m3u8"_s);
        QVERIFY(address);
        const QUrl transportStream = PlayerController::liveFallbackURL(*address);
        controller.configure(*address, 0, transportStream);
        controller.start();
        QTRY_COMPARE_WITH_TIMEOUT(controller.state(), State::Playing, timeoutMs);
        clock.advance(26s);
        QCOMPARE(controller.errorMessage(),
                 u"No playback progress for 25 seconds. The stream may be offline or the connection has stalled."_s);
        QTRY_COMPARE_WITH_TIMEOUT(controller.retryMessage(), u"Retry 1 of 3 in 1s"_s, timeoutMs);
        clock.advance(1s);
        QTRY_COMPARE_WITH_TIMEOUT(controller.url(), transportStream, timeoutMs);
        QTRY_VERIFY_WITH_TIMEOUT(MediaFixtures::looksLike(window.grabWindow().pixelColor(160, 60), Qt::red), timeoutMs);
        QCOMPARE(controller.state(), State::Playing);
        QVERIFY(controller.retryMessage().isEmpty());

        // Off the air: the open connection drops and new ones are refused. The retries keep to the
        // address that played, with growing delays.
        m_provider.setLiveOnAir(false);
        QTRY_COMPARE_WITH_TIMEOUT(controller.retryMessage(), u"Retry 2 of 3 in 2s"_s, timeoutMs);
        QCOMPARE(controller.state(), State::Error);
        clock.advance(2s);
        QTRY_COMPARE_WITH_TIMEOUT(controller.retryMessage(), u"Retry 3 of 3 in 4s"_s, timeoutMs);
        QCOMPARE(controller.errorMessage(),
                 u"The stream could not be opened. Check your connection or refresh this playlist."_s);
        QCOMPARE(controller.url(), transportStream);

        // Back on the air, the last retry plays again.
        m_provider.setLiveOnAir(true);
        clock.advance(4s);
        QTRY_COMPARE_WITH_TIMEOUT(controller.state(), State::Playing, timeoutMs);
        QTRY_VERIFY_WITH_TIMEOUT(MediaFixtures::looksLike(window.grabWindow().pixelColor(160, 180), Qt::blue),
                                 timeoutMs);
        QVERIFY(controller.errorMessage().isEmpty());
        QVERIFY(controller.retryMessage().isEmpty());

        const Job<> stop = controller.stop();
        QTRY_VERIFY_WITH_TIMEOUT(stop.isFinished(), timeoutMs);
        QCOMPARE(controller.state(), State::Stopped);
        delete surface;
    }

private:
    QTemporaryDir m_directory;
    FakeProvider m_provider;
};

QTEST_MAIN(LivePlaybackTest)
#include "tst_liveplayback.moc"
