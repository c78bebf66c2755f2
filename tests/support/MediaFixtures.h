#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>

// Media files made at test time by ffmpeg: a picture whose top half is red and bottom half blue
// (so that channel order and orientation show), with a tone; and what the real engine needs to
// play them on a test machine.
namespace MediaFixtures {

// Empty when ffmpeg is not installed.
[[nodiscard]] QString ffmpegPath();
// Writes a film of the given length and picture size (H.264 and AAC in MP4, or MPEG-TS when the
// name ends in ".ts"). Returns false when ffmpeg failed.
[[nodiscard]] bool makeTestFilm(const QString &path, int seconds, QSize size = QSize(320, 240));
// The same with a picture whose colour changes every second and a key frame every two seconds,
// as providers' encoders place them: a picture decoded without the key frame before it is not
// the film's.
[[nodiscard]] bool makeChangingFilm(const QString &path, int seconds);
// A film as providers' encoders make it: a moving test picture with a tone, B-frames, and a key
// frame every ten seconds (x264's defaults).
[[nodiscard]] bool makeProvidersFilm(const QString &path, int seconds);
// The film's picture at a time, decoded from its start; null when ffmpeg failed.
[[nodiscard]] QImage frameAt(const QString &path, double seconds);
// Every picture of the film in order, decoded from its start and scaled to the size; empty when
// ffmpeg failed.
[[nodiscard]] QList<QImage> framesOf(const QString &path, QSize size);
// Whether a shown picture, of any size, is one of these frames (all of one size) within a few
// levels on average: a damaged one is not.
[[nodiscard]] bool isFrameOf(const QImage &shown, const QList<QImage> &frames);
// Whether two pictures show the same, allowing for what scaling and lossy coding change.
[[nodiscard]] bool looksLike(const QImage &shown, const QImage &expected);

// The engine's extra library options for a machine without a sound device: ALSA's null device
// keeps volume and mute working.
[[nodiscard]] QStringList silentAudioOptions();

// Whether a shown colour is the film's colour, allowing for what the lossy coding changes.
[[nodiscard]] bool looksLike(const QColor &shown, const QColor &expected);

} // namespace MediaFixtures
