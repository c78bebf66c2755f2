// The library pages over a 300,000-item catalogue (60k channels, 200k films, 40k series), in the
// program's window:
//  1. the films grid opening: from the change of page to the first frame that shows posters, in
//     a window just opened (the browse model has loaded nothing yet); target under 300 ms;
//  2. the films grid scrolled from top to bottom, a row a frame, paging through the browse
//     model as a user's scrolling does: the time of each frame (delegates made, laid out and
//     drawn); target: 95th percentile under 16.7 ms. Waits for the next page are not frames;
//  3. search: the search page from the change of its text to the stored results, less the 0.2 s
//     wait for typing to pause; target: answered within 100 ms of the wait.
// Prints medians and 95th percentiles and the renderer. The first argument sets the number of
// runs of 1 and 3; a second stops the scroll of 2 once that many titles are paged in (a quick look
// at the frames, rather than the whole catalogue).

#include "BenchProcess.h"
#include "BenchStatistics.h"
#include "BenchWindow.h"
#include "LargeCatalogue.h"

#include "Catalogue/CatalogueDatabase.h"
#include "Catalogue/SqliteStatement.h"
#include "support/ArtworkFixture.h"
#include "support/FakeProvider.h"

#include "Pages/Search/SearchPageModel.h"
#include "Views/Shell/PageModel.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QQuickItem>

#include <cstdio>
#include <limits>

using namespace Qt::StringLiterals;

namespace {

int runs = 15; // the first argument overrides it
qint64 scrollLimit = std::numeric_limits<qint64>::max(); // the second argument overrides it
constexpr double typingPauseMs = 200;

// Search terms as users type them: a common word, two words, a rare word, and one that matches
// nothing.
const QStringList searchTerms{u"night"_s, u"city river"_s, u"amélie"_s, u"news"_s, u"qqzz"_s};

// From the change of the text to the stored results of its search, less the wait.
std::optional<double> timeSearch(AppModel &app, SearchPageModel &page, const QString &term)
{
    app.setSearchText(QString());
    if (!spinUntil([&page] { return page.showsSuggestions() && !page.isSearching(); }))
        return std::nullopt;
    QElapsedTimer timer;
    timer.start();
    app.setSearchText(term);
    bool answered = false;
    const QMetaObject::Connection results = QObject::connect(&page, &SearchPageModel::resultsChanged, &page,
                                                             [&] { answered = answered || !page.isSearching(); });
    const bool done = spinUntil([&answered] { return answered; });
    QObject::disconnect(results);
    return done ? std::optional(double(timer.nsecsElapsed()) / 1e6 - typingPauseMs) : std::nullopt;
}

QQuickItem *posterGrid(QQuickWindow &window)
{
    return window.findChild<QQuickItem *>(u"posterGrid"_s);
}

// A fresh program on the catalogue: its window opens on home, then shows the films; the time
// until the first frame that has posters on it.
std::optional<double> timeGridOpening(const QString &dataDirectory, ArtworkMemory &artwork)
{
    BenchWindow program(dataDirectory, artwork);
    if (!program.open() || !program.nextFrame())
        return std::nullopt;
    QQuickWindow *window = &program.window();
    QElapsedTimer timer;
    timer.start();
    program.app().setRoute(Route::Movies);
    const auto filled = [window] {
        QQuickItem *grid = posterGrid(*window);
        return grid && grid->isVisible() && grid->property("count").toInt() > 0
            && grid->property("contentItem").value<QQuickItem *>()->childItems().size() > 1;
    };
    if (!spinUntil(filled) || !program.nextFrame())
        return std::nullopt;
    return double(timer.nsecsElapsed()) / 1e6;
}

// The times of the frames of a scroll, whole and by phase: items polished (cells handed their
// items, laid out), the scene synchronised (painted items painted), the scene rendered.
struct ScrollFrames
{
    QList<double> whole;
    QList<double> polish;
    QList<double> sync;
    QList<double> render;
};

// Scrolls the films grid from the top to the last title, a row a frame; the times of every frame
// and how many titles were paged in.
std::optional<ScrollFrames> scrollGrid(BenchWindow &program, qint64 &titles)
{
    QQuickWindow &window = program.window();
    AppModel &app = program.app();
    app.setRoute(Route::Movies);
    BrowseModel &movies = *app.movies();
    if (!spinUntil([&] { return posterGrid(window) && movies.items().size() > 0 && !movies.isLoading(); }))
        return std::nullopt;
    QQuickItem *grid = posterGrid(window);
    // A row a frame: about 20,000 points a second at 60 frames a second, a hard fling.
    const qreal scrollStep = grid->property("cellHeight").toReal();
    ScrollFrames frames;
    QElapsedTimer timer;
    double synchronising = 0;
    double rendering = 0;
    double rendered = 0;
    const auto mark = [&timer](double &at) { return [&timer, &at] { at = double(timer.nsecsElapsed()) / 1e6; }; };
    const QList<QMetaObject::Connection> phases{
        QObject::connect(&window, &QQuickWindow::beforeSynchronizing, &window, mark(synchronising), Qt::DirectConnection),
        QObject::connect(&window, &QQuickWindow::beforeRendering, &window, mark(rendering), Qt::DirectConnection),
        QObject::connect(&window, &QQuickWindow::afterRendering, &window, mark(rendered), Qt::DirectConnection),
    };
    while (movies.items().size() < scrollLimit) {
        if (grid->property("atYEnd").toBool()) {
            // At the end of what is loaded: the next page, or the last title. A page that came
            // counts once the grid has laid it out at its next polish: the list grows before
            // the grid's end moves.
            if (movies.isExhausted())
                break;
            const bool paged = spinUntil(
                [&] { return !grid->property("atYEnd").toBool() || movies.isExhausted(); }, 120'000);
            if (!paged) {
                std::printf("no page came after %lld of %lld titles\n", qint64(movies.items().size()), movies.total());
                return std::nullopt;
            }
            continue;
        }
        timer.start();
        grid->setProperty("contentY", grid->property("contentY").toReal() + scrollStep);
        if (!program.nextFrame()) {
            std::printf("no frame came after %lld frames\n", qint64(frames.whole.size()));
            return std::nullopt;
        }
        frames.whole.append(double(timer.nsecsElapsed()) / 1e6);
        frames.polish.append(synchronising);
        frames.sync.append(rendering - synchronising);
        frames.render.append(rendered - rendering);
    }
    for (const QMetaObject::Connection &phase : phases)
        QObject::disconnect(phase);
    titles = movies.items().size();
    return frames;
}

} // namespace

int main(int argc, char *argv[])
{
    // Settings of its own, so that nothing of the user's (a remembered page) plays in.
    const PrivateHome home;
    preferOffscreen();
    QGuiApplication application(argc, argv);
    if (argc > 1)
        runs = std::max(1, QString::fromLocal8Bit(argv[1]).toInt());
    if (argc > 2)
        scrollLimit = std::max(1LL, QString::fromLocal8Bit(argv[2]).toLongLong());

    // The posters come from a provider on this machine, as fast as a good one answers.
    FakeProvider provider;
    const QString artworkBase = provider.artworkURL(u"300x450/"_s).toString();
    LargeCatalogue large([&artworkBase](CatalogueFixture &fixture, const GeneratedCatalogue &) {
        SqliteStatement served(fixture.database().handle(),
                               u"UPDATE content_items SET artwork_url=? || provider_id || '.jpg' WHERE artwork_url IS NOT NULL"_s);
        served.bind(1, artworkBase);
        served.step();
    });
    const QString dataDirectory = QFileInfo(large.fixture().path()).absolutePath();
    // Artwork goes to a cache of its own, so that the benchmark leaves the user's alone.
    ArtworkFixture artwork;

    // 1. The films grid opening.
    QList<double> openings;
    for (int run = 0; run < runs; ++run) {
        const std::optional<double> ms = timeGridOpening(dataDirectory, artwork.memory());
        if (!ms) {
            std::printf("the films grid never showed its posters\n");
            return 1;
        }
        openings.append(*ms);
    }

    BenchWindow program(dataDirectory, artwork.memory());
    AppModel &app = program.app();
    if (!program.open())
        return 1;
    std::printf("renderer: %s, window %dx%d\n\n", qPrintable(program.rendererName()), program.window().width(),
                program.window().height());
    printFigures(u"films grid opened to its first posters"_s, openings, 300);

    // 2. The films grid scrolled to the end.
    qint64 titles = 0;
    QElapsedTimer scrolling;
    scrolling.start();
    const std::optional<ScrollFrames> frames = scrollGrid(program, titles);
    if (!frames) {
        std::printf("the films grid did not scroll to its end\n");
        return 1;
    }
    printFigures(u"films grid frame while scrolling"_s, frames->whole, 16.7);
    printFigures(u"  of which polish"_s, frames->polish, 16.7);
    printFigures(u"  of which sync"_s, frames->sync, 16.7);
    printFigures(u"  of which render"_s, frames->render, 16.7);
    std::printf("  %lld titles paged in over %lld frames in %.1f s\n", titles, qint64(frames->whole.size()),
                double(scrolling.elapsed()) / 1000.0);
    app.setRoute(Route::Home);

    // 3. Search.
    SearchPageModel search;
    search.setApp(&app);
    QList<double> answers;
    QHash<QString, QList<double>> byTerm;
    for (int run = 0; run < runs; ++run) {
        for (const QString &term : searchTerms) {
            const std::optional<double> ms = timeSearch(app, search, term);
            if (!ms) {
                std::printf("the search for %s never answered\n", qPrintable(term));
                return 1;
            }
            answers.append(*ms);
            byTerm[term].append(*ms);
        }
    }
    for (const QString &term : searchTerms)
        printFigures(u"  search \u201C"_s + term + u"\u201D"_s, byTerm.value(term), 100);
    printFigures(u"search answered after the 0.2 s wait"_s, answers, 100);
    return 0;
}
