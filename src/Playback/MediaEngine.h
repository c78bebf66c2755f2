#pragma once

#include <QList>
#include <QObject>
#include <QSize>
#include <QString>
#include <QStringList>

#include <optional>

class QUrl;
class VLCVideoView;

// What the player controller needs of a media framework: one native player that opens media with
// options, plays, pauses, seeks, stops, reports its state, and exposes volume, tracks, rate and the
// video's fit mode. Every signal is delivered on the main thread, on a later turn of the event
// loop than the call that caused it; every call is made on the main thread and never blocks it.
class MediaEngine : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int videoFitMode READ videoFitMode WRITE setVideoFitMode NOTIFY videoFitModeChanged)

public:
    // The raw states a player reports (0 and 5 are reserved and change nothing).
    enum RawState {
        Buffering = 1,
        Playing = 2,
        Paused = 3,
        Stopped = 4, // the end of the media or a requested stop; confirms that the player is stopped
        Failed = 6,  // the media could not be opened or played
    };
    Q_ENUM(RawState)

    // How the picture fills the surface.
    enum FitMode { Fit = 1, Fill = 2 };
    Q_ENUM(FitMode)

    // One audio, video or text track of the current media as the player lists it.
    struct Track
    {
        QString id;
        QString name;
        std::optional<QString> language;
        bool isSelected = false;

        friend bool operator==(const Track &, const Track &) = default;
    };

    using QObject::QObject;

    // Decoded pictures go into this view.
    virtual void setDrawable(VLCVideoView *view) = 0;

    // Makes the player's media from an address and options that begin with a colon. False when no
    // media can be made of the address; the player then keeps what it had.
    [[nodiscard]] virtual bool setMedia(const QUrl &url, const QStringList &options) = 0;
    [[nodiscard]] virtual bool hasMedia() const = 0;
    virtual void play() = 0;
    virtual void pause() = 0;
    // Asynchronous: the stop is complete when the state Stopped is reported.
    virtual void stop() = 0;

    [[nodiscard]] virtual bool canPause() const = 0;
    [[nodiscard]] virtual bool isPlaying() const = 0;
    [[nodiscard]] virtual bool isSeekable() const = 0;
    // Milliseconds; none while nothing plays, and none before the player has said a time for the
    // current media (an input opened further on reads 0 until it has gone there).
    [[nodiscard]] virtual std::optional<qint64> time() const = 0;
    // Asynchronous: until seekCarriedOut() is reported, time() may still read the old position.
    virtual void setTime(qint64 milliseconds) = 0;
    // The current media's length in milliseconds; none without media or before it is known.
    [[nodiscard]] virtual std::optional<qint64> mediaLength() const = 0;
    // How many pictures the engine has handed to its view since it was made.
    [[nodiscard]] virtual quint64 picturesShown() const = 0;

    // Whether an audio output exists whose volume and mute can be set.
    [[nodiscard]] virtual bool hasAudio() const = 0;
    // Percent, 100 at unity, 0 to 200.
    [[nodiscard]] Q_INVOKABLE virtual int volume() const = 0;
    Q_INVOKABLE virtual void setVolume(int percent) = 0;
    [[nodiscard]] Q_INVOKABLE virtual bool isMuted() const = 0;
    Q_INVOKABLE virtual void setMuted(bool muted) = 0;

    [[nodiscard]] virtual QList<Track> audioTracks() const = 0;
    [[nodiscard]] virtual QList<Track> videoTracks() const = 0;
    [[nodiscard]] virtual QList<Track> textTracks() const = 0;
    // Selects an audio track by its position in audioTracks().
    virtual void selectAudioTrackAt(int index) = 0;
    // Shows one text track and hides the others.
    virtual void selectTextTrackExclusively(const QString &id) = 0;
    virtual void deselectAllTextTracks() = 0;

    [[nodiscard]] Q_INVOKABLE virtual double rate() const = 0;
    Q_INVOKABLE virtual void setRate(double rate) = 0;
    // The picture's size on screen in pixels (its sample aspect applied); empty without video.
    [[nodiscard]] Q_INVOKABLE virtual QSize videoSize() const = 0;

    [[nodiscard]] int videoFitMode() const { return m_videoFitMode; }
    void setVideoFitMode(int mode);

Q_SIGNALS:
    void stateChanged(int rawState);
    // How full the input buffer is, from 0 to 1.
    void bufferingChanged(double fill);
    void lengthChanged(qint64 milliseconds);
    void timeChanged();
    // The player has taken up every seek asked of it so far: the time it reports from now on is
    // counted from the new position. A report that arrives before this may be one that the player
    // made before the seek, with the old time.
    void seekCarriedOut();
    void videoFitModeChanged();

private:
    int m_videoFitMode = Fit;
};
