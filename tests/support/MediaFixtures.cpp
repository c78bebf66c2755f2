#include "MediaFixtures.h"

#include <QProcess>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace MediaFixtures {

QString ffmpegPath()
{
    return QStandardPaths::findExecutable(u"ffmpeg"_s);
}

bool makeTestFilm(const QString &path, int seconds, QSize size)
{
    const QString duration = QString::number(seconds);
    const QString picture =
        u"color=c=red:size=%1x%2:rate=25:duration=%3,drawbox=x=0:y=ih/2:w=iw:h=ih/2:color=blue:t=fill"_s
            .arg(size.width())
            .arg(size.height())
            .arg(duration);
    QStringList arguments{u"-hide_banner"_s, u"-loglevel"_s, u"error"_s,  u"-y"_s,
                          u"-f"_s,           u"lavfi"_s,     u"-i"_s,      picture,
                          u"-f"_s,           u"lavfi"_s,     u"-i"_s,      u"sine=frequency=440:duration="_s + duration,
                          u"-c:v"_s,         u"libx264"_s,   u"-preset"_s, u"ultrafast"_s,
                          u"-pix_fmt"_s,     u"yuv420p"_s,   u"-c:a"_s,    u"aac"_s,
                          u"-shortest"_s};
    if (path.endsWith(u".ts"_s))
        arguments << u"-f"_s << u"mpegts"_s;
    arguments << path;
    QProcess ffmpeg;
    ffmpeg.start(ffmpegPath(), arguments);
    return ffmpeg.waitForFinished(120'000) && ffmpeg.exitStatus() == QProcess::NormalExit && ffmpeg.exitCode() == 0;
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

} // namespace MediaFixtures
