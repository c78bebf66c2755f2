#include "PlayerController.h"

#include "Playback/DisplaySleepInhibitor.h"
#include "Playback/MediaEngine.h"
#include "Playback/VLCVideoView.h"
#include "Support/AssignIfChanged.h"
#include "Support/Clock.h"
#include "Support/Logging.h"
#include "Support/PrefKeys.h"
#include "Support/UserSettings.h"

#include <QFileInfo>
#include <QVariant>

#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

namespace {

// A file a provider serves over HTTP, as films and episodes are; an HLS playlist is not one.
bool isNetworkFile(const QUrl &url)
{
    return !url.isLocalFile() && QFileInfo(url.path()).suffix().compare("m3u8"_L1, Qt::CaseInsensitive) != 0;
}

} // namespace

PlayerController::PlayerController(const QUrl &url, std::unique_ptr<MediaEngine> engine,
                                               Clock &clock, QObject *parent)
    : QObject(parent)
    , m_videoView(new VLCVideoView(this))
    , m_player(std::move(engine))
    , m_clock(clock)
    , m_activity(new DisplaySleepInhibitor(this))
    , m_url(url)
    , m_lastProgressAt(clock.monotonicMs())
    , m_attemptStartedAt(m_lastProgressAt)
{
    m_player->setDrawable(m_videoView);
    m_player->setVideoFitMode(MediaEngine::Fit);
    connect(m_player.get(), &MediaEngine::stateChanged, this, &PlayerController::handleStateChanged);
    connect(m_player.get(), &MediaEngine::bufferingChanged, this,
            &PlayerController::handleBufferingChanged);
    connect(m_player.get(), &MediaEngine::lengthChanged, this, &PlayerController::handleLengthChanged);
    connect(m_player.get(), &MediaEngine::timeChanged, this, &PlayerController::handleTimeChanged);
    connect(m_player.get(), &MediaEngine::seekCarriedOut, this, &PlayerController::handleSeekCarriedOut);
}

PlayerController::~PlayerController()
{
    for (Job<> *job : {&m_autoHide, &m_retryTask, &m_stopTimeout, &m_watchdog})
        job->cancelAndForget();
    // Waiters of a stop that can no longer be confirmed learn that it was not.
    endNativeStop(false);
    // The engine goes first: its threads draw into the view until it is released.
    m_player.reset();
}

QUrl PlayerController::liveFallbackURL(const QUrl &url)
{
    QUrl fallback = url;
    // Encoded, so that an escaped slash in a login stays inside its path segment.
    const QString path = url.path(QUrl::FullyEncoded);
    const qsizetype slash = path.lastIndexOf(u'/');
    const qsizetype dot = path.lastIndexOf(u'.');
    const bool hasExtension = dot > slash + 1;
    const QString extension = hasExtension ? path.mid(dot + 1) : QString();
    const QString stem = hasExtension ? path.left(dot) : path;
    fallback.setPath(stem % u'.' % (extension == "m3u8"_L1 ? u"ts"_s : u"m3u8"_s), QUrl::StrictMode);
    return fallback;
}

void PlayerController::configure(const QUrl &url, double resumePosition, const QUrl &fallbackURL)
{
    if (!m_stopConfirmed) {
        fail(u"The previous player is still stopping. Close playback and try again shortly."_s);
        return;
    }
    m_url = url;
    m_fallbackURL = fallbackURL;
    m_isLiveStream = !fallbackURL.isEmpty();
    m_healthyPlaybackSince.reset();
    m_pendingResume = resumePosition;
    m_landing.reset();
    m_startPosition = 0;
    m_retryTask.cancelAndForget();
    m_watchdog.cancelAndForget();
    m_retryCount = 0;
    m_isPreparing = false;
    m_isStopping = false;
    // The previous title's stop is forgotten, not cancelled: whoever awaits it still gets its end.
    m_activeStopTask = {};
    m_wantsPlayback = false;

    setErrorMessage({});
    setRetryMessage({});
    setState(PlayerState::Initialized);
    setCurrentTime(0);
    setTotalTime(0);
    setControlsVisible(true);
}

void PlayerController::start()
{
    if (m_isStopping || m_isPreparing || m_state == PlayerState::Playing)
        return;
    m_wantsPlayback = true;
    m_activity->begin();
    m_retryTask.cancelAndForget();

    if (m_state == PlayerState::Paused && m_player->hasMedia()) {
        m_player->play();
        setState(PlayerState::Playing);
    } else if (!m_videoHostReady) {
        // The attempt begins when a surface reports that it is in a window.
        setState(PlayerState::Buffering);
        showControls(false);
        return;
    } else {
        m_retryCount = 0;
        if (m_state == PlayerState::Error)
            retryNow();
        else
            prepareAndPlay();
    }
    showControls(true);
}

void PlayerController::prepareAndPlay()
{
    if (m_isStopping || !m_wantsPlayback || !m_videoHostReady || m_isPreparing)
        return;
    m_isPreparing = true;
    qCInfo(lcPlayback, "Preparing playback attempt %d", m_retryCount);

    QStringList options{
        u":http-reconnect=true"_s,
        u":network-caching="_s + QString::number(Prefs::read(PrefKeys::networkCachingMs)),
        u":file-caching=1500"_s,
    };
    // Live pictures are decoded on one thread. Frame-threaded decoding holds back one frame per
    // thread before the first picture: at six threads a channel change takes more than twice as
    // long to show its first picture, and the process needs about twice the memory.
    if (m_isLiveStream) {
        options.append(u":avcodec-threads=1"_s);
    } else {
        // A seek lands wherever the demuxer finds the time, mostly between two key frames, and the
        // pictures decoded from there lack what they are drawn over: shown, they are grey and torn
        // until the next key frame. The decoder drops them, so that the first picture after a seek
        // (the one shown while paused) is a whole one. libVLC drops the pictures that FFmpeg marks
        // as damaged, but FFmpeg's H.264 decoder marks them only as it hands them out in order:
        // those it still holds for reordering when the input ends come out unmarked, and one of
        // them stayed on screen at the end of a film. FFmpeg itself is told to keep every damaged
        // picture back.
        options.append(u":no-avcodec-corrupted"_s);
        options.append(u":avcodec-options={flags=-output_corrupt}"_s);
        // libVLC's own MPEG-TS demuxer learns a length only by reading the end of the stream, which
        // it does only where that is cheap (a local file): over HTTP such a film had no length and
        // could not seek. Whatever its address says, a provider's file is read by libVLC's own MP4
        // or Matroska demuxer when it is one, and otherwise by FFmpeg's, which reads the end of a
        // seekable stream once with a range request. An HLS playlist keeps libVLC's adaptive
        // streaming.
        if (isNetworkFile(m_url))
            options.append(u":demux=mp4,mkv,avformat,any"_s);
    }
    // Opened at a position, nothing before it is decoded or shown; a retry begins at the start.
    if (const double start = std::exchange(m_startPosition, 0.0); start > 0)
        options.append(u":start-time="_s + QString::number(start));
    if (!m_player->setMedia(m_url, options)) {
        m_isPreparing = false;
        setState(PlayerState::Error);
        scheduleRetry(false);
        return;
    }
    m_player->play();
    restoreVolume();
    // From now on the native player must confirm a stop before it may be reused.
    m_stopConfirmed = false;
    m_attemptStartedAt = now();
    m_lastProgressAt = m_attemptStartedAt;
    setErrorMessage({});
    setState(PlayerState::Buffering);
    startWatchdog();
}

void PlayerController::restoreVolume()
{
    const std::optional<double> stored = UserSettings::number(u"quillmere.volume"_s);
    if (!stored || !m_player->hasAudio())
        return;
    // A damaged setting far outside the native range must not overflow the conversion.
    const double percent = std::clamp(std::round(*stored * 100), 0.0, double(std::numeric_limits<int>::max()));
    m_player->setVolume(int(percent));
}

void PlayerController::fail(const QString &message)
{
    setErrorMessage(message);
    setState(PlayerState::Error);
    m_isPreparing = false;
    setControlsVisible(true);
    m_activity->end();
}

void PlayerController::videoSurfaceDidBecomeReady(QObject *host)
{
    if (m_activeVideoHost == host && m_videoHostReady)
        return;
    m_activeVideoHost = host;
    m_videoHostReady = true;
    const bool waitingForSurface = m_state == PlayerState::Initialized || m_state == PlayerState::Buffering;
    if (!m_isStopping && m_wantsPlayback && waitingForSurface)
        prepareAndPlay();
}

void PlayerController::videoSurfaceDidDetach(QObject *host)
{
    if (m_activeVideoHost != host)
        return;
    m_activeVideoHost = nullptr;
    m_videoHostReady = false;
}

void PlayerController::setState(PlayerState state)
{
    if (assignIfChanged(m_state, state))
        Q_EMIT stateChanged();
}

void PlayerController::setCurrentTime(double seconds)
{
    if (assignIfChanged(m_currentTime, seconds))
        Q_EMIT currentTimeChanged();
}

void PlayerController::setTotalTime(double seconds)
{
    if (assignIfChanged(m_totalTime, seconds))
        Q_EMIT totalTimeChanged();
}

void PlayerController::setControlsVisible(bool visible)
{
    if (assignIfChanged(m_controlsVisible, visible))
        Q_EMIT controlsVisibleChanged();
}

void PlayerController::setErrorMessage(const QString &message)
{
    if (assignIfChanged(m_errorMessage, message))
        Q_EMIT errorMessageChanged();
}

void PlayerController::setRetryMessage(const QString &message)
{
    if (assignIfChanged(m_retryMessage, message))
        Q_EMIT retryMessageChanged();
}

void PlayerController::setElapsedSeconds(int seconds)
{
    if (assignIfChanged(m_elapsedSeconds, seconds))
        Q_EMIT elapsedSecondsChanged();
}

qint64 PlayerController::now() const
{
    return m_clock.monotonicMs();
}
