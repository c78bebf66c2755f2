#pragma once

#include "Playback/PlayerState.h"
#include "Playback/PlayerTrack.h"
#include "Support/Job.h"

#include <QCoroTask>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QUrl>

#include <memory>
#include <optional>
#include <stop_token>

class Clock;
class DisplaySleepInhibitor;
class MediaEngine;
class NativeStopRequest;
class VLCVideoView;

Q_MOC_INCLUDE("Playback/MediaEngine.h")
Q_MOC_INCLUDE("Playback/VLCVideoView.h")

// Plays one title after another through a single native player for the whole life of the player
// window, and makes network playback robust: it waits for a video surface before an attempt,
// retries failed attempts a bounded number of times with growing delays, tries the other live
// container once, detects stalled streams, and confirms every stop before the player is reused.
// Main thread only; every delay goes through the injected clock.
class PlayerController final : public QObject
{
    Q_OBJECT
    Q_PROPERTY(PlayerState state READ state NOTIFY stateChanged)
    Q_PROPERTY(double currentTime READ currentTime NOTIFY currentTimeChanged)
    Q_PROPERTY(double totalTime READ totalTime NOTIFY totalTimeChanged)
    Q_PROPERTY(bool controlsVisible READ controlsVisible NOTIFY controlsVisibleChanged)
    Q_PROPERTY(int trackRevision READ trackRevision NOTIFY trackRevisionChanged)
    Q_PROPERTY(QString errorMessage READ errorMessage NOTIFY errorMessageChanged)
    Q_PROPERTY(QString retryMessage READ retryMessage NOTIFY retryMessageChanged)
    Q_PROPERTY(int elapsedSeconds READ elapsedSeconds NOTIFY elapsedSecondsChanged)
    Q_PROPERTY(MediaEngine *player READ player CONSTANT)
    Q_PROPERTY(VLCVideoView *videoView READ videoView CONSTANT)

public:
    // The engine is owned by the controller; the clock must outlive it.
    PlayerController(const QUrl &url, std::unique_ptr<MediaEngine> engine, Clock &clock,
                           QObject *parent = nullptr);
    ~PlayerController() override;

    // The same live address in the other container: "m3u8" becomes "ts", anything else "m3u8".
    [[nodiscard]] Q_INVOKABLE static QUrl liveFallbackURL(const QUrl &url);

    [[nodiscard]] PlayerState state() const { return m_state; }
    [[nodiscard]] double currentTime() const { return m_currentTime; }
    [[nodiscard]] double totalTime() const { return m_totalTime; }
    [[nodiscard]] bool controlsVisible() const { return m_controlsVisible; }
    [[nodiscard]] int trackRevision() const { return m_trackRevision; }
    // Empty when there is none.
    [[nodiscard]] QString errorMessage() const { return m_errorMessage; }
    [[nodiscard]] QString retryMessage() const { return m_retryMessage; }
    [[nodiscard]] int elapsedSeconds() const { return m_elapsedSeconds; }
    [[nodiscard]] MediaEngine *player() const { return m_player.get(); }
    [[nodiscard]] VLCVideoView *videoView() const { return m_videoView; }
    [[nodiscard]] QUrl url() const { return m_url; }

    // Prepares a new title without starting it; an empty fallback address makes it non-live.
    Q_INVOKABLE void configure(const QUrl &url, double resumePosition, const QUrl &fallbackURL = {});
    // The play request; also resumes from pause.
    Q_INVOKABLE void start();
    // Puts the controller into the error state with a sentence for the error card.
    void fail(const QString &message);
    // Ends this title. The job finishes once the native player confirmed its stop or after five
    // seconds; every call for the same title returns the same job.
    [[nodiscard]] Job<> stop();
    // "Try again": a fresh run of retries, beginning at once.
    Q_INVOKABLE void retryNow();

    // A video surface is in a window (host identifies it); the deferred attempt may begin.
    void videoSurfaceDidBecomeReady(QObject *host);
    // The surface that reported readiness left.
    void videoSurfaceDidDetach(QObject *host);

    Q_INVOKABLE void pause();
    Q_INVOKABLE void seekBy(double seconds);
    Q_INVOKABLE void seekTo(double seconds);
    // 1.0 is unity; the native scale ends at 2.0. The value is remembered for later attempts.
    Q_INVOKABLE void setVolume(double volume);
    // Shows the on-screen controls; with autoHide they hide after the configured delay if playing,
    // without it they stay up until hidden.
    Q_INVOKABLE void showControls(bool autoHide);
    Q_INVOKABLE void hideControls();

    [[nodiscard]] QList<PlayerTrack> audioTracks() const;
    [[nodiscard]] QList<PlayerTrack> videoTracks() const;
    [[nodiscard]] QList<PlayerTrack> subtitleTracks() const;
    [[nodiscard]] std::optional<QString> currentSubtitleID() const;
    Q_INVOKABLE void selectAudio(const QString &trackID);
    // None turns every subtitle track off.
    void selectSubtitle(const std::optional<QString> &id);

Q_SIGNALS:
    void stateChanged();
    void currentTimeChanged();
    void totalTimeChanged();
    void controlsVisibleChanged();
    void trackRevisionChanged();
    void errorMessageChanged();
    void retryMessageChanged();
    void elapsedSecondsChanged();
    // A setting of the native player that the view shows (its volume, its mute) changed.
    void playerChanged();

private:
    void prepareAndPlay();
    void restoreVolume();

    void handleStateChanged(int raw);
    void handleBufferingChanged(double fill);
    void handleLengthChanged(qint64 milliseconds);
    void handleTimeChanged();
    void handleSeekCarriedOut();
    // Asks the native player for a position and shows it until the player has taken it up.
    void seekNative(double target);
    [[nodiscard]] bool isSeekUnderWay() const { return m_landing && m_landing->askedAt; }
    [[nodiscard]] bool endedBeforeTheLandingPlayed() const;
    void openBeforeTheLanding();
    // Opens the title again, its input starting at the position.
    void openAt(double position);
    void scheduleRetry(bool immediate);
    QCoro::Task<> runRetry(int delaySeconds, std::stop_token token);
    void startWatchdog();
    QCoro::Task<> runWatchdog(std::stop_token token);

    QCoro::Task<> runStop();
    QCoro::Task<bool> stopNative();
    QCoro::Task<> runStopTimeout(std::stop_token token);
    void confirmNativeStop();
    void endNativeStop(bool confirmed);

    QCoro::Task<> runAutoHide(int seconds, std::stop_token token);
    void refreshTime();
    [[nodiscard]] QList<PlayerTrack> tracks(PlayerTrackKind kind) const;
    void bumpTrackRevision();

    void setState(PlayerState state);
    void setCurrentTime(double seconds);
    void setTotalTime(double seconds);
    void setControlsVisible(bool visible);
    void setErrorMessage(const QString &message);
    void setRetryMessage(const QString &message);
    void setElapsedSeconds(int seconds);
    [[nodiscard]] qint64 now() const;

    // The view outlives the engine, whose decoder threads draw into it until the engine is gone.
    VLCVideoView *m_videoView = nullptr;
    std::unique_ptr<MediaEngine> m_player;
    Clock &m_clock;
    DisplaySleepInhibitor *m_activity = nullptr;

    QUrl m_url;
    PlayerState m_state = PlayerState::Initialized;
    double m_currentTime = 0;
    double m_totalTime = 0;
    bool m_controlsVisible = true;
    int m_trackRevision = 0;
    QString m_errorMessage;
    QString m_retryMessage;
    int m_elapsedSeconds = 0;

    Job<> m_autoHide;
    Job<> m_retryTask;
    Job<> m_activeStopTask;
    Job<> m_stopTimeout;
    Job<> m_watchdog;
    // The one native stop request that every waiter shares; none while no stop is awaited.
    std::shared_ptr<NativeStopRequest> m_nativeStop;

    bool m_isStopping = false;
    bool m_isPreparing = false;
    bool m_wantsPlayback = false;
    bool m_videoHostReady = false;
    QPointer<QObject> m_activeVideoHost;
    int m_retryCount = 0;
    bool m_stopConfirmed = true;

    // Monotonic milliseconds of the clock.
    qint64 m_lastProgressAt = 0;
    qint64 m_attemptStartedAt = 0;
    std::optional<qint64> m_healthyPlaybackSince;
    double m_pendingResume = 0;
    // The last seek of this title: where it was to land, how far before that the title was opened
    // again because nothing after it could be shown, when the native player was asked for it while
    // it has not yet taken it up (its target is the position shown meanwhile), and how many
    // pictures the engine had shown once it did (or once the title was opened at the position).
    struct SeekLanding
    {
        double target = 0;
        double rewind = 0;
        std::optional<qint64> askedAt;
        quint64 picturesAtLanding = 0;
    };
    std::optional<SeekLanding> m_landing;
    // Where the next attempt's input starts; 0 for the beginning.
    double m_startPosition = 0;
    QUrl m_fallbackURL;
    bool m_isLiveStream = false;
};
