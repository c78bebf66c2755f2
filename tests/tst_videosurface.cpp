#include "Playback/PlayerController.h"
#include "Playback/VLCVideoView.h"
#include "Playback/VideoSurface.h"
#include "support/FakeMediaEngine.h"
#include "support/VirtualClock.h"

#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickWindow>
#include <QTest>
#include <QtQml/QQmlExtensionPlugin>

Q_IMPORT_QML_PLUGIN(QuillmerePlugin)

using namespace Qt::StringLiterals;

namespace {

constexpr int side = 400;
const QUrl filmURL(u"http://provider.test/movie/u/p/1.mp4"_s);

// Draws one picture of a single colour into the view as the decoder would.
void decode(VLCVideoView &view, QSize size, QRgb colour)
{
    const VLCVideoView::Layout layout = view.configure(size);
    uchar *pixels = nullptr;
    const quintptr buffer = view.lock(&pixels);
    for (int line = 0; line < size.height(); ++line) {
        auto *row = reinterpret_cast<QRgb *>(pixels + line * layout.bytesPerLine);
        std::fill(row, row + size.width(), colour);
    }
    view.display(buffer);
    view.unlock(buffer);
}

struct Rig
{
    VirtualClock clock;
    FakeMediaEngine *engine = new FakeMediaEngine;
    PlayerController controller{filmURL, std::unique_ptr<MediaEngine>(engine), clock};
    QQuickWindow window;

    Rig() { window.resize(side, side); }

    VideoSurface *addSurface()
    {
        auto *surface = new VideoSurface(window.contentItem());
        surface->setSize(QSizeF(side, side));
        surface->setController(&controller);
        return surface;
    }
    void turn() { clock.advance(std::chrono::milliseconds(0)); }
    QColor at(int x, int y) { return window.grabWindow().pixelColor(x, y); }
};

} // namespace

class VideoSurfaceTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void attemptWaitsUntilTheSurfaceIsInAWindow()
    {
        Rig rig;
        rig.controller.configure(filmURL, 0);
        rig.controller.start();
        VideoSurface *surface = rig.addSurface();
        QCOMPARE(rig.controller.state(), PlayerState::Buffering);
        // The report is made on a later turn, not while the surface is being set up.
        QVERIFY(rig.engine->openedURLs.isEmpty());
        rig.turn();
        QCOMPARE(rig.engine->openedURLs.size(), 1);

        // Rebuilt while playing: the new surface takes over the picture without a new attempt.
        rig.engine->report(MediaEngine::Playing);
        delete surface;
        rig.addSurface();
        rig.turn();
        QCOMPARE(rig.engine->openedURLs.size(), 1);
        QCOMPARE(rig.controller.state(), PlayerState::Playing);
    }

    void surfaceRemovedBeforeItsReportDoesNotReport()
    {
        Rig rig;
        rig.controller.configure(filmURL, 0);
        rig.controller.start();
        VideoSurface *surface = rig.addSurface();
        surface->setParentItem(nullptr);
        rig.turn();
        QVERIFY(rig.engine->openedURLs.isEmpty());
        surface->setParentItem(rig.window.contentItem());
        rig.turn();
        QCOMPARE(rig.engine->openedURLs.size(), 1);
        delete surface;
    }

    // A surface only moved out of its window (not dismantled) stays the controller's: a failure
    // in that moment still gets its retry.
    void aFailureWhileTheSurfaceIsOutOfItsWindowIsRetried()
    {
        Rig rig;
        rig.controller.configure(filmURL, 0);
        rig.controller.start();
        VideoSurface *surface = rig.addSurface();
        rig.turn();
        rig.engine->report(MediaEngine::Playing);
        surface->setParentItem(nullptr);
        rig.engine->report(MediaEngine::Failed);
        QCOMPARE(rig.controller.state(), PlayerState::Error);
        rig.turn();
        QCOMPARE(rig.controller.retryMessage(), u"Retry 1 of 3 in 1s"_s);
        delete surface;
    }

    void pictureIsFittedOrCroppedByItsTrueShape()
    {
        Rig rig;
        rig.addSurface();
        rig.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&rig.window));
        decode(*rig.controller.videoView(), QSize(200, 100), qRgb(200, 30, 30));

        // Fit: a 2:1 picture across the middle, black above and below.
        QTRY_COMPARE(rig.at(side / 2, side / 2), QColor(200, 30, 30));
        QCOMPARE(rig.at(side / 2, side / 8), QColor(Qt::black));
        QCOMPARE(rig.at(2, side / 2), QColor(200, 30, 30));

        // Fill: it covers the whole surface, cropped at the sides.
        rig.engine->setVideoFitMode(MediaEngine::Fill);
        QTRY_COMPARE(rig.at(side / 2, side / 8), QColor(200, 30, 30));
        QCOMPARE(rig.at(2, 2), QColor(200, 30, 30));

        // Pixels twice as tall as wide make the same buffer a square picture.
        rig.engine->setVideoFitMode(MediaEngine::Fit);
        rig.controller.videoView()->setDisplaySize(QSizeF(100, 100));
        QTRY_COMPARE(rig.at(side / 2, side / 8), QColor(200, 30, 30));

        // A new title starts from black, not from the previous title's last picture.
        rig.controller.videoView()->clear();
        QTRY_COMPARE(rig.at(side / 2, side / 2), QColor(Qt::black));
    }

    void paddedPictureIsCentredByItsOwnSizeBelowABar()
    {
        // The surface under a 32-pixel bar, drawn once before the first picture arrives.
        Rig rig;
        rig.window.resize(720, 466);
        VideoSurface *surface = rig.addSurface();
        surface->setPosition(QPointF(0, 32));
        surface->setSize(QSizeF(720, 434));
        rig.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&rig.window));
        QCOMPARE(rig.at(360, 240), QColor(Qt::black));

        // A 640x360 picture in a buffer of 386 lines: fitted 720x405, 14.5 rows of black on either side.
        decode(*rig.controller.videoView(), QSize(640, 386), qRgb(200, 30, 30));
        rig.controller.videoView()->setDisplaySize(QSizeF(640, 360));
        QTRY_COMPARE(rig.at(360, 240), QColor(200, 30, 30));
        for (const int row : {34, 44, 454, 464})
            QCOMPARE(rig.at(360, row), QColor(Qt::black));
        for (const int row : {48, 450})
            QCOMPARE(rig.at(360, row), QColor(200, 30, 30));

        // Filled, the shapes differ: it covers the whole surface.
        rig.engine->setVideoFitMode(MediaEngine::Fill);
        QTRY_COMPARE(rig.at(360, 34), QColor(200, 30, 30));
        QCOMPARE(rig.at(360, 464), QColor(200, 30, 30));
    }

    void playerViewCanDeclareTheSurface()
    {
        QQmlEngine engine;
        QQmlComponent component(&engine);
        component.setData("import Quillmere\nVideoSurface { width: 10; height: 10 }", QUrl());
        std::unique_ptr<QObject> created(component.create());
        QVERIFY2(created, qPrintable(component.errorString()));
        QVERIFY(qobject_cast<VideoSurface *>(created.get()));
    }

    void decoderNeverWritesAPictureThatIsShown()
    {
        VLCVideoView view;
        const VLCVideoView::Layout layout = view.configure(QSize(64, 32));
        QVERIFY(layout.bytesPerLine >= 64 * 4);
        QCOMPARE(layout.bytesPerLine % 64, 0);
        QVERIFY(layout.lines >= 32);

        uchar *first = nullptr;
        const quintptr firstBuffer = view.lock(&first);
        QCOMPARE(quintptr(first) % 64, quintptr(0));
        view.display(firstBuffer);
        view.unlock(firstBuffer);
        VLCVideoView::Frame shown = view.latestFrame();
        QCOMPARE(shown.image.constBits(), first);

        // While the picture is the newest and held by a reader, the decoder gets another buffer.
        uchar *second = nullptr;
        const quintptr secondBuffer = view.lock(&second);
        QVERIFY(second != first);
        view.display(secondBuffer);
        view.unlock(secondBuffer);
        QVERIFY(view.latestFrame().sequence > shown.sequence);

        // Once nobody holds the first picture, its buffer is reused.
        shown = {};
        uchar *third = nullptr;
        view.unlock(view.lock(&third));
        QCOMPARE(third, first);
    }
};

QTEST_MAIN(VideoSurfaceTest)
#include "tst_videosurface.moc"
