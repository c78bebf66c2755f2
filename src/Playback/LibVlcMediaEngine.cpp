#include "LibVlcMediaEngine.h"

#include "Playback/LibVlcMessageLog.h"
#include "Playback/VLCVideoView.h"
#include "Support/Logging.h"

#include <QUrl>

#include <alsa/global.h>
// After global.h, which it needs.
#include <alsa/error.h>
#include <vlc/vlc.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <functional>
#include <tuple>

using namespace Qt::StringLiterals;

namespace {

// The native player reports its position many times a second; observers need it twice a second.
constexpr std::chrono::milliseconds timeReportInterval{500};
// Pictures in flight between the decoder and the screen.
constexpr unsigned pictureBuffers = 3;

constexpr std::array playerEvents{
    libvlc_MediaPlayerOpening,       libvlc_MediaPlayerBuffering,   libvlc_MediaPlayerPlaying,
    libvlc_MediaPlayerPaused,        libvlc_MediaPlayerEndReached,  libvlc_MediaPlayerEncounteredError,
    libvlc_MediaPlayerLengthChanged, libvlc_MediaPlayerTimeChanged,
};

// alsa-lib writes every failure to open a sound device to the standard error itself, and libVLC
// tries again for each block of sound while there is none. libVLC reports the same failure in its
// own log, where it is said once a playback.
void ignoreSoundLibraryError(const char *, int, const char *, int, const char *, ...) {}

} // namespace

struct LibVlcMediaEngine::Native
{
    libvlc_instance_t *instance = nullptr;
    libvlc_media_player_t *player = nullptr;
    // Retained for reading its track languages and sample aspect; the player holds its own reference.
    libvlc_media_t *media = nullptr;
    LibVlcMediaEngine *engine = nullptr;
    std::atomic<VLCVideoView *> view = nullptr;
    std::atomic<std::chrono::steady_clock::rep> lastTimeReport = 0;
    // The decoder's buffers, as the last format set them up; the video output's thread only.
    QSize bufferSize;
    // The picture's own size is still to be learnt for the buffers of the last format.
    std::atomic_bool shapePending = false;
    // Seeks handed to the player, and how many of them it had taken up when it last began to
    // buffer again (it does that as it carries out a seek, after every report of the old time).
    std::atomic<quint64> seeksAsked = 0;
    std::atomic<quint64> seeksCarriedOut = 0;
    std::atomic<quint64> picturesShown = 0;
    // libVLC has reported a time for the current media. Until then it reads 0, also for an input
    // that will start further on.
    std::atomic_bool timeReported = false;
    LibVlcMessageLog messages;

    [[nodiscard]] QList<Track> tracks(libvlc_track_type_t type) const;

    void releaseMedia()
    {
        if (media)
            libvlc_media_release(std::exchange(media, nullptr));
    }

    // Everything below runs on libVLC's threads: it touches no state of the main thread and never
    // calls back into libVLC, it only posts.
    static void onEvent(const libvlc_event_t *event, void *opaque);
    static unsigned onVideoFormat(void **opaque, char *chroma, unsigned *width, unsigned *height, unsigned *pitches,
                                  unsigned *lines);
    static void onVideoCleanup(void *opaque);
    static void *onLock(void *opaque, void **planes);
    static void onUnlock(void *opaque, void *picture, void *const *planes);
    static void onDisplay(void *opaque, void *picture);

    static void onLog(void *opaque, int level, const libvlc_log_t *context, const char *format, va_list arguments);
    // Ends a playback in the log: how often its messages were repeated.
    void writeMessageCounts();

    void post(std::function<void()> report) const
    {
        QMetaObject::invokeMethod(engine, std::move(report), Qt::QueuedConnection);
    }
    [[nodiscard]] bool timeReportDue();
};

void LibVlcMediaEngine::Native::onEvent(const libvlc_event_t *event, void *opaque)
{
    auto *native = static_cast<Native *>(opaque);
    LibVlcMediaEngine *engine = native->engine;
    const auto reportState = [native, engine](int raw) {
        native->post([engine, raw] { Q_EMIT engine->stateChanged(raw); });
    };
    switch (event->type) {
    case libvlc_MediaPlayerOpening:
        reportState(Buffering);
        break;
    case libvlc_MediaPlayerBuffering: {
        // Only a fill level: libVLC also buffers after a seek and while paused, and reporting the
        // buffering state then would take a paused title out of its pause.
        const double fill = std::clamp(double(event->u.media_player_buffering.new_cache) / 100.0, 0.0, 1.0);
        native->post([engine, fill] { Q_EMIT engine->bufferingChanged(fill); });
        // Emptying its buffers is the first thing libVLC does as it carries out a seek (several
        // seeks waiting in its queue are carried out as the last of them).
        const quint64 asked = native->seeksAsked;
        if (fill == 0 && native->seeksCarriedOut.exchange(asked) != asked)
            native->post([engine] { Q_EMIT engine->seekCarriedOut(); });
        break;
    }
    case libvlc_MediaPlayerPlaying:
        reportState(Playing);
        break;
    case libvlc_MediaPlayerPaused:
        reportState(Paused);
        break;
    case libvlc_MediaPlayerEndReached:
        reportState(Stopped);
        break;
    case libvlc_MediaPlayerEncounteredError:
        reportState(Failed);
        break;
    case libvlc_MediaPlayerLengthChanged: {
        const qint64 length = event->u.media_player_length_changed.new_length;
        native->post([engine, length] { Q_EMIT engine->lengthChanged(length); });
        break;
    }
    case libvlc_MediaPlayerTimeChanged:
        native->timeReported = true;
        if (native->timeReportDue())
            native->post([engine] { Q_EMIT engine->timeChanged(); });
        break;
    default:
        break;
    }
}

bool LibVlcMediaEngine::Native::timeReportDue()
{
    const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
    auto last = lastTimeReport.load();
    const auto interval = std::chrono::duration_cast<std::chrono::steady_clock::duration>(timeReportInterval).count();
    return now - last >= interval && lastTimeReport.compare_exchange_strong(last, now);
}

unsigned LibVlcMediaEngine::Native::onVideoFormat(void **opaque, char *chroma, unsigned *width, unsigned *height,
                                                  unsigned *pitches, unsigned *lines)
{
    auto *native = static_cast<Native *>(*opaque);
    VLCVideoView *view = native->view;
    if (!view || *width == 0 || *height == 0)
        return 0;
    // 32-bit RGB in memory order B, G, R, X: a QImage::Format_RGB32 on this little-endian platform.
    std::memcpy(chroma, "RV32", 4);
    // The decoder's buffers are often taller than the picture (720 lines arrive as 738, 360 as
    // 386), and the picture is scaled to fill them; its own size is learnt once it is decoded.
    native->bufferSize = QSize(int(*width), int(*height));
    const VLCVideoView::Layout layout = view->configure(native->bufferSize);
    pitches[0] = unsigned(layout.bytesPerLine);
    lines[0] = unsigned(layout.lines);
    native->shapePending = true;
    return pictureBuffers;
}

void LibVlcMediaEngine::Native::onVideoCleanup(void *opaque)
{
    if (VLCVideoView *view = static_cast<Native *>(opaque)->view)
        view->unconfigure();
}

void *LibVlcMediaEngine::Native::onLock(void *opaque, void **planes)
{
    uchar *pixels = nullptr;
    const quintptr buffer = static_cast<Native *>(opaque)->view.load()->lock(&pixels);
    planes[0] = pixels;
    return reinterpret_cast<void *>(buffer);
}

void LibVlcMediaEngine::Native::onUnlock(void *opaque, void *picture, void *const *planes)
{
    Q_UNUSED(planes)
    static_cast<Native *>(opaque)->view.load()->unlock(reinterpret_cast<quintptr>(picture));
}

void LibVlcMediaEngine::Native::onDisplay(void *opaque, void *picture)
{
    auto *native = static_cast<Native *>(opaque);
    // Asked for before the picture is handed over, so that the picture is never laid out by the
    // shape of its buffer: libVLC knows the size of a transport stream's picture only once the
    // first one has been decoded.
    if (native->shapePending.exchange(false)) {
        LibVlcMediaEngine *engine = native->engine;
        native->post([engine, bufferSize = native->bufferSize] { engine->updateVideoSize(bufferSize); });
    }
    native->view.load()->display(reinterpret_cast<quintptr>(picture));
    ++native->picturesShown;
}

void LibVlcMediaEngine::Native::onLog(void *opaque, int level, const libvlc_log_t *context, const char *format,
                                      va_list arguments)
{
    if (level < LIBVLC_WARNING || !lcPlayback().isDebugEnabled())
        return;
    std::array<char, 1024> text{};
    std::vsnprintf(text.data(), text.size(), format, arguments);
    const char *objectType = nullptr;
    const char *header = nullptr;
    uintptr_t objectID = 0;
    libvlc_log_get_object(context, &objectType, &header, &objectID);
    const std::optional<QString> line = static_cast<Native *>(opaque)->messages.take(
        QString::fromUtf8(objectType ? objectType : ""), QString::fromUtf8(text.data()));
    if (line)
        qCDebug(lcPlayback).noquote() << "libVLC:" << *line;
}

void LibVlcMediaEngine::Native::writeMessageCounts()
{
    for (const QString &line : messages.endPlayback())
        qCDebug(lcPlayback).noquote() << "libVLC:" << line;
}

QStringList LibVlcMediaEngine::libraryOptions()
{
    // Pictures are drawn from memory, which hardware decoders cannot write into: left on, libVLC
    // picks a GPU decoder whose surfaces cannot be converted for the memory output, and no picture
    // ever appears.
    return {u"--no-video-title-show"_s, u"--no-play-and-pause"_s, u"--verbose=0"_s, u"--avcodec-hw=none"_s};
}

LibVlcMediaEngine::LibVlcMediaEngine(const QStringList &extraOptions, QObject *parent)
    : MediaEngine(parent)
    , m_native(std::make_unique<Native>())
{
    m_native->engine = this;
    snd_lib_error_set_handler(&ignoreSoundLibraryError);
    QList<QByteArray> encoded;
    for (const QString &option : libraryOptions() + extraOptions)
        encoded.append(option.toUtf8());
    std::vector<const char *> arguments;
    for (const QByteArray &option : std::as_const(encoded))
        arguments.push_back(option.constData());
    m_native->instance = libvlc_new(int(arguments.size()), arguments.data());
    if (!m_native->instance) {
        qCCritical(lcPlayback) << "The media library could not be initialised";
        return;
    }
    // Its messages go to the playback log instead of the standard error, without addresses.
    libvlc_log_set(m_native->instance, &Native::onLog, m_native.get());
    m_native->player = libvlc_media_player_new(m_native->instance);
    if (!m_native->player) {
        qCCritical(lcPlayback) << "The media player could not be created";
        return;
    }
    libvlc_event_manager_t *events = libvlc_media_player_event_manager(m_native->player);
    for (const libvlc_event_e type : playerEvents)
        libvlc_event_attach(events, type, &Native::onEvent, m_native.get());
}

LibVlcMediaEngine::~LibVlcMediaEngine()
{
    // Teardown order: no more reports, then stop, release the player, release the library. The
    // stop may block, so it runs behind any call still queued on the worker, which is awaited:
    // the video callbacks must have ended before the view they draw into goes away.
    Native *native = m_native.get();
    if (native->player) {
        libvlc_event_manager_t *events = libvlc_media_player_event_manager(native->player);
        for (const libvlc_event_e type : playerEvents)
            libvlc_event_detach(events, type, &Native::onEvent, native);
    }
    std::ignore = m_worker.run([native] {
        if (native->player) {
            libvlc_media_player_stop(native->player);
            libvlc_media_player_release(native->player);
        }
        if (native->instance)
            libvlc_release(native->instance);
    });
    m_worker.waitForDone();
    native->releaseMedia();
    native->writeMessageCounts();
}

void LibVlcMediaEngine::setDrawable(VLCVideoView *view)
{
    m_native->view = view;
    if (!m_native->player)
        return;
    libvlc_video_set_callbacks(m_native->player, &Native::onLock, &Native::onUnlock, &Native::onDisplay,
                               m_native.get());
    libvlc_video_set_format_callbacks(m_native->player, &Native::onVideoFormat, &Native::onVideoCleanup);
}

bool LibVlcMediaEngine::setMedia(const QUrl &url, const QStringList &options)
{
    if (!m_native->instance || !m_native->player || !url.isValid() || url.isEmpty())
        return false;
    libvlc_media_t *media = libvlc_media_new_location(m_native->instance, url.toEncoded().constData());
    if (!media)
        return false;
    for (const QString &option : options)
        libvlc_media_add_option(media, option.toUtf8().constData());

    m_native->releaseMedia();
    m_native->media = media;
    libvlc_media_retain(media);
    m_hasMedia = true;
    m_videoSize = {};
    if (VLCVideoView *view = m_native->view)
        view->clear();
    // Replacing the media ends the previous input, which libVLC waits for.
    libvlc_media_player_t *player = m_native->player;
    Native *native = m_native.get();
    runOnWorker([native, player, media] {
        libvlc_media_player_set_media(player, media);
        libvlc_media_release(media);
        // The previous input is gone, and with it its reports.
        native->timeReported = false;
        // The previous playback has ended: nothing more of it can be said.
        native->writeMessageCounts();
    });
    return true;
}

bool LibVlcMediaEngine::hasMedia() const
{
    return m_hasMedia;
}

void LibVlcMediaEngine::play()
{
    libvlc_media_player_t *player = m_native->player;
    if (player)
        command([player] { libvlc_media_player_play(player); });
}

void LibVlcMediaEngine::pause()
{
    libvlc_media_player_t *player = m_native->player;
    if (player)
        command([player] { libvlc_media_player_set_pause(player, 1); });
}

void LibVlcMediaEngine::stop()
{
    libvlc_media_player_t *player = m_native->player;
    if (!player) {
        QMetaObject::invokeMethod(this, [this] { Q_EMIT stateChanged(Stopped); }, Qt::QueuedConnection);
        return;
    }
    // libVLC's own stopped report comes from inside the call, before the input is fully released;
    // the state is reported once the call has returned, which is when the player may be reused.
    runOnWorker([this, player] {
        libvlc_media_player_stop(player);
        m_native->writeMessageCounts();
        QMetaObject::invokeMethod(this, [this] { Q_EMIT stateChanged(Stopped); }, Qt::QueuedConnection);
    });
}

bool LibVlcMediaEngine::canPause() const
{
    return m_native->player && !isWorkerBusy() && libvlc_media_player_can_pause(m_native->player);
}

bool LibVlcMediaEngine::isPlaying() const
{
    return m_native->player && !isWorkerBusy() && libvlc_media_player_is_playing(m_native->player);
}

bool LibVlcMediaEngine::isSeekable() const
{
    return m_native->player && !isWorkerBusy() && libvlc_media_player_is_seekable(m_native->player);
}

std::optional<qint64> LibVlcMediaEngine::time() const
{
    if (!m_native->player || isWorkerBusy() || !m_native->timeReported)
        return std::nullopt;
    const libvlc_time_t milliseconds = libvlc_media_player_get_time(m_native->player);
    return milliseconds < 0 ? std::nullopt : std::optional<qint64>(milliseconds);
}

void LibVlcMediaEngine::setTime(qint64 milliseconds)
{
    libvlc_media_player_t *player = m_native->player;
    Native *native = m_native.get();
    if (player)
        command([native, player, milliseconds] {
            ++native->seeksAsked;
            libvlc_media_player_set_time(player, milliseconds);
        });
}

std::optional<qint64> LibVlcMediaEngine::mediaLength() const
{
    if (!m_native->player || !m_hasMedia || isWorkerBusy())
        return std::nullopt;
    const libvlc_time_t milliseconds = libvlc_media_player_get_length(m_native->player);
    return milliseconds < 0 ? std::nullopt : std::optional<qint64>(milliseconds);
}

quint64 LibVlcMediaEngine::picturesShown() const
{
    return m_native->picturesShown;
}

bool LibVlcMediaEngine::hasAudio() const
{
    // The audio output belongs to the player, not to the input: reading it never waits for a stop.
    return m_native->player && libvlc_audio_get_volume(m_native->player) >= 0;
}

int LibVlcMediaEngine::volume() const
{
    return m_native->player ? std::max(0, libvlc_audio_get_volume(m_native->player)) : 0;
}

void LibVlcMediaEngine::setVolume(int percent)
{
    if (m_native->player)
        libvlc_audio_set_volume(m_native->player, std::clamp(percent, 0, 200));
}

bool LibVlcMediaEngine::isMuted() const
{
    return m_native->player && libvlc_audio_get_mute(m_native->player) == 1;
}

void LibVlcMediaEngine::setMuted(bool muted)
{
    if (m_native->player)
        libvlc_audio_set_mute(m_native->player, muted ? 1 : 0);
}

namespace {

// Calls the function with each track that libVLC knows of the media.
template<typename Function>
void forEachMediaTrack(libvlc_media_t *media, Function function)
{
    if (!media)
        return;
    libvlc_media_track_t **tracks = nullptr;
    const unsigned count = libvlc_media_tracks_get(media, &tracks);
    for (unsigned index = 0; index < count; ++index)
        function(*tracks[index]);
    if (tracks)
        libvlc_media_tracks_release(tracks, count);
}

} // namespace

QList<MediaEngine::Track> LibVlcMediaEngine::Native::tracks(libvlc_track_type_t type) const
{
    if (!player)
        return {};
    libvlc_track_description_t *descriptions = nullptr;
    int selectedID = -1;
    switch (type) {
    case libvlc_track_audio:
        descriptions = libvlc_audio_get_track_description(player);
        selectedID = libvlc_audio_get_track(player);
        break;
    case libvlc_track_video:
        descriptions = libvlc_video_get_track_description(player);
        selectedID = libvlc_video_get_track(player);
        break;
    case libvlc_track_text:
        descriptions = libvlc_video_get_spu_description(player);
        selectedID = libvlc_video_get_spu(player);
        break;
    case libvlc_track_unknown:
        return {};
    }
    QHash<int, QString> languages;
    forEachMediaTrack(media, [type, &languages](const libvlc_media_track_t &track) {
        if (track.i_type == type && track.psz_language && *track.psz_language)
            languages.insert(track.i_id, QString::fromUtf8(track.psz_language));
    });
    QList<Track> result;
    // The description lists carry a "Disable" entry with the id -1, which is not a track.
    for (libvlc_track_description_t *entry = descriptions; entry; entry = entry->p_next) {
        if (entry->i_id < 0)
            continue;
        const auto language = languages.constFind(entry->i_id);
        result.append({QString::number(entry->i_id), entry->psz_name ? QString::fromUtf8(entry->psz_name) : QString(),
                       language == languages.cend() ? std::nullopt : std::optional<QString>(*language),
                       entry->i_id == selectedID});
    }
    if (descriptions)
        libvlc_track_description_list_release(descriptions);
    return result;
}

QList<MediaEngine::Track> LibVlcMediaEngine::audioTracks() const
{
    return isWorkerBusy() ? QList<Track>() : m_native->tracks(libvlc_track_audio);
}

QList<MediaEngine::Track> LibVlcMediaEngine::videoTracks() const
{
    return isWorkerBusy() ? QList<Track>() : m_native->tracks(libvlc_track_video);
}

QList<MediaEngine::Track> LibVlcMediaEngine::textTracks() const
{
    return isWorkerBusy() ? QList<Track>() : m_native->tracks(libvlc_track_text);
}

void LibVlcMediaEngine::selectAudioTrackAt(int index)
{
    const QList<Track> tracks = audioTracks();
    if (index < 0 || index >= tracks.size())
        return;
    libvlc_media_player_t *player = m_native->player;
    const int id = tracks.at(index).id.toInt();
    command([player, id] { libvlc_audio_set_track(player, id); });
}

void LibVlcMediaEngine::selectTextTrackExclusively(const QString &id)
{
    bool isNumber = false;
    const int number = id.toInt(&isNumber);
    libvlc_media_player_t *player = m_native->player;
    if (player && isNumber && number >= 0)
        command([player, number] { libvlc_video_set_spu(player, number); });
}

void LibVlcMediaEngine::deselectAllTextTracks()
{
    libvlc_media_player_t *player = m_native->player;
    if (player)
        command([player] { libvlc_video_set_spu(player, -1); });
}

double LibVlcMediaEngine::rate() const
{
    return m_native->player ? double(libvlc_media_player_get_rate(m_native->player)) : 1.0;
}

void LibVlcMediaEngine::setRate(double rate)
{
    libvlc_media_player_t *player = m_native->player;
    if (player)
        command([player, rate] { libvlc_media_player_set_rate(player, float(rate)); });
}

QSize LibVlcMediaEngine::videoSize() const
{
    return m_videoSize;
}

void LibVlcMediaEngine::runOnWorker(std::function<void()> call)
{
    ++m_workerCalls;
    std::ignore = m_worker.run([this, call = std::move(call)] {
        call();
        QMetaObject::invokeMethod(this, [this] { --m_workerCalls; }, Qt::QueuedConnection);
    });
}

void LibVlcMediaEngine::command(std::function<void()> call)
{
    if (isWorkerBusy())
        runOnWorker(std::move(call));
    else
        call();
}

void LibVlcMediaEngine::updateVideoSize(QSize bufferSize)
{
    // The media's video track holds the picture's own size and its sample aspect: non-square
    // pixels (common in standard-definition broadcasts) widen or narrow the picture. The media is
    // this engine's own, so reading it never waits for the worker.
    QSize pictureSize;
    std::optional<double> sampleAspect;
    forEachMediaTrack(m_native->media, [&](const libvlc_media_track_t &track) {
        if (!pictureSize.isEmpty() || track.i_type != libvlc_track_video || !track.video)
            return;
        pictureSize = QSize(int(track.video->i_width), int(track.video->i_height));
        if (track.video->i_sar_num > 0 && track.video->i_sar_den > 0)
            sampleAspect = double(track.video->i_sar_num) / double(track.video->i_sar_den);
    });
    if (pictureSize.isEmpty()) {
        // Not known yet: the buffer's size stands for it until the next picture asks again.
        pictureSize = bufferSize;
        m_native->shapePending = true;
    }
    m_videoSize = QSize(qRound(pictureSize.width() * sampleAspect.value_or(1.0)), pictureSize.height());
    if (VLCVideoView *view = m_native->view)
        view->setDisplaySize(QSizeF(m_videoSize));
}
