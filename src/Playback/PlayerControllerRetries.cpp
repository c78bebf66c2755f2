// The controller's reactions to the native player's reports, its bounded retries with growing
// delays and the stall watchdog.
#include "PlayerController.h"

#include "Playback/DisplaySleepInhibitor.h"
#include "Playback/MediaEngine.h"
#include "Support/Clock.h"
#include "Support/GuardedJob.h"
#include "Support/Logging.h"

#include <chrono>
#include <functional>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

constexpr int maximumRetries = 3;
constexpr qint64 stallLimitMs = 25'000;
constexpr qint64 healthyPlaybackMs = 60'000;
constexpr qint64 recentProgressMs = 5'000;
// How far before a seek's target the title is opened again, the first time and at most, when
// nothing after the target could be shown.
constexpr double firstRewindSeconds = 2;
constexpr double longestRewindSeconds = 16;
// Pictures decoded before a seek that may still be shown after libVLC has taken it up.
constexpr quint64 picturesOnTheirWay = 5;

} // namespace

void PlayerController::handleStateChanged(int raw)
{
    if (raw == MediaEngine::Stopped)
        confirmNativeStop();
    if (m_isStopping || !m_wantsPlayback)
        return;
    qCInfo(lcPlayback, "Native player state: %d", raw);

    switch (raw) {
    case 0:
    case 5:
        break;
    case MediaEngine::Buffering:
        setState(PlayerState::Buffering);
        showControls(false);
        break;
    case MediaEngine::Playing:
        m_isPreparing = false;
        setErrorMessage({});
        setRetryMessage({});
        m_lastProgressAt = now();
        m_healthyPlaybackSince = m_lastProgressAt;
        setState(PlayerState::Playing);
        refreshTime();
        bumpTrackRevision();
        showControls(true);
        break;
    case MediaEngine::Paused:
        setState(PlayerState::Paused);
        showControls(false);
        break;
    case MediaEngine::Stopped:
        m_isPreparing = false;
        m_watchdog.cancelAndForget();
        m_activity->end();
        if (m_state == PlayerState::Error)
            break;
        if (!m_isLiveStream && endedBeforeTheLandingPlayed()) {
            openBeforeTheLanding();
            break;
        }
        if (!m_isLiveStream && (m_totalTime > 0 || m_currentTime > 0)) {
            // A film or episode that reached its end, whether or not its length was known.
            setState(PlayerState::Stopped);
            showControls(false);
        } else {
            fail(u"The stream ended before usable media was available. Try another stream or check the connection."_s);
            scheduleRetry(false);
        }
        break;
    case MediaEngine::Failed:
        fail(u"The stream could not be opened. Check your connection or refresh this playlist."_s);
        showControls(false);
        scheduleRetry(false);
        break;
    default:
        setState(PlayerState::Error);
        scheduleRetry(false);
        break;
    }
}

bool PlayerController::endedBeforeTheLandingPlayed() const
{
    // A transport stream seeks to the time, between two key frames, and the decoder makes no
    // picture before the next one: past the last key frame there is none, and the input ends
    // without a picture from where the seek landed (beyond the few already on their way).
    if (!m_landing || m_landing->rewind >= longestRewindSeconds || m_landing->target - m_landing->rewind <= 0)
        return false;
    return isSeekUnderWay() || m_player->picturesShown() - m_landing->picturesAtLanding <= picturesOnTheirWay;
}

void PlayerController::openBeforeTheLanding()
{
    m_landing->rewind = m_landing->rewind > 0 ? m_landing->rewind * 2 : firstRewindSeconds;
    qCInfo(lcPlayback) << "Nothing could be shown after the seek; opening again" << m_landing->rewind
                       << "seconds before it";
    openAt(std::max(0.0, m_landing->target - m_landing->rewind));
}

void PlayerController::openAt(double position)
{
    m_startPosition = position;
    m_activity->begin();
    prepareAndPlay();
    // The engine's view was emptied for the new input: every picture from now on is from there.
    m_landing->askedAt.reset();
    m_landing->picturesAtLanding = m_player->picturesShown();
    setCurrentTime(position);
}

void PlayerController::handleBufferingChanged(double fill)
{
    if (m_isStopping || !m_wantsPlayback)
        return;
    if (m_state == PlayerState::Paused || m_state == PlayerState::Error
        || m_state == PlayerState::Stopped)
        return;
    const bool buffered = fill >= 1.0;
    if (!buffered && m_isPreparing)
        setState(PlayerState::Buffering);
    if (buffered && m_player->isPlaying())
        setState(PlayerState::Playing);
    // While buffering the controls stay up; once buffered they hide after the usual delay.
    showControls(buffered);
}

void PlayerController::retryNow()
{
    if (m_retryTask.isValid())
        return;
    m_wantsPlayback = true;
    m_retryCount = 0;
    scheduleRetry(true);
}

void PlayerController::scheduleRetry(bool immediate)
{
    if (!m_wantsPlayback || !m_videoHostReady || m_retryTask.isValid())
        return;
    if (m_retryCount >= maximumRetries) {
        setRetryMessage({});
        fail(u"Playback failed after three retries. Test the connection in Playlists, or try another channel."_s);
        return;
    }
    const int delaySeconds = immediate ? 0 : 1 << m_retryCount;
    ++m_retryCount;
    m_retryTask = startGuardedJob(this, [delaySeconds](PlayerController &self, std::stop_token token) {
        return self.runRetry(delaySeconds, token);
    });
}

QCoro::Task<> PlayerController::runRetry(int delaySeconds, std::stop_token token)
{
    const QPointer<PlayerController> self(this);
    for (int remaining = delaySeconds; remaining > 0; --remaining) {
        setRetryMessage(u"Retry %1 of %2 in %3s"_s.arg(m_retryCount).arg(maximumRetries).arg(remaining));
        if (!co_await m_clock.sleep(1s, token) || !self)
            co_return;
    }
    if (token.stop_requested())
        co_return;
    setRetryMessage(u"Reconnecting…"_s);

    bool stopped = true;
    if (!m_stopConfirmed) {
        m_isStopping = true;
        stopped = co_await stopNative();
        if (!self)
            co_return;
    }
    if (token.stop_requested())
        co_return;
    m_retryTask = {};
    if (!stopped) {
        // Only a new title clears the stopping flag: this player cannot be reused until it stops.
        setRetryMessage({});
        fail(u"The player is still stopping. Close playback and try again shortly."_s);
        co_return;
    }
    m_isStopping = false;
    m_isPreparing = false;
    if (!m_fallbackURL.isEmpty()) {
        // The other live container is tried once per title, by the first retry that gets here.
        m_url = std::exchange(m_fallbackURL, QUrl());
        setRetryMessage(u"Trying an alternative live-stream format…"_s);
    }
    m_activity->begin();
    prepareAndPlay();
}

void PlayerController::startWatchdog()
{
    m_watchdog.cancelAndForget();
    m_watchdog = startGuardedJob(this, std::mem_fn(&PlayerController::runWatchdog));
}

QCoro::Task<> PlayerController::runWatchdog(std::stop_token token)
{
    const QPointer<PlayerController> self(this);
    while (co_await m_clock.sleep(1s, token)) {
        if (!self || token.stop_requested() || !m_wantsPlayback || m_isStopping)
            co_return;
        const qint64 moment = now();
        setElapsedSeconds(int((moment - m_attemptStartedAt) / 1000));
        if (m_state == PlayerState::Paused) {
            // Pausing never counts as a stall.
            m_lastProgressAt = moment;
            continue;
        }
        if (m_state == PlayerState::Error)
            continue;
        if (m_state == PlayerState::Playing && m_healthyPlaybackSince
            && moment - *m_healthyPlaybackSince > healthyPlaybackMs && moment - m_lastProgressAt < recentProgressMs) {
            // A long healthy stretch earns a fresh set of retries.
            m_retryCount = 0;
            m_healthyPlaybackSince.reset();
        }
        if (moment - m_lastProgressAt > stallLimitMs) {
            fail(u"No playback progress for 25 seconds. The stream may be offline or the connection has stalled."_s);
            scheduleRetry(false);
            co_return;
        }
    }
}
