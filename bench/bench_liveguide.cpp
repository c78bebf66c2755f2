// The Live TV page and the TV guide in the program's window (offscreen unless told otherwise):
//  1. the guide over 6,000 channels with 48 programmes each for the day: from the change of page
//     to the first frame that shows the rows with their programmes (target under 300 ms), cold
//     (the guide's state emptied first) and warm (coming back to the guide);
//  2. scrolling the guide through all channels and then across the whole day, one step a frame:
//     the time from each step to its frame (target: 95th percentile under 16.7 ms);
//  3. the Live TV page over 60,000 channels: every frame interval while the page opens on all
//     channels and while a search is typed, with frames asked for continuously (target: none over
//     50 ms).
// Prints medians, 95th percentiles and maxima, and the renderer. The first argument sets the runs;
// a second, "guide" or "live", runs only that part.

#include "BenchProcess.h"
#include "BenchStatistics.h"
#include "BenchWindow.h"
#include "LargeCatalogue.h"

#include "App/GuideState.h"
#include "Catalogue/CatalogueDatabase.h"
#include "Views/Pages/Guide/GuidePageModel.h"
#include "Views/Pages/Live/LivePageModel.h"
#include "support/ArtworkFixture.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QQuickItem>
#include <QTimer>
#include <QtQml/QQmlExtensionPlugin>

#include <cstdio>
#include <ctime>

Q_IMPORT_QML_PLUGIN(QuillmerePlugin)

using namespace Qt::StringLiterals;

namespace {

int runs = 10; // the first argument overrides it
constexpr int guideChannels = 6000;
constexpr int programmesPerDay = 48;

// Every channel with a guide of 48 half-hour programmes from today's midnight.
void addDayGuide(CatalogueFixture &fixture, GeneratedCatalogue &catalogue)
{
    const QDateTime midnight = QDate::currentDate().startOfDay();
    QSet<QString> channels;
    for (ContentItem &item : catalogue.items) {
        item.epgChannelID = u"channel"_s + item.providerID + u".tv"_s;
        channels.insert(*item.epgChannelID);
    }
    fixture.addCatalogue(LargeCatalogue::playlist, catalogue);
    fixture.database().execute(u"BEGIN IMMEDIATE"_s);
    for (const QString &channel : std::as_const(channels)) {
        for (int slot = 0; slot < programmesPerDay; ++slot)
            fixture.addProgramme(LargeCatalogue::playlist, channel, u"Programme "_s + QString::number(slot),
                                 midnight.addSecs(slot * 1800), midnight.addSecs((slot + 1) * 1800));
    }
    fixture.database().execute(u"COMMIT"_s);
    std::printf("guide: %lld channels, %lld programmes\n", qint64(catalogue.items.size()),
                qint64(channels.size()) * programmesPerDay);
}

// Shows a page and returns a check that its page object, made for this showing, is ready.
template<typename Page>
std::function<bool()> showPage(BenchWindow &bench, Route route)
{
    // A page left earlier may linger until its deferred deletion.
    const QList<Page *> before = bench.window().findChildren<Page *>();
    bench.app().setRoute(route);
    return [&bench, before] {
        for (Page *page : bench.window().findChildren<Page *>()) {
            if (!before.contains(page))
                return page->isReady();
        }
        return false;
    };
}

// From the change of page to the first frame drawn once the guide shows its rows filled.
std::optional<double> openGuide(BenchWindow &bench)
{
    bench.app().setRoute(Route::Playlists);
    if (!bench.nextFrame())
        return std::nullopt;
    QElapsedTimer timer;
    timer.start();
    const bool ready = spinUntil(showPage<GuidePageModel>(bench, Route::Guide));
    if (!ready || !bench.nextFrame()) {
        std::printf("the guide did not show its rows\n");
        return std::nullopt;
    }
    return double(timer.nsecsElapsed()) / 1e6;
}

// The main thread's processor time, which other programs on the machine do not inflate.
double threadMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

struct StepTimes
{
    QList<double> wall;
    QList<double> thread;
};

// The time from a step to the frame that shows it, on the clock and in the main thread.
bool timeStep(BenchWindow &bench, StepTimes &times, const std::function<void()> &step)
{
    QElapsedTimer timer;
    timer.start();
    const double threadStart = threadMilliseconds();
    step();
    if (!bench.nextFrame())
        return false;
    times.wall.append(double(timer.nsecsElapsed()) / 1e6);
    times.thread.append(threadMilliseconds() - threadStart);
    return true;
}

void printSteps(const QString &name, const StepTimes &times)
{
    printFigures(name, times.wall, 16.7);
    printFigures(u"  main thread's processor time"_s, times.thread, 16.7);
}

QQuickItem *findItem(QQuickItem *root, const QString &name)
{
    if (root->objectName() == name)
        return root;
    for (QQuickItem *child : root->childItems()) {
        if (QQuickItem *found = findItem(child, name))
            return found;
    }
    return nullptr;
}

bool measureGuide(BenchWindow &bench)
{
    std::printf("renderer: %s, window %dx%d\n\n", qPrintable(bench.rendererName()), bench.window().width(),
                bench.window().height());
    GuideState &state = *bench.app().guide();
    QList<double> cold;
    QList<double> warm;
    for (int run = 0; run < runs; ++run) {
        // As on the first opening: nothing loaded, nothing read.
        state.setChannels({});
        state.setCache({});
        state.setLoadedKey({});
        const std::optional<double> first = openGuide(bench);
        const std::optional<double> again = openGuide(bench);
        if (!first || !again)
            return false;
        cold.append(*first);
        warm.append(*again);
    }
    // The generated catalogue repeats a few provider ids, as sloppy providers do.
    std::printf("the guide lists %lld channels\n", qint64(state.channels().size()));
    printFigures(u"guide opens, first filled frame"_s, cold, 300);
    printFigures(u"guide opens again (state kept)"_s, warm, 300);

    QQuickItem *rows = findItem(bench.window().contentItem(), u"guideRows"_s);
    if (!rows)
        return false;
    // Three rows a frame through every channel, then five minutes a frame through the day.
    StepTimes vertical;
    const double bottom = rows->property("contentHeight").toDouble() - rows->height();
    for (double y = 0; y <= bottom; y += 3 * 64) {
        if (!timeStep(bench, vertical, [rows, y] { rows->setProperty("contentY", y); }))
            return false;
    }
    printSteps(u"scroll through 6,000 channels"_s, vertical);
    StepTimes horizontal;
    for (const double y : {0.0, bottom / 3, 2 * bottom / 3, bottom}) {
        rows->setProperty("contentY", y);
        for (double minute = 0; minute <= 1440; minute += 5) {
            if (!timeStep(bench, horizontal, [&state, minute] { state.setMinuteOffset(minute); }))
                return false;
        }
    }
    printSteps(u"scroll across the day (4 places)"_s, horizontal);
    printSteps(u"all scroll frames"_s, {vertical.wall + horizontal.wall, vertical.thread + horizontal.thread});
    return true;
}

// Frame intervals while `work` runs, with a frame asked for at every turn of the event loop.
QList<double> frameIntervals(BenchWindow &bench, const std::function<bool()> &work)
{
    QList<double> intervals;
    QElapsedTimer clock;
    clock.start();
    qint64 last = clock.nsecsElapsed();
    const QMetaObject::Connection frames =
        QObject::connect(&bench.window(), &QQuickWindow::frameSwapped, &bench.window(), [&] {
            const qint64 now = clock.nsecsElapsed();
            intervals.append(double(now - last) / 1e6);
            last = now;
            bench.window().update();
        });
    bench.window().update();
    work();
    QObject::disconnect(frames);
    return intervals;
}

bool measureLive(BenchWindow &bench)
{
    AppModel &app = bench.app();
    QList<double> opening;
    QList<double> searching;
    for (int run = 0; run < runs; ++run) {
        app.setRoute(Route::Playlists);
        app.live()->setQuery({});
        app.live()->setScope(BrowseScope::all());
        if (!spinUntil([&] { return !app.live()->isLoading(); }))
            return false;
        opening += frameIntervals(bench, [&] { return spinUntil(showPage<LivePageModel>(bench, Route::Live)); });
        searching += frameIntervals(bench, [&] {
            // Typed at 80 ms a key, then the list of the whole search.
            for (const QString &text : {u"s"_s, u"sp"_s, u"spo"_s, u"spor"_s, u"sport"_s, u"sport "_s, u"sport h"_s,
                                        u"sport hd"_s}) {
                app.live()->setQuery(text);
                spinUntil([] { return false; }, 80);
            }
            spinUntil([] { return false; }, 300);
            return spinUntil([&] { return !app.live()->isLoading(); });
        });
    }
    std::printf("\nlive channels: %lld\n", app.store()->snapshot().liveCount);
    printFigures(u"live page opens: frame intervals"_s, opening, 50);
    printFigures(u"live search typed: frame intervals"_s, searching, 50);
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    // Settings of its own, so that nothing of the user's (a remembered page) plays in.
    const PrivateHome home;
    preferOffscreen();
    QGuiApplication application(argc, argv);
    ArtworkFixture artwork;
    if (argc > 1)
        runs = std::max(1, QString::fromLocal8Bit(argv[1]).toInt());
    const QString only = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();

    if (only != u"live"_s) {
        GeneratedCatalogue catalogue = generateCatalogue({guideChannels, 0, 0});
        CatalogueFixture fixture;
        fixture.addPlaylist(LargeCatalogue::playlist);
        addDayGuide(fixture, catalogue);
        BenchWindow bench(QFileInfo(fixture.path()).absolutePath(), artwork.memory());
        bench.window().resize(1440, 900);
        if (!bench.open() || !measureGuide(bench))
            return 1;
    }
    if (only == u"guide"_s)
        return 0;
    std::printf("\n");
    LargeCatalogue large;
    BenchWindow bench(QFileInfo(large.fixture().path()).absolutePath(), artwork.memory());
    bench.window().resize(1440, 900);
    if (!bench.open() || !measureLive(bench))
        return 1;
    return 0;
}
