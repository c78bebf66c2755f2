// The user's controls: pause, seeking, volume, the on-screen controls' auto-hide and the audio and
// subtitle tracks, with the position and length kept current from the native player's reports.
#include "PlayerController.h"

#include "Playback/MediaEngine.h"
#include "Support/Clock.h"
#include "Support/GuardedJob.h"
#include "Support/PrefKeys.h"
#include "Support/UserSettings.h"

#include <algorithm>
#include <chrono>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

// The resume position is never closer than this to the end, so that a title resumed at its end
// still shows something.
constexpr double resumeMarginSeconds = 2;
// A seek that the native player has not taken up by then was refused (it never confirms one it
// could not carry out): its reports are followed again.
constexpr qint64 seekConfirmationLimitMs = 10'000;

double seconds(std::optional<qint64> milliseconds)
{
    return milliseconds ? std::max(0.0, double(*milliseconds) / 1000.0) : 0.0;
}

} // namespace

void PlayerController::pause()
{
    if (!m_player->canPause())
        return;
    m_player->pause();
    // Shown at once, as a resume is: libVLC merges a pause asked for right behind a resume it has
    // not yet carried out into the last request and then reports nothing, so waiting for its
    // report would show a paused title as playing.
    setState(PlayerState::Paused);
    showControls(false);
}

void PlayerController::seekBy(double seconds)
{
    if (!m_player->isSeekable() || m_totalTime <= 0)
        return;
    // The position is already the target of a seek still under way, so that quick skips add up.
    seekTo(std::clamp(m_currentTime + seconds, 0.0, m_totalTime));
}

void PlayerController::seekTo(double seconds)
{
    if (m_totalTime <= 0)
        return;
    const double target = std::clamp(seconds, 0.0, m_totalTime);
    if (m_state == PlayerState::Stopped && m_wantsPlayback && !m_isLiveStream) {
        // The film has ended, and with it the native player's input, which seeks no more: it is
        // opened again and plays from the chosen position.
        m_landing = SeekLanding{.target = target};
        openAt(target);
        showControls(true);
        return;
    }
    if (!m_player->isSeekable())
        return;
    m_landing = SeekLanding{.target = target};
    seekNative(target);
}

void PlayerController::seekNative(double target)
{
    m_player->setTime(qint64(target * 1000));
    // Shown at once and kept until the native player has taken the seek up: it reports no time
    // while paused, and until then its reports may still read the time from before the seek.
    m_landing->askedAt = now();
    setCurrentTime(target);
    showControls(true);
}

void PlayerController::setVolume(double volume)
{
    if (m_player->hasAudio()) {
        // Rounded: a fraction stepped in single precision (1.5 - 0.1) lies just below its percent.
        m_player->setVolume(volume < 2 ? int(std::lround(std::max(volume, 0.0) * 100)) : 200);
        // Raising the volume unmutes.
        if (volume > 0 && m_player->isMuted())
            m_player->setMuted(false);
    }
    UserSettings::setValue(u"quillmere.volume"_s, volume);
    Q_EMIT playerChanged();
    showControls(true);
}

void PlayerController::showControls(bool autoHide)
{
    setControlsVisible(true);
    m_autoHide.cancelAndForget();
    if (!autoHide || m_state != PlayerState::Playing)
        return;
    const int delaySeconds = std::max(0, Prefs::read(PrefKeys::osdTimeoutSeconds));
    m_autoHide = startGuardedJob(this, [delaySeconds](PlayerController &self, std::stop_token token) {
        return self.runAutoHide(delaySeconds, token);
    });
}

QCoro::Task<> PlayerController::runAutoHide(int seconds, std::stop_token token)
{
    const QPointer<PlayerController> self(this);
    if (!co_await m_clock.sleep(std::chrono::seconds(seconds), token) || !self)
        co_return;
    if (m_state == PlayerState::Playing)
        setControlsVisible(false);
}

void PlayerController::hideControls()
{
    m_autoHide.cancelAndForget();
    setControlsVisible(false);
}

QList<PlayerTrack> PlayerController::audioTracks() const
{
    return tracks(PlayerTrackKind::Audio);
}

QList<PlayerTrack> PlayerController::videoTracks() const
{
    return tracks(PlayerTrackKind::Video);
}

QList<PlayerTrack> PlayerController::subtitleTracks() const
{
    return tracks(PlayerTrackKind::Subtitles);
}

QList<PlayerTrack> PlayerController::tracks(PlayerTrackKind kind) const
{
    QList<MediaEngine::Track> native;
    QString fallbackName;
    switch (kind) {
    case PlayerTrackKind::Audio:
        native = m_player->audioTracks();
        fallbackName = u"Audio"_s;
        break;
    case PlayerTrackKind::Video:
        native = m_player->videoTracks();
        fallbackName = u"Video"_s;
        break;
    case PlayerTrackKind::Subtitles:
        native = m_player->textTracks();
        fallbackName = u"Subtitles"_s;
        break;
    }
    QList<PlayerTrack> result;
    result.reserve(native.size());
    for (const MediaEngine::Track &track : std::as_const(native)) {
        // A name of nothing but white space is no name; a real one is shown as reported.
        const bool hasName = std::any_of(track.name.cbegin(), track.name.cend(), [](QChar c) { return !c.isSpace(); });
        result.append({track.id, hasName ? track.name : fallbackName, track.language, kind, track.isSelected});
    }
    return result;
}

std::optional<QString> PlayerController::currentSubtitleID() const
{
    const QList<PlayerTrack> subtitles = subtitleTracks();
    const auto selected = std::find_if(subtitles.cbegin(), subtitles.cend(),
                                       [](const PlayerTrack &track) { return track.isSelected; });
    return selected == subtitles.cend() ? std::nullopt : std::optional<QString>(selected->id);
}

void PlayerController::selectAudio(const QString &trackID)
{
    const QList<MediaEngine::Track> native = m_player->audioTracks();
    const auto match = std::find_if(native.cbegin(), native.cend(),
                                    [&trackID](const MediaEngine::Track &track) { return track.id == trackID; });
    if (match != native.cend())
        m_player->selectAudioTrackAt(int(std::distance(native.cbegin(), match)));
    bumpTrackRevision();
    showControls(true);
}

void PlayerController::selectSubtitle(const std::optional<QString> &id)
{
    if (!id) {
        m_player->deselectAllTextTracks();
    } else {
        const QList<MediaEngine::Track> native = m_player->textTracks();
        const bool listed = std::any_of(native.cbegin(), native.cend(),
                                        [&id](const MediaEngine::Track &track) { return track.id == *id; });
        if (listed)
            m_player->selectTextTrackExclusively(*id);
    }
    bumpTrackRevision();
    showControls(true);
}

void PlayerController::bumpTrackRevision()
{
    ++m_trackRevision;
    Q_EMIT trackRevisionChanged();
}

void PlayerController::handleLengthChanged(qint64 milliseconds)
{
    if (!m_isStopping)
        setTotalTime(seconds(milliseconds));
}

void PlayerController::handleTimeChanged()
{
    if (!m_isStopping)
        refreshTime();
}

void PlayerController::handleSeekCarriedOut()
{
    if (!isSeekUnderWay())
        return;
    m_landing->askedAt.reset();
    // Whatever is shown from now on comes from where the seek landed.
    m_landing->picturesAtLanding = m_player->picturesShown();
}

void PlayerController::refreshTime()
{
    // A refused seek lands where the native player stays.
    if (isSeekUnderWay() && now() - *m_landing->askedAt >= seekConfirmationLimitMs)
        handleSeekCarriedOut();
    // A title opened again has no time until its input has read where it starts: its position
    // stays the one it was opened at, not the beginning.
    const std::optional<qint64> time = m_player->time();
    if (time && !isSeekUnderWay()) {
        const double position = seconds(time);
        // A moving position is what the stall watchdog looks for.
        if (position != m_currentTime)
            m_lastProgressAt = now();
        setCurrentTime(position);
    }
    setTotalTime(seconds(m_player->mediaLength()));
    if (m_pendingResume > 0 && m_player->isSeekable() && m_totalTime > 0) {
        const double resume =
            std::min(std::max(m_totalTime - resumeMarginSeconds, 0.0), std::exchange(m_pendingResume, 0.0));
        // A title opened again before a landing keeps that landing's target.
        if (!m_landing)
            m_landing = SeekLanding{.target = resume};
        seekNative(resume);
    }
}
