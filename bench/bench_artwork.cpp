// Artwork loading at page scale: 2,000 posters from the loopback provider through the disk
// cache and the memory cache into artwork views, three times: with both caches empty (network,
// disk and decode), with the files on disk but nothing in memory (decode only), and with views
// made again over the same memory cache. Prints the time until every view shows its picture,
// the throughput, the median and 95th percentile of a view's wait, the memory cache's holding
// against its 160 MiB limit, and the process's peak memory. Runs offscreen.

#include "BenchProcess.h"
#include "BenchStatistics.h"

#include "App/QmlSingletons.h"
#include "Artwork/ArtworkCache.h"
#include "Artwork/ArtworkMemory.h"
#include "Views/Kit/ArtworkView.h"
#include "support/FakeProvider.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTemporaryDir>
#include <QEventLoop>
#include <QTimer>
#include <QtQml/QQmlExtensionPlugin>

#include <sys/resource.h>

#include <cstdio>
#include <memory>

Q_IMPORT_QML_PLUGIN(QuillmerePlugin)

using namespace Qt::StringLiterals;

namespace {

constexpr int posters = 2'000;
// Cards 100 wide ask for 220-pixel thumbnails of 300 x 450 posters.
constexpr int cardWidth = 100;

double peakMiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

struct Phase
{
    qint64 totalMs = 0;
    QList<double> waits;
    int shown = 0;
};

// Makes the grid of views, and waits until every one shows its picture (or 120 s pass).
Phase show(QQmlEngine &engine, QQuickWindow &window, const QUrl &base, std::unique_ptr<QQuickItem> &grid)
{
    grid.reset();
    QQmlComponent component(&engine);
    component.setData(uR"qml(
        import QtQuick
        import Quillmere
        Flow {
            required property string base
            width: 1600
            Repeater {
                model: %1
                Artwork {
                    required property int index
                    memory: ArtworkMemory
                    width: %2; height: %2 * 1.5
                    url: parent.base + "p" + index + ".jpg"
                    title: "Poster " + index
                    contentMode: Artwork.Fill
                    maxPixel: CardRules.posterMaxPixel(%2)
                    fallbackFont: CardRules.posterFallbackFont(%2)
                    logoPadding: 0
                    radius: 12
                }
            }
        })qml"_s.arg(posters)
                          .arg(cardWidth)
                          .toUtf8(),
                      QUrl(u"qrc:/bench/Grid.qml"_s));
    Phase phase;
    QEventLoop waiting;
    QElapsedTimer clock;
    clock.start();
    grid.reset(qobject_cast<QQuickItem *>(component.createWithInitialProperties({{u"base"_s, base.toString()}})));
    if (!grid) {
        std::fprintf(stderr, "%s\n", qPrintable(component.errorString()));
        return phase;
    }
    grid->setParentItem(window.contentItem());
    QList<ArtworkView *> views;
    for (QQuickItem *child : grid->childItems()) {
        if (auto *view = qobject_cast<ArtworkView *>(child))
            views.append(view);
    }
    const auto arrived = [&phase, &clock, &waiting, count = views.size()] {
        phase.waits.append(double(clock.nsecsElapsed()) / 1e6);
        if (phase.waits.size() == count)
            waiting.quit();
    };
    for (ArtworkView *view : std::as_const(views)) {
        if (view->isShown())
            arrived();
        else
            QObject::connect(view, &ArtworkView::shownChanged, view, arrived);
    }
    if (phase.waits.size() < views.size()) {
        QTimer::singleShot(120'000, &waiting, &QEventLoop::quit);
        waiting.exec();
    }
    phase.totalMs = clock.elapsed();
    if (phase.waits.size() < views.size())
        std::fprintf(stderr, "only %lld of %lld views showed a picture\n", qint64(phase.waits.size()), qint64(views.size()));
    phase.shown = int(phase.waits.size());
    return phase;
}

void print(const char *label, const Phase &phase, const ArtworkMemory &memory)
{
    std::printf("%-30s %5d shown  %7.2f s  %7.0f posters/s  wait median %7.1f ms  p95 %7.1f ms  "
                "memory cache %6.1f MiB (%4lld pictures)  peak %6.1f MiB\n",
                label, phase.shown, double(phase.totalMs) / 1000.0,
                double(phase.shown) * 1000.0 / double(std::max<qint64>(phase.totalMs, 1)), median(phase.waits),
                percentile(phase.waits, 0.95), double(memory.totalCost()) / (1024.0 * 1024.0),
                qint64(memory.count()), peakMiB());
}

} // namespace

int main(int argc, char *argv[])
{
    preferOffscreen();
    QGuiApplication application(argc, argv);
    FakeProvider provider;
    const QUrl base = provider.artworkURL(u"300x450/"_s);
    QTemporaryDir root;
    ArtworkCache disk(root.path());

    QQuickWindow window;
    window.resize(1600, 1000);
    window.show();
    std::unique_ptr<QQuickItem> grid;

    std::printf("%d posters of 300 x 450 into views %d wide (decoded at %d pixels), offscreen, %s renderer\n",
                posters, cardWidth, int(cardWidth * 2.2), qPrintable(QQuickWindow::sceneGraphBackend().isEmpty()
                                                                         ? u"default"_s
                                                                         : QQuickWindow::sceneGraphBackend()));
    // An engine keeps the memory cache it was first given, so each cache gets an engine of its own.
    {
        ArtworkMemory memory(disk);
        QmlSingletons::provide(memory);
        QQmlEngine engine;
        engine.addImportPath(u"qrc:/qt/qml"_s);
        print("empty caches (network)", show(engine, window, base, grid), memory);
        print("views made again", show(engine, window, base, grid), memory);
        grid.reset();
    }
    {
        ArtworkMemory memory(disk);
        QmlSingletons::provide(memory);
        QQmlEngine engine;
        engine.addImportPath(u"qrc:/qt/qml"_s);
        print("files on disk (decode only)", show(engine, window, base, grid), memory);
        grid.reset();
    }
    int requests = 0;
    for (const FakeRequest &request : provider.requests())
        requests += request.path.startsWith(u"/artwork/"_s) ? 1 : 0;
    std::printf("artwork requests to the provider: %d\n", requests);
    return 0;
}
