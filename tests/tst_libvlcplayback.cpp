#include "Playback/LibVlcMediaEngine.h"
#include "Playback/PlayerController.h"
#include "Playback/VLCVideoView.h"
#include "Playback/VideoSurface.h"
#include "Provider/PlaybackURL.h"
#include "Support/Clock.h"
#include "Support/Logging.h"
#include "Support/UserSettings.h"
#include "support/FakeProvider.h"
#include "support/MediaFixtures.h"

#include <QFileInfo>
#include <QMutex>
#include <QQuickWindow>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

using State = PlayerState;

constexpr int timeoutMs = 15'000;
const QSize windowSize(640, 360);

QColor pixel(const QImage &image, QPointF relative)
{
    return image.pixelColor(int(relative.x() * (image.width() - 1)), int(relative.y() * (image.height() - 1)));
}

// Every position a controller shows while this lives, in order.
class ShownPositions final
{
public:
    explicit ShownPositions(const PlayerController &controller)
        : m_watching(QObject::connect(&controller, &PlayerController::currentTimeChanged, &controller,
                                      [this, &controller] { m_positions.append(controller.currentTime()); }))
    {
    }
    ~ShownPositions() { QObject::disconnect(m_watching); }
    ShownPositions(const ShownPositions &) = delete;
    ShownPositions &operator=(const ShownPositions &) = delete;

    // Whether the first position shown is `target` and none after it goes back.
    [[nodiscard]] bool goOnFrom(double target) const
    {
        return !m_positions.isEmpty() && m_positions.constFirst() == target
            && std::is_sorted(m_positions.cbegin(), m_positions.cend());
    }
    [[nodiscard]] double at(qsizetype index) const { return m_positions.value(index, -1); }
    [[nodiscard]] double last() const { return m_positions.isEmpty() ? -1 : m_positions.constLast(); }
    [[nodiscard]] QString text() const
    {
        QStringList texts;
        for (const double position : m_positions)
            texts.append(QString::number(position));
        return u"positions shown: "_s + texts.join(u", "_s);
    }

private:
    QList<double> m_positions;
    QMetaObject::Connection m_watching;
};

} // namespace

// The real engine playing a generated film into a video surface of an offscreen window.
class LibVlcPlaybackTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        if (MediaFixtures::ffmpegPath().isEmpty())
            QSKIP("ffmpeg is not installed, so no test media can be made");
        QVERIFY(m_directory.isValid());
        m_film = QUrl::fromLocalFile(m_directory.filePath(u"film with spaces.mp4"_s));
        QVERIFY(MediaFixtures::makeTestFilm(m_film.toLocalFile(), 10));
    }

    void init()
    {
        UserSettings::remove(u"quillmere.volume"_s);
        m_window = std::make_unique<QQuickWindow>();
        m_window->resize(windowSize);
        m_surface = new VideoSurface(m_window->contentItem());
        m_surface->setSize(QSizeF(windowSize));
        m_engine = new LibVlcMediaEngine(MediaFixtures::silentAudioOptions());
        m_controller = std::make_unique<PlayerController>(m_film, std::unique_ptr<MediaEngine>(m_engine),
                                                                m_clock);
        m_surface->setController(m_controller.get());
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }

    void cleanup()
    {
        m_surface->setController(nullptr);
        m_controller.reset();
        m_window.reset();
    }

    void filmPlaysIntoTheSurfaceAndFollowsTheControls()
    {
        m_controller->configure(m_film, 0);
        m_controller->start();
        QTRY_COMPARE_WITH_TIMEOUT(m_controller->state(), State::Playing, timeoutMs);

        // Fitted: the 4:3 picture stands between black bars, red above blue, the right way up. Its
        // size is the picture's, not that of the taller buffers the decoder fills (320x258).
        QTRY_VERIFY_WITH_TIMEOUT(MediaFixtures::looksLike(pixel(m_window->grabWindow(), {0.5, 0.25}), Qt::red), timeoutMs);
        QTRY_COMPARE_WITH_TIMEOUT(m_engine->videoSize(), QSize(320, 240), timeoutMs);
        QImage frame = m_window->grabWindow();
        QVERIFY(MediaFixtures::looksLike(pixel(frame, {0.5, 0.75}), Qt::blue));
        QVERIFY(MediaFixtures::looksLike(pixel(frame, {0.03, 0.5}), Qt::black));
        // The picture spans 4:3 of the 640x360 window's height: 480 wide, from 80 to 560.
        QVERIFY(MediaFixtures::looksLike(pixel(frame, {90.0 / 639, 0.25}), Qt::red));
        QVERIFY(MediaFixtures::looksLike(pixel(frame, {70.0 / 639, 0.25}), Qt::black));

        // Filled: the picture covers the bars, cropped at top and bottom.
        m_engine->setVideoFitMode(MediaEngine::Fill);
        QTRY_VERIFY_WITH_TIMEOUT(MediaFixtures::looksLike(pixel(m_window->grabWindow(), {0.03, 0.25}), Qt::red), timeoutMs);

        QTRY_VERIFY_WITH_TIMEOUT(m_controller->totalTime() > 9, timeoutMs);
        QCOMPARE(m_controller->audioTracks().size(), 1);
        QCOMPARE(m_controller->videoTracks().size(), 1);
        QVERIFY(m_controller->subtitleTracks().isEmpty());

        m_controller->seekTo(6);
        QTRY_VERIFY_WITH_TIMEOUT(m_controller->currentTime() >= 6, timeoutMs);

        m_controller->pause();
        QTRY_COMPARE_WITH_TIMEOUT(m_controller->state(), State::Paused, timeoutMs);
        m_controller->start();
        QTRY_COMPARE_WITH_TIMEOUT(m_controller->state(), State::Playing, timeoutMs);

        m_controller->setVolume(1.2);
        QTRY_COMPARE_WITH_TIMEOUT(m_engine->volume(), 120, timeoutMs);

        const Job<> stop = m_controller->stop();
        QTRY_VERIFY_WITH_TIMEOUT(stop.isFinished(), timeoutMs);
        QCOMPARE(m_controller->state(), State::Stopped);
        QVERIFY(m_controller->errorMessage().isEmpty());
    }

    void playerIsReusedAfterTheEndAndResumes()
    {
        m_controller->configure(m_film, 0);
        m_controller->start();
        QTRY_COMPARE_WITH_TIMEOUT(m_controller->state(), State::Playing, timeoutMs);
        QTRY_VERIFY_WITH_TIMEOUT(m_controller->totalTime() > 9, timeoutMs);
        m_controller->seekTo(9.5);
        // The end of a film with a known length is a normal stop, which also confirms it.
        QTRY_COMPARE_WITH_TIMEOUT(m_controller->state(), State::Stopped, timeoutMs);
        QVERIFY(m_controller->errorMessage().isEmpty());
        const Job<> stop = m_controller->stop();
        QTRY_VERIFY(stop.isFinished());

        m_controller->configure(m_film, 4);
        QCOMPARE(m_controller->state(), State::Initialized);
        m_controller->start();
        QTRY_COMPARE_WITH_TIMEOUT(m_controller->state(), State::Playing, timeoutMs);
        QTRY_VERIFY_WITH_TIMEOUT(m_controller->currentTime() >= 4, timeoutMs);
    }

    // Providers serve films as MPEG-TS over HTTP with range requests, under their own address or
    // another container's: the film has a length, seeks, and its natural end is an end, not a
    // reason to open it again.
    void transportStreamFilmFromTheProviderSeeksAndEnds_data()
    {
        QTest::addColumn<QString>("extension");
        QTest::newRow("ts address") << u"ts"_s;
        QTest::newRow("mkv address") << u"mkv"_s;
    }

    void transportStreamFilmFromTheProviderSeeksAndEnds()
    {
        QFETCH(QString, extension);
        FakeProvider provider;
        playFromTheProvider(provider, changingFilm(), extension);
        QVERIFY(m_engine->isSeekable());

        // libVLC may report the time from before a seek until it has taken the seek up, which the
        // engine says: the position shown goes to the target at once and on from there.
        QSignalSpy carriedOut(m_engine, &MediaEngine::seekCarriedOut);
        {
            const ShownPositions shown(*m_controller);
            m_controller->seekTo(6);
            QTRY_COMPARE_WITH_TIMEOUT(m_controller->state(), State::Stopped, timeoutMs);
            QCOMPARE(carriedOut.size(), 1);
            QVERIFY2(shown.goOnFrom(6) && shown.last() > 10, qPrintable(shown.text()));
        }
        QVERIFY(m_controller->errorMessage().isEmpty());
        QVERIFY(m_controller->retryMessage().isEmpty());

        // After its end the film still seeks: it opens again with its input starting there (the
        // first time reported is within a second of it), and the position goes on from there
        // without showing the beginning meanwhile.
        const ShownPositions shown(*m_controller);
        m_controller->seekTo(2.5);
        QTRY_VERIFY_WITH_TIMEOUT(m_controller->currentTime() > 3.5, timeoutMs);
        QVERIFY2(shown.goOnFrom(2.5) && shown.at(1) <= 3.5, qPrintable(shown.text()));
        QCOMPARE(m_controller->state(), State::Playing);
    }

    // A seek lands between two key frames, where the pictures decoded next lack what they are
    // drawn over; paused, the first picture after it stays on screen. It is a whole picture of
    // the film, as decoded from the start: the one at the target or at the key frame after it
    // (a damaged one stays grey and torn for as long as the pause lasts).
    void aSeekWhilePausedShowsAWholePicture()
    {
        const QString film = changingFilm();
        FakeProvider provider;
        playFromTheProvider(provider, film);
        m_controller->pause();
        QTRY_VERIFY_WITH_TIMEOUT(!m_engine->isPlaying(), timeoutMs);

        const QImage atTarget = MediaFixtures::frameAt(film, 7.5);
        const QImage atKeyFrame = MediaFixtures::frameAt(film, 8);
        QVERIFY(!MediaFixtures::looksLike(atTarget, atKeyFrame));
        m_controller->seekTo(7.5);
        const auto shown = [this] { return m_controller->videoView()->latestFrame().image; };
        QTRY_VERIFY2_WITH_TIMEOUT(MediaFixtures::looksLike(shown(), atTarget)
                                      || MediaFixtures::looksLike(shown(), atKeyFrame),
                                  qPrintable(pixel(shown(), {0.5, 0.5}).name()), timeoutMs);
        QCOMPARE(m_controller->state(), State::Paused);
        QCOMPARE(m_controller->currentTime(), 7.5);
    }

    // Past the last key frame no picture can be decoded: a seek there opens the film again a
    // little before it, so that the rest plays out in whole pictures instead of ending at once.
    void aSeekPastTheLastKeyFramePlaysOutTheRest()
    {
        const QString film = changingFilm();
        FakeProvider provider;
        playFromTheProvider(provider, film);
        m_controller->seekTo(11);
        QTRY_COMPARE_WITH_TIMEOUT(m_controller->state(), State::Stopped, timeoutMs);
        QVERIFY(MediaFixtures::looksLike(m_controller->videoView()->latestFrame().image,
                                         MediaFixtures::frameAt(film, 11.5)));
        QVERIFY(m_controller->errorMessage().isEmpty());
    }

    // Providers' films come with sound and B-frames, and with a key frame every ten seconds: past
    // the last one no picture can be decoded. Every picture shown from such a seek to the end is a
    // whole picture of the film: as each input ended, the decoder handed out the grey, torn
    // pictures it still held for reordering, and the last stayed on screen.
    void aSeekPastTheLastKeyFrameShowsNoDamagedPicture()
    {
        const QString film = m_directory.filePath(u"provider's film.ts"_s);
        QVERIFY(MediaFixtures::makeProvidersFilm(film, 21));
        const QList<QImage> filmPictures = MediaFixtures::framesOf(film, QSize(80, 60));
        QCOMPARE(filmPictures.size(), 21 * 25);
        FakeProvider provider;
        playFromTheProvider(provider, film);

        QMutex mutex;
        QList<QImage> shown;
        VLCVideoView *view = m_controller->videoView();
        // On the decoder's thread, as each picture is handed over.
        const QMetaObject::Connection watching = connect(
            view, &VLCVideoView::frameReady, this,
            [&] {
                // A new input empties the view first.
                const QImage picture = view->latestFrame().image.copy();
                const QMutexLocker locker(&mutex);
                if (!picture.isNull())
                    shown.append(picture);
            },
            Qt::DirectConnection);
        m_controller->seekTo(20.5);
        QTRY_COMPARE_WITH_TIMEOUT(m_controller->state(), State::Stopped, timeoutMs);
        disconnect(watching);

        const QMutexLocker locker(&mutex);
        QVERIFY(!shown.isEmpty());
        for (qsizetype index = 0; index < shown.size(); ++index)
            QVERIFY2(MediaFixtures::isFrameOf(shown.at(index), filmPictures),
                     qPrintable(u"picture %1 of %2 is not one of the film's"_s.arg(index + 1).arg(shown.size())));
        QVERIFY(m_controller->errorMessage().isEmpty());
    }

    // The decoder fills buffers taller than the picture (720 lines arrive as 738, 360 as 386);
    // a transport stream tells the picture's own size only once it is decoded. The engine
    // reports, and the view lays out, the picture's own size.
    void paddedPicturesKeepTheirOwnSize_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("720 lines") << QSize(1280, 720);
        QTest::newRow("360 lines") << QSize(640, 360);
    }

    void paddedPicturesKeepTheirOwnSize()
    {
        QFETCH(QSize, size);
        const QUrl film = QUrl::fromLocalFile(m_directory.filePath(u"%1.ts"_s.arg(size.height())));
        QVERIFY(MediaFixtures::makeTestFilm(film.toLocalFile(), 2, size));
        m_controller->configure(film, 0);
        m_controller->start();
        QTRY_VERIFY_WITH_TIMEOUT(!m_controller->videoView()->latestFrame().image.isNull(), timeoutMs);
        QTRY_COMPARE_WITH_TIMEOUT(m_engine->videoSize(), size, timeoutMs);
        QCOMPARE(m_controller->videoView()->displaySize(), QSizeF(size));
    }

    // A sound device that cannot be opened fails for every block of sound: libVLC's messages are
    // each said once in a playback, and how often they came is said when it ends.
    void libVlcSaysEachMessageOncePerPlayback()
    {
        static QMutex mutex;
        static QStringList lines;
        auto &category = const_cast<QLoggingCategory &>(lcPlayback());
        category.setEnabled(QtDebugMsg, true);
        const QtMessageHandler previous =
            qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &text) {
                const QMutexLocker locker(&mutex);
                if (text.startsWith(u"libVLC:"_s))
                    lines.append(text);
            });
        {
            VLCVideoView view;
            LibVlcMediaEngine engine({u"--aout=alsa"_s, u"--alsa-audio-device=quillmere-missing"_s});
            engine.setDrawable(&view);
            QSignalSpy states(&engine, &MediaEngine::stateChanged);
            QVERIFY(engine.setMedia(m_film, {}));
            engine.play();
            QTRY_VERIFY_WITH_TIMEOUT(engine.time().value_or(0) > 2000, timeoutMs);
            engine.stop();
            QTRY_VERIFY_WITH_TIMEOUT(states.contains(QVariantList{int(MediaEngine::Stopped)}), timeoutMs);
        }
        qInstallMessageHandler(previous);
        category.setEnabled(QtDebugMsg, false);

        const QMutexLocker locker(&mutex);
        QCOMPARE(QSet<QString>(lines.cbegin(), lines.cend()).size(), lines.size());
        const QStringList audio = lines.filter(u"Audio output failed"_s);
        QCOMPARE(audio.size(), 2);
        QVERIFY2(audio.constLast().contains(u"more times"_s), qPrintable(audio.constLast()));
    }

    void missingFileFailsWithTheOpenSentence()
    {
        const QUrl missing = QUrl::fromLocalFile(m_directory.filePath(u"missing.mp4"_s));
        m_controller->configure(missing, 0);
        m_controller->start();
        QTRY_COMPARE_WITH_TIMEOUT(m_controller->errorMessage(),
                                  u"The stream could not be opened. Check your connection or refresh this playlist."_s,
                                  timeoutMs);
        QTRY_COMPARE_WITH_TIMEOUT(m_controller->retryMessage(), u"Retry 1 of 3 in 1s"_s, timeoutMs);
        const Job<> stop = m_controller->stop();
        QTRY_VERIFY_WITH_TIMEOUT(stop.isFinished(), timeoutMs);
        QCOMPARE(m_controller->state(), State::Stopped);
    }

private:
    // Twelve seconds whose colour changes every second, with key frames every two seconds.
    QString changingFilm()
    {
        const QString film = m_directory.filePath(u"changing.ts"_s);
        if (!QFileInfo::exists(film) && !MediaFixtures::makeChangingFilm(film, 12))
            return {};
        return film;
    }

    // Plays a film that the provider serves as a transport stream, under an address with the
    // extension, until its length is known.
    void playFromTheProvider(FakeProvider &provider, const QString &film, const QString &extension = u"ts"_s)
    {
        QVERIFY(!film.isEmpty());
        provider.setMediaFile(film);
        const std::optional<QUrl> address =
            PlaybackURL::make(provider.credentials(), u"5"_s, CatalogueKind::Movie, extension, u"ts"_s);
        QVERIFY(address);
        m_controller->configure(*address, 0);
        m_controller->start();
        QTRY_COMPARE_WITH_TIMEOUT(m_controller->state(), State::Playing, timeoutMs);
        QTRY_VERIFY_WITH_TIMEOUT(m_controller->totalTime() > 11, timeoutMs);
    }

    QTemporaryDir m_directory;
    QUrl m_film;
    SystemClock m_clock;
    std::unique_ptr<QQuickWindow> m_window;
    VideoSurface *m_surface = nullptr;
    LibVlcMediaEngine *m_engine = nullptr;
    std::unique_ptr<PlayerController> m_controller;
};

QTEST_MAIN(LibVlcPlaybackTest)
#include "tst_libvlcplayback.moc"
