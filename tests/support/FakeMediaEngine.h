#pragma once

#include "Playback/MediaEngine.h"

#include <QUrl>

// A media engine that plays nothing: the test reads what the controller asked of it, sets what it
// answers, and makes it report states, buffering, length and time as a native player would.
class FakeMediaEngine final : public MediaEngine
{
    Q_OBJECT

public:
    using MediaEngine::MediaEngine;

    void setDrawable(VLCVideoView *view) override { drawable = view; }

    [[nodiscard]] bool setMedia(const QUrl &url, const QStringList &options) override;
    [[nodiscard]] bool hasMedia() const override { return mediaURL.has_value(); }
    void play() override;
    void pause() override { ++pauseRequests; }
    void stop() override { ++stopRequests; }

    [[nodiscard]] bool canPause() const override { return pausable; }
    [[nodiscard]] bool isPlaying() const override { return playing; }
    [[nodiscard]] bool isSeekable() const override { return seekable; }
    [[nodiscard]] std::optional<qint64> time() const override { return timeMs; }
    void setTime(qint64 milliseconds) override;
    [[nodiscard]] std::optional<qint64> mediaLength() const override { return lengthMs; }
    [[nodiscard]] quint64 picturesShown() const override { return shownPictures; }

    [[nodiscard]] bool hasAudio() const override { return audioOutput; }
    [[nodiscard]] int volume() const override { return volumePercent; }
    void setVolume(int percent) override { volumePercent = percent; }
    [[nodiscard]] bool isMuted() const override { return muted; }
    void setMuted(bool mute) override { muted = mute; }

    [[nodiscard]] QList<Track> audioTracks() const override { return audio; }
    [[nodiscard]] QList<Track> videoTracks() const override { return video; }
    [[nodiscard]] QList<Track> textTracks() const override { return text; }
    void selectAudioTrackAt(int index) override;
    void selectTextTrackExclusively(const QString &id) override;
    void deselectAllTextTracks() override;

    [[nodiscard]] double rate() const override { return playbackRate; }
    void setRate(double rate) override { playbackRate = rate; }
    [[nodiscard]] QSize videoSize() const override { return pictureSize; }

    // Reports as the native player would (the controller receives them at once).
    void report(int rawState) { Q_EMIT stateChanged(rawState); }
    void reportBuffering(double fill) { Q_EMIT bufferingChanged(fill); }
    void reportLength(qint64 milliseconds) { Q_EMIT lengthChanged(milliseconds); }
    // Moves the position and reports it, once it has taken up the seeks asked for so far.
    void reportTime(qint64 milliseconds);
    // A report made before it took up the seeks asked for: it reads the time from before them.
    void reportStaleTime(qint64 milliseconds);

    // What the controller asked for.
    std::optional<QUrl> mediaURL;
    QStringList mediaOptions;
    QList<QUrl> openedURLs;
    int playRequests = 0;
    int pauseRequests = 0;
    int stopRequests = 0;
    std::optional<qint64> lastSeekMs;
    bool seekPending = false;
    VLCVideoView *drawable = nullptr;

    // What it answers.
    bool canMakeMedia = true;
    bool pausable = true;
    bool playing = false;
    bool seekable = false;
    std::optional<qint64> timeMs;
    std::optional<qint64> lengthMs;
    quint64 shownPictures = 0;
    bool audioOutput = true;
    int volumePercent = 100;
    bool muted = false;
    QList<Track> audio;
    QList<Track> video;
    QList<Track> text;
    double playbackRate = 1;
    QSize pictureSize;
};
