// The window over a 300,000-item catalogue (60k channels, 200k films, 40k series):
//  1. start-up: the program itself, started as a child process on the catalogue, from the start
//     of the process to the first frame that shows the library rather than the start-up
//     placeholder (the program notes that frame in its log); target under 1 s;
//  2. page switch: in this process, the same window over the same catalogue, from the change of
//     page to the first frame drawn after the new page has its first data; target under 150 ms.
// Prints medians and 95th percentiles. The first argument sets the number of runs.
// Page issues add their own cases to pageSwitches() below.

#include "BenchProcess.h"
#include "BenchStatistics.h"
#include "BenchWindow.h"
#include "LargeCatalogue.h"

#include "Views/Shell/PageModel.h"
#include "support/ArtworkFixture.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPointer>
#include <QProcess>
#include <QQuickItem>
#include <QQuickWindow>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtQml/QQmlExtensionPlugin>

#include <cstdio>
#include <functional>

Q_IMPORT_QML_PLUGIN(QuillmerePlugin)

using namespace Qt::StringLiterals;

namespace {

int runs = 15; // the first argument overrides it

struct PageSwitch
{
    QString name;
    std::function<void(AppModel &)> change;
};

// Every change of page that the benchmark times, each from the page before it in the list (the
// window opens on home, which therefore comes last).
QList<PageSwitch> pageSwitches()
{
    QList<PageSwitch> switches;
    for (size_t index = 1; index <= allRoutes.size(); ++index) {
        const Route route = allRoutes.at(index % allRoutes.size());
        switches.append({routeText(route), [route](AppModel &app) { app.setRoute(route); }});
    }
    return switches;
}

// Starts the program on the catalogue and reads how long it took to show the library: the time
// this process saw until the program's log line, and the program's own count since its main().
std::optional<std::pair<double, double>> startProgram(const QString &dataDirectory, const QString &home)
{
    QProcess program;
    QProcessEnvironment environment = programEnvironment(dataDirectory, home);
    environment.remove(u"DBUS_SESSION_BUS_ADDRESS"_s);
    environment.insert(u"QT_LOGGING_RULES"_s, u"com.zel.quillmere.macos.*=false\ncom.zel.quillmere.macos.shell.info=true"_s);
    program.setProcessEnvironment(environment);
    program.setProcessChannelMode(QProcess::MergedChannels);

    QElapsedTimer timer;
    timer.start();
    program.start(QStringLiteral(QUILLMERE_PATH), {u"--no-auto-refresh"_s});
    const QRegularExpression shown(u"library was shown (\\d+) ms after start"_s);
    QByteArray output;
    std::optional<std::pair<double, double>> figures;
    while (!figures && program.waitForReadyRead(30'000)) {
        const double seen = double(timer.nsecsElapsed()) / 1e6;
        output += program.readAll();
        if (const QRegularExpressionMatch match = shown.match(QString::fromUtf8(output)); match.hasMatch())
            figures = std::pair(seen, match.captured(1).toDouble());
    }
    program.kill();
    program.waitForFinished();
    if (!figures)
        std::printf("the program did not show the library:\n%s\n", output.constData());
    return figures;
}

// The page objects alive in the window.
QList<QPointer<PageModel>> livePages(QQuickWindow &window)
{
    QList<QPointer<PageModel>> pages;
    for (PageModel *page : window.findChildren<PageModel *>())
        pages.append(page);
    return pages;
}

// From the change to the first frame drawn once a page object that did not exist before has its
// first data.
std::optional<double> timeSwitch(BenchWindow &bench, const PageSwitch &change)
{
    QQuickWindow &window = bench.window();
    const QList<QPointer<PageModel>> before = livePages(window);
    QElapsedTimer timer;
    timer.start();
    change.change(bench.app());
    const auto newReadyPage = [&] {
        for (PageModel *page : window.findChildren<PageModel *>()) {
            const bool old = std::any_of(before.cbegin(), before.cend(), [page](const QPointer<PageModel> &seen) {
                return seen == page;
            });
            if (!old && page->isReady())
                return true;
        }
        return false;
    };
    if (!spinUntil(newReadyPage) || !bench.nextFrame())
        return std::nullopt;
    return double(timer.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char *argv[])
{
    // Settings of its own, so that nothing of the user's (a remembered page) plays in.
    const PrivateHome privateHome;
    preferOffscreen();
    QGuiApplication application(argc, argv);
    if (argc > 1)
        runs = std::max(1, QString::fromLocal8Bit(argv[1]).toInt());

    LargeCatalogue large;
    const QString dataDirectory = QFileInfo(large.fixture().path()).absolutePath();

    // 1. Start-up of the program itself.
    QTemporaryDir home;
    QList<double> seen;
    QList<double> ownCount;
    for (int run = 0; run < runs; ++run) {
        const std::optional<std::pair<double, double>> figures = startProgram(dataDirectory, home.path());
        if (!figures)
            return 1;
        seen.append(figures->first);
        ownCount.append(figures->second);
    }
    printFigures(u"start-up to the library's first frame"_s, seen, 1000);
    printFigures(u"  of which after main()"_s, ownCount, 1000);

    // 2. Page switches, in this process on the same file.
    ArtworkFixture artwork;
    BenchWindow bench(dataDirectory, artwork.memory());
    if (!bench.open())
        return 1;
    std::printf("\nrenderer: %s\n", qPrintable(bench.rendererName()));

    const QList<PageSwitch> switches = pageSwitches();
    QHash<QString, QList<double>> times;
    for (int run = 0; run < runs; ++run) {
        for (const PageSwitch &change : switches) {
            const std::optional<double> ms = timeSwitch(bench, change);
            if (!ms) {
                std::printf("the %s page never showed its first data\n", qPrintable(change.name));
                return 1;
            }
            times[change.name].append(*ms);
        }
    }
    for (const PageSwitch &change : switches)
        printFigures(u"switch to "_s + change.name, times.value(change.name), 150);
    return 0;
}
