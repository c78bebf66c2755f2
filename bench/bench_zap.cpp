// Zapping through live channels of a loopback provider the way a user does, through the player
// screen: each zap asks the application model for the next channel, a new screen waits for the
// previous stream's stop and opens the next one on the one reused player. Prints the time from
// the zap to the first decoded picture of the new channel (median and 95th percentile) and the
// process's memory as the zaps go on.
#include "BenchProcess.h"
#include "BenchStatistics.h"

#include "App/AppModel.h"
#include "Catalogue/CataloguePageReader.h"
#include "Playback/LibVlcMediaEngine.h"
#include "Playback/PlaybackWindowController.h"
#include "Playback/PlayerController.h"
#include "Playback/VLCVideoView.h"
#include "Store/CatalogueStore.h"
#include "Support/Clock.h"
#include "Support/UserSettings.h"
#include "Views/Player/PlayerViewModel.h"
#include "support/AwaitBlocking.h"
#include "support/MediaFixtures.h"
#include "support/StoreHarness.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>
#include <functional>
#include <memory>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

constexpr int timedZaps = 20;
constexpr int memoryZaps = 100;
constexpr int streamSeconds = 10;

class Zapper
{
public:
    explicit Zapper(qint64 bytesPerSecond, const QString &stream)
        : m_windows([this](const QUrl &url, QObject *parent) {
            auto *player = new PlayerController(url, std::make_unique<LibVlcMediaEngine>(MediaFixtures::silentAudioOptions()),
                                                m_clock, parent);
            // A video surface that is always there, as one is while the player shows.
            player->videoSurfaceDidBecomeReady(&m_surface);
            return player;
        })
    {
        const Playlist playlist = m_store.startWithImportedPlaylist({12, 1, 1});
        m_store.store().selectPlaylist(playlist.id);
        UserSettings::setValue(u"quillmere.liveFormat"_s, u"ts"_s);
        m_store.provider().setLiveStream(stream, bytesPerSecond);
        m_channels = awaitBlocking(m_store.store().pageReader().channelQueue(playlist.id, BrowseScope::all()));
        m_app = std::make_unique<AppModel>(m_store.store(), m_windows);
        QObject::connect(&m_windows, &PlaybackWindowController::targetChanged, &m_windows, [this] {
            m_screen.reset();
            if (m_windows.hasTarget())
                m_screen = std::make_unique<PlayerViewModel>(m_app.get(), &m_windows);
        });
    }

    ~Zapper()
    {
        m_screen.reset();
        if (m_windows.playerController()) {
            const Job<> stop = m_windows.playerController()->stop();
            runEventsUntil([&stop] { return stop.isFinished(); }, 10s);
        }
    }

    // Plays the first channel; false when no picture came.
    bool begin()
    {
        m_app->play(m_channels.constFirst(), m_channels, true);
        return waitForPicture();
    }

    // Zaps once; the milliseconds to the new channel's first picture, or none.
    std::optional<double> zap()
    {
        QElapsedTimer timer;
        timer.start();
        m_screen->zap(1);
        if (!waitForPicture()) {
            PlayerController *player = m_windows.playerController();
            std::fprintf(stderr, "no picture: state %d, error '%s', retry '%s', configured %d, engine playing %d\n",
                         int(player->state()), qPrintable(player->errorMessage()), qPrintable(player->retryMessage()),
                         int(player->url() == m_windows.target()->url), int(player->player()->isPlaying()));
            return std::nullopt;
        }
        return double(timer.nsecsElapsed()) / 1e6;
    }

    [[nodiscard]] FakeProvider &provider() { return m_store.provider(); }

private:
    bool waitForPicture()
    {
        PlayerController *player = m_windows.playerController();
        const QUrl url = m_windows.target()->url;
        // Configured for the new channel (which clears the previous picture), then a picture.
        return runEventsUntil([&] { return player->url() == url && !player->videoView()->latestFrame().image.isNull(); }, 10s);
    }

    SystemClock m_clock;
    StoreHarness m_store;
    QObject m_surface;
    QList<MediaItem> m_channels;
    PlaybackWindowController m_windows;
    std::unique_ptr<AppModel> m_app;
    std::unique_ptr<PlayerViewModel> m_screen;
};

// Zaps `zaps` times, timing the first 20 and reading the memory every 25.
void run(const char *label, qint64 bytesPerSecond, const QString &stream, int zaps)
{
    Zapper zapper(bytesPerSecond, stream);
    if (!zapper.begin()) {
        std::printf("%s: the first channel showed no picture\n", label);
        return;
    }
    QList<double> times;
    QStringList memory{QString::number(processMemoryMiB("VmRSS"), 'f', 1)};
    int failures = 0;
    for (int zap = 1; zap <= zaps; ++zap) {
        const std::optional<double> milliseconds = zapper.zap();
        if (!milliseconds)
            ++failures;
        else if (zap <= timedZaps)
            times.append(*milliseconds);
        if (zap % 25 == 0)
            memory.append(QString::number(processMemoryMiB("VmRSS"), 'f', 1));
    }
    // The provider notices a closed connection at its next write.
    FakeProvider &provider = zapper.provider();
    runEventsUntil([&provider] { return provider.liveStreamLog().opened - provider.liveStreamLog().closed <= 1; }, 2s);
    const FakeProvider::LiveStreamLog log = provider.liveStreamLog();
    std::printf("%s\n", label);
    std::printf("  zap to first picture over %d zaps: median %.0f ms, p95 %.0f ms (min %.0f, max %.0f)\n",
                int(times.size()), median(times), percentile(times, 0.95), percentile(times, 0), percentile(times, 1));
    if (memory.size() > 1)
        std::printf("  resident memory (MiB) after the first channel, then every 25 zaps: %s\n",
                    qPrintable(memory.join(u", "_s)));
    std::printf("  zaps without a picture within 10 s: %d; streams opened %d, still open %d\n", failures, log.opened,
                log.opened - log.closed);
}

} // namespace

int main(int argc, char *argv[])
{
    // Offscreen: the figures need no screen, only an event loop of the kind the program runs.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    QLoggingCategory::setFilterRules(u"com.zel.quillmere.macos.*=false"_s);
    if (MediaFixtures::ffmpegPath().isEmpty()) {
        std::fprintf(stderr, "ffmpeg is not installed: no stream to serve\n");
        return 1;
    }
    QTemporaryDir directory;
    const QString stream = directory.filePath(u"channel.ts"_s);
    if (!MediaFixtures::makeTestFilm(stream, streamSeconds)) {
        std::fprintf(stderr, "ffmpeg could not make the stream\n");
        return 1;
    }
    const qint64 rate = QFileInfo(stream).size() / streamSeconds;
    std::printf("Zapping through 12 live channels of a loopback provider (320x240 H.264 MPEG-TS, player reused, "
                "default network caching)\n");
    run("streams sent at their own rate", rate, stream, memoryZaps);
    run("streams sent at 4x their rate", rate * 4, stream, timedZaps);
    return 0;
}
