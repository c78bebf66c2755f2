#include "MediaFixtures.h"

#include <QProcess>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace MediaFixtures {

QString ffmpegPath()
{
    return QStandardPaths::findExecutable(u"ffmpeg"_s);
}

namespace {

// Encodes a picture source and a tone of the same length into H.264 and AAC.
bool encode(const QString &path, const QString &picture, int seconds, const QStringList &videoOptions = {})
{
    QStringList arguments{u"-hide_banner"_s, u"-loglevel"_s, u"error"_s, u"-y"_s, u"-f"_s, u"lavfi"_s, u"-i"_s,
                          picture, u"-f"_s, u"lavfi"_s, u"-i"_s,
                          u"sine=frequency=440:duration="_s + QString::number(seconds), u"-c:v"_s, u"libx264"_s,
                          u"-preset"_s, u"ultrafast"_s};
    arguments << videoOptions << u"-pix_fmt"_s << u"yuv420p"_s << u"-c:a"_s << u"aac"_s << u"-shortest"_s;
    if (path.endsWith(u".ts"_s))
        arguments << u"-f"_s << u"mpegts"_s;
    arguments << path;
    QProcess ffmpeg;
    ffmpeg.start(ffmpegPath(), arguments);
    return ffmpeg.waitForFinished(120'000) && ffmpeg.exitStatus() == QProcess::NormalExit && ffmpeg.exitCode() == 0;
}

} // namespace

bool makeTestFilm(const QString &path, int seconds, QSize size)
{
    return encode(path,
                  u"color=c=red:size=%1x%2:rate=25:duration=%3,drawbox=x=0:y=ih/2:w=iw:h=ih/2:color=blue:t=fill"_s
                      .arg(size.width())
                      .arg(size.height())
                      .arg(seconds),
                  seconds);
}

bool makeChangingFilm(const QString &path, int seconds)
{
    // The hue turns by 37 degrees a second, so that no two seconds of the first minute look alike.
    return encode(path,
                  u"color=c=red:size=320x240:rate=25:duration=%1,hue=h='floor(t)*37'"_s.arg(seconds), seconds,
                  {u"-x264-params"_s, u"keyint=50:min-keyint=50:scenecut=0"_s});
}

QImage frameAt(const QString &path, double seconds)
{
    // Seeking after the input is opened decodes every picture from the start up to the time.
    QProcess ffmpeg;
    ffmpeg.start(ffmpegPath(), {u"-hide_banner"_s, u"-loglevel"_s, u"error"_s, u"-i"_s, path, u"-ss"_s,
                                QString::number(seconds), u"-frames:v"_s, u"1"_s, u"-f"_s, u"image2pipe"_s,
                                u"-c:v"_s, u"png"_s, u"-"_s});
    if (!ffmpeg.waitForFinished(60'000) || ffmpeg.exitCode() != 0)
        return {};
    return QImage::fromData(ffmpeg.readAllStandardOutput(), "PNG");
}

QStringList silentAudioOptions()
{
    return {u"--aout=alsa"_s, u"--alsa-audio-device=null"_s};
}

bool looksLike(const QColor &shown, const QColor &expected)
{
    constexpr int tolerance = 40;
    return qAbs(shown.red() - expected.red()) < tolerance && qAbs(shown.green() - expected.green()) < tolerance
        && qAbs(shown.blue() - expected.blue()) < tolerance;
}

bool looksLike(const QImage &shown, const QImage &expected)
{
    if (shown.isNull() || expected.isNull())
        return false;
    // A grid of points across both pictures, inside their edges.
    constexpr int steps = 8;
    for (int row = 1; row < steps; ++row) {
        for (int column = 1; column < steps; ++column) {
            const auto at = [&](const QImage &image) {
                return image.pixelColor(image.width() * column / steps, image.height() * row / steps);
            };
            if (!looksLike(at(shown), at(expected)))
                return false;
        }
    }
    return true;
}

} // namespace MediaFixtures
