// Time from a play request to the first decoded picture, through the real engine and controller:
// a local film, and a live MPEG-TS stream from a loopback HTTP server. The player is reused between
// runs, as it is when the user zaps, and every run ends with a confirmed stop.
#include "BenchProcess.h"
#include "BenchStatistics.h"

#include "Playback/LibVlcMediaEngine.h"
#include "Playback/PlayerController.h"
#include "Playback/VLCVideoView.h"
#include "Support/Clock.h"
#include "support/MediaFixtures.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QLoggingCategory>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

constexpr int runs = 9;

// Serves one file as an endless-looking live stream: no length, sent as fast as the client reads.
class LoopbackStreamServer final : public QObject
{
public:
    explicit LoopbackStreamServer(QByteArray body)
        : m_body(std::move(body))
    {
        m_server.listen(QHostAddress::LocalHost);
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = m_server.nextPendingConnection())
                serve(socket);
        });
    }

    [[nodiscard]] QUrl url() const
    {
        return QUrl(u"http://127.0.0.1:%1/live/bench/secret/1.ts"_s.arg(m_server.serverPort()));
    }

private:
    void serve(QTcpSocket *socket)
    {
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
            m_requests[socket] += socket->readAll();
            if (!m_requests[socket].contains("\r\n\r\n"))
                return;
            m_requests.remove(socket);
            socket->write("HTTP/1.1 200 OK\r\nContent-Type: video/mp2t\r\nConnection: close\r\n\r\n");
            socket->write(m_body);
            socket->disconnectFromHost();
        });
    }

    QTcpServer m_server;
    QByteArray m_body;
    QHash<QTcpSocket *, QByteArray> m_requests;
};

struct Figures
{
    QList<double> firstPicture;
    QList<double> playing;
};

Figures measure(const QUrl &url)
{
    SystemClock clock;
    auto *engine = new LibVlcMediaEngine(MediaFixtures::silentAudioOptions());
    PlayerController controller(url, std::unique_ptr<MediaEngine>(engine), clock);
    QObject surface;
    controller.videoSurfaceDidBecomeReady(&surface);

    Figures figures;
    for (int run = 0; run < runs; ++run) {
        bool pictured = false;
        const QMetaObject::Connection connection = QObject::connect(
            controller.videoView(), &VLCVideoView::frameReady, &controller, [&pictured] { pictured = true; });
        QElapsedTimer timer;
        controller.configure(url, 0);
        timer.start();
        controller.start();
        const bool playing = runEventsUntil([&] { return controller.state() == PlayerState::Playing; }, 10s);
        const double playingMs = double(timer.nsecsElapsed()) / 1e6;
        // The view is cleared for the new title, which itself reports once; wait for a real picture.
        const auto hasPicture = [&] { return pictured && !controller.videoView()->latestFrame().image.isNull(); };
        const bool shown = runEventsUntil(hasPicture, 10s);
        const double pictureMs = double(timer.nsecsElapsed()) / 1e6;
        QObject::disconnect(connection);
        if (!playing || !shown) {
            std::fprintf(stderr, "run %d: no picture within 10 s (%s)\n", run, qPrintable(controller.errorMessage()));
            continue;
        }
        figures.playing.append(playingMs);
        figures.firstPicture.append(pictureMs);
        const Job<> stop = controller.stop();
        runEventsUntil([&stop] { return stop.isFinished(); }, 10s);
    }
    return figures;
}

void print(const char *source, const Figures &figures)
{
    if (figures.firstPicture.isEmpty()) {
        std::printf("%-28s no picture\n", source);
        return;
    }
    const auto [lowest, highest] = std::minmax_element(figures.firstPicture.cbegin(), figures.firstPicture.cend());
    std::printf("%-28s first picture median %7.1f ms (min %7.1f, max %7.1f), playing median %7.1f ms, %lld runs\n",
                source, median(figures.firstPicture), *lowest, *highest, median(figures.playing),
                qlonglong(figures.firstPicture.size()));
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    // The figures are the output; the player's own diary would bury them.
    QLoggingCategory::setFilterRules(u"com.zel.quillmere.macos.playback=false"_s);
    if (MediaFixtures::ffmpegPath().isEmpty()) {
        std::fprintf(stderr, "ffmpeg is not installed: no media to play\n");
        return 1;
    }
    QTemporaryDir directory;
    const QString filmPath = directory.filePath(u"film.mp4"_s);
    const QString streamPath = directory.filePath(u"stream.ts"_s);
    const QString hdStreamPath = directory.filePath(u"stream-720p.ts"_s);
    if (!MediaFixtures::makeTestFilm(filmPath, 10) || !MediaFixtures::makeTestFilm(streamPath, 10)
        || !MediaFixtures::makeTestFilm(hdStreamPath, 10, QSize(1280, 720))) {
        std::fprintf(stderr, "ffmpeg could not make the media\n");
        return 1;
    }
    const auto contents = [](const QString &path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    LoopbackStreamServer server(contents(streamPath));
    LoopbackStreamServer hdServer(contents(hdStreamPath));

    std::printf("Play request to first decoded picture (H.264, player reused, %d runs each)\n", runs);
    print("local file, 320x240 MP4", measure(QUrl::fromLocalFile(filmPath)));
    print("loopback live, 320x240 TS", measure(server.url()));
    print("loopback live, 1280x720 TS", measure(hdServer.url()));
    return 0;
}
