#pragma once

#include <QColor>
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

// The engine's extra library options for a machine without a sound device: ALSA's null device
// keeps volume and mute working.
[[nodiscard]] QStringList silentAudioOptions();

// Whether a shown colour is the film's colour, allowing for what the lossy coding changes.
[[nodiscard]] bool looksLike(const QColor &shown, const QColor &expected);

} // namespace MediaFixtures
