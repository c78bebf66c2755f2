#pragma once

#include "Playback/MediaEngine.h"
#include "Support/SerialExecutor.h"

#include <memory>

// The media engine over libVLC 3's C API. libVLC reports from its own threads: those callbacks
// only post to the main thread. Calls that block inside libVLC (stopping, replacing the media) run
// in order on a worker thread of the engine; while one is in flight, the player's state reads as
// idle and commands queue behind it, so that the main thread never waits for libVLC.
class LibVlcMediaEngine final : public MediaEngine
{
    Q_OBJECT

public:
    // The library options the player is made with (video goes to a VLCVideoView through memory
    // callbacks, so no video output is named and decoding stays in software). Extra options follow
    // them: a headless machine without a sound device passes "--aout=adummy".
    [[nodiscard]] static QStringList libraryOptions();

    explicit LibVlcMediaEngine(const QStringList &extraOptions = {}, QObject *parent = nullptr);
    ~LibVlcMediaEngine() override;

    void setDrawable(VLCVideoView *view) override;

    [[nodiscard]] bool setMedia(const QUrl &url, const QStringList &options) override;
    [[nodiscard]] bool hasMedia() const override;
    void play() override;
    void pause() override;
    void stop() override;

    [[nodiscard]] bool canPause() const override;
    [[nodiscard]] bool isPlaying() const override;
    [[nodiscard]] bool isSeekable() const override;
    [[nodiscard]] std::optional<qint64> time() const override;
    void setTime(qint64 milliseconds) override;
    [[nodiscard]] std::optional<qint64> mediaLength() const override;
    [[nodiscard]] quint64 picturesShown() const override;

    [[nodiscard]] bool hasAudio() const override;
    [[nodiscard]] int volume() const override;
    void setVolume(int percent) override;
    [[nodiscard]] bool isMuted() const override;
    void setMuted(bool muted) override;

    [[nodiscard]] QList<Track> audioTracks() const override;
    [[nodiscard]] QList<Track> videoTracks() const override;
    [[nodiscard]] QList<Track> textTracks() const override;
    void selectAudioTrackAt(int index) override;
    void selectTextTrackExclusively(const QString &id) override;
    void deselectAllTextTracks() override;

    [[nodiscard]] double rate() const override;
    void setRate(double rate) override;
    [[nodiscard]] QSize videoSize() const override;

private:
    struct Native;

    // Runs a call that may block on the worker, after every call queued before it.
    void runOnWorker(std::function<void()> call);
    // Runs a command at once, or behind the worker's queue while it is busy, keeping the order.
    void command(std::function<void()> call);
    [[nodiscard]] bool isWorkerBusy() const { return m_workerCalls > 0; }
    // Learns the picture's own size (and shape) for buffers of this size.
    void updateVideoSize(QSize bufferSize);

    std::unique_ptr<Native> m_native;
    SerialExecutor m_worker;
    int m_workerCalls = 0;
    bool m_hasMedia = false;
    QSize m_videoSize;
};
