#include "MediaFixtures.h"

#include <QProcess>
#include <QStandardPaths>
#include <QtEndian>

#include <algorithm>
#include <optional>

using namespace Qt::StringLiterals;

namespace MediaFixtures {

QString ffmpegPath()
{
    return QStandardPaths::findExecutable(u"ffmpeg"_s);
}

namespace {

const QStringList fastest{u"-preset"_s, u"ultrafast"_s};

// What ffmpeg wrote to its standard output; none when it failed.
std::optional<QByteArray> runFfmpeg(const QStringList &arguments)
{
    QProcess ffmpeg;
    ffmpeg.start(ffmpegPath(), QStringList{u"-hide_banner"_s, u"-loglevel"_s, u"error"_s} + arguments);
    if (!ffmpeg.waitForFinished(120'000) || ffmpeg.exitStatus() != QProcess::NormalExit || ffmpeg.exitCode() != 0)
        return std::nullopt;
    return ffmpeg.readAllStandardOutput();
}

// Encodes a picture source and a tone of the same length into H.264 (x264's defaults, changed by
// the video options) and AAC.
bool encode(const QString &path, const QString &picture, int seconds, const QStringList &videoOptions)
{
    QStringList arguments{u"-y"_s, u"-f"_s, u"lavfi"_s, u"-i"_s, picture, u"-f"_s, u"lavfi"_s, u"-i"_s,
                          u"sine=frequency=440:duration="_s + QString::number(seconds), u"-c:v"_s, u"libx264"_s};
    arguments << videoOptions << u"-pix_fmt"_s << u"yuv420p"_s << u"-c:a"_s << u"aac"_s << u"-shortest"_s;
    if (path.endsWith(u".ts"_s))
        arguments << u"-f"_s << u"mpegts"_s;
    arguments << path;
    return runFfmpeg(arguments).has_value();
}

// The mean difference of two pictures of one size and format, in levels of a colour channel.
double meanDifference(const QImage &picture, const QImage &other)
{
    qint64 sum = 0;
    for (int line = 0; line < picture.height(); ++line) {
        const auto *pixels = reinterpret_cast<const QRgb *>(picture.constScanLine(line));
        const auto *others = reinterpret_cast<const QRgb *>(other.constScanLine(line));
        for (int column = 0; column < picture.width(); ++column) {
            sum += qAbs(qRed(pixels[column]) - qRed(others[column]))
                + qAbs(qGreen(pixels[column]) - qGreen(others[column]))
                + qAbs(qBlue(pixels[column]) - qBlue(others[column]));
        }
    }
    return double(sum) / (3.0 * picture.width() * picture.height());
}

} // namespace

bool makeTestFilm(const QString &path, int seconds, QSize size)
{
    return encode(path,
                  u"color=c=red:size=%1x%2:rate=25:duration=%3,drawbox=x=0:y=ih/2:w=iw:h=ih/2:color=blue:t=fill"_s
                      .arg(size.width())
                      .arg(size.height())
                      .arg(seconds),
                  seconds, fastest);
}

bool makeChangingFilm(const QString &path, int seconds)
{
    // The hue turns by 37 degrees a second, so that no two seconds of the first minute look alike.
    return encode(path,
                  u"color=c=red:size=320x240:rate=25:duration=%1,hue=h='floor(t)*37'"_s.arg(seconds), seconds,
                  fastest + QStringList{u"-x264-params"_s, u"keyint=50:min-keyint=50:scenecut=0"_s});
}

bool makeProvidersFilm(const QString &path, int seconds)
{
    return encode(path, u"testsrc2=size=320x240:rate=25:duration=%1"_s.arg(seconds), seconds, {});
}

QImage frameAt(const QString &path, double seconds)
{
    // Seeking after the input is opened decodes every picture from the start up to the time.
    const std::optional<QByteArray> png = runFfmpeg({u"-i"_s, path, u"-ss"_s, QString::number(seconds), u"-frames:v"_s,
                                                     u"1"_s, u"-f"_s, u"image2pipe"_s, u"-c:v"_s, u"png"_s, u"-"_s});
    return png ? QImage::fromData(*png, "PNG") : QImage();
}

QList<QImage> framesOf(const QString &path, QSize size)
{
    const std::optional<QByteArray> bitmaps =
        runFfmpeg({u"-i"_s, path, u"-vf"_s, u"scale=%1:%2"_s.arg(size.width()).arg(size.height()), u"-f"_s,
                   u"image2pipe"_s, u"-c:v"_s, u"bmp"_s, u"-"_s});
    if (!bitmaps)
        return {};
    // One bitmap after another, each saying its own size in bytes 2 to 5.
    QList<QImage> frames;
    for (qsizetype at = 0; at + 6 <= bitmaps->size();) {
        const auto bytes = qFromLittleEndian<quint32>(bitmaps->constData() + at + 2);
        if (bytes == 0 || at + qsizetype(bytes) > bitmaps->size())
            return {};
        frames.append(QImage::fromData(QByteArrayView(*bitmaps).sliced(at, bytes), "BMP")
                          .convertToFormat(QImage::Format_RGB32));
        at += bytes;
    }
    return frames;
}

bool isFrameOf(const QImage &shown, const QList<QImage> &frames)
{
    if (shown.isNull() || frames.isEmpty())
        return false;
    // Scaled the way the frames were, a picture of the film differs from its frame by a few levels
    // on average (the scalers and the colour conversions differ); a grey, torn one by about 95.
    constexpr double tolerance = 30;
    const QImage scaled = shown.convertToFormat(QImage::Format_RGB32)
                              .scaled(frames.constFirst().size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return std::any_of(frames.cbegin(), frames.cend(),
                       [&scaled](const QImage &frame) { return meanDifference(scaled, frame) < tolerance; });
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
