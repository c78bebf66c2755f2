#include "App/AppModel.h"
#include "App/AppUpdater.h"
#include "App/LaunchArguments.h"
#include "App/LaunchTask.h"
#include "App/PlayerCommands.h"
#include "App/ShotRunner.h"
#include "Playback/PlaybackWindowController.h"
#include "support/AppHarness.h"
#include "support/AwaitBlocking.h"
#include "support/FakeHttpServer.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QQuickWindow>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

QStringList launch(const QStringList &arguments)
{
    return QStringList{u"/usr/bin/quillmere"_s} + arguments;
}

// The images a run wrote, by file name.
QStringList images(const QTemporaryDir &directory)
{
    return QDir(directory.path()).entryList({u"*.png"_s}, QDir::Files, QDir::Name);
}

QSize imageSize(const QTemporaryDir &directory, const QString &name)
{
    return QImage(QDir(directory.path()).filePath(name)).size();
}

} // namespace

// Screenshot mode and the launch task: which arguments they read, what each page sets up, when
// each image is taken on the program's clock, and how the run ends.
class ShotRunnerTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readsTheWindowSize_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QSizeF>("expected");

        const QSizeF unchanged;
        QTest::newRow("width x height") << QStringList{u"--window"_s, u"1280x800"_s} << QSizeF(1280, 800);
        QTest::newRow("fractions") << QStringList{u"--window"_s, u"1280.5x800"_s} << QSizeF(1280.5, 800);
        QTest::newRow("empty pieces dropped") << QStringList{u"--window"_s, u"x1280xx800x"_s} << QSizeF(1280, 800);
        QTest::newRow("non-numbers dropped") << QStringList{u"--window"_s, u"1280xwidex800"_s} << QSizeF(1280, 800);
        QTest::newRow("first occurrence") << QStringList{u"--window"_s, u"900x700"_s, u"--window"_s, u"1x1"_s}
                                          << QSizeF(900, 700);
        QTest::newRow("upper-case X") << QStringList{u"--window"_s, u"1280X800"_s} << unchanged;
        QTest::newRow("one number") << QStringList{u"--window"_s, u"1280"_s} << unchanged;
        QTest::newRow("three numbers") << QStringList{u"--window"_s, u"1x2x3"_s} << unchanged;
        QTest::newRow("zero wide") << QStringList{u"--window"_s, u"0x800"_s} << unchanged;
        QTest::newRow("negative") << QStringList{u"--window"_s, u"-1280x800"_s} << unchanged;
        QTest::newRow("infinite") << QStringList{u"--window"_s, u"infx800"_s} << unchanged;
        QTest::newRow("last argument") << QStringList{u"--window"_s} << unchanged;
        QTest::newRow("missing") << QStringList{} << unchanged;
    }

    void readsTheWindowSize()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QSizeF, expected);

        const std::optional<QSizeF> size = LaunchArguments(launch(arguments)).windowSize();
        QCOMPARE(size.value_or(QSizeF()), expected);
    }

    void readsThePagesAndTheirImageNames_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("entries");

        QTest::newRow("default pages")
            << QStringList{u"--shots"_s, u"out"_s}
            << QStringList{u"home"_s, u"live"_s, u"movies"_s, u"series"_s, u"guide"_s, u"playlists"_s,
                           u"settings"_s, u"search"_s};
        QTest::newRow("empty pieces skipped") << QStringList{u"--shot-pages"_s, u",home,,live,"_s}
                                              << QStringList{u"home"_s, u"live"_s};
        QTest::newRow("only commas") << QStringList{u"--shot-pages"_s, u",,,"_s} << QStringList{};
        QTest::newRow("first occurrence") << QStringList{u"--shot-pages"_s, u"guide"_s, u"--shot-pages"_s, u"home"_s}
                                          << QStringList{u"guide"_s};
        QTest::newRow("value is whatever follows") << QStringList{u"--shot-pages"_s, u"--window"_s}
                                                   << QStringList{u"--window"_s};
    }

    void readsThePagesAndTheirImageNames()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, entries);

        QCOMPARE(LaunchArguments(launch(arguments)).shotPages(), entries);
    }

    void splitsAPageSpecification_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("argument");
        QTest::addColumn<QString>("fileName");

        QTest::newRow("plain") << u"home"_s << u"home"_s << QString() << u"home.png"_s;
        QTest::newRow("with argument") << u"search:comedy news"_s << u"search"_s << u"comedy news"_s
                                       << u"search-comedy news.png"_s;
        QTest::newRow("empty argument") << u"search:"_s << u"search"_s << QString() << u"search-.png"_s;
        QTest::newRow("argument keeps its colons") << u"search:a:b"_s << u"search"_s << u"a:b"_s << u"search-a-b.png"_s;
        QTest::newRow("no name before the colon") << u":news"_s << u"news"_s << QString() << u"-news.png"_s;
        // The image stays inside the output folder whatever the entry says.
        QTest::newRow("a name with a path") << u"../x"_s << u"../x"_s << QString() << u"..-x.png"_s;
        QTest::newRow("an argument with a path") << u"search:/tmp/../x"_s << u"search"_s << u"/tmp/../x"_s
                                                 << u"search--tmp-..-x.png"_s;
    }

    void splitsAPageSpecification()
    {
        QFETCH(QString, entry);
        QFETCH(QString, name);
        QFETCH(QString, argument);
        QFETCH(QString, fileName);

        const std::optional<ShotPage> page = ShotPage::parse(entry);
        QVERIFY(page);
        QCOMPARE(page->name, name);
        QCOMPARE(page->argument, argument);
        QCOMPARE(page->fileName(), fileName);
        QVERIFY(!ShotPage::parse(u":"_s));
        QVERIFY(!ShotPage::parse(u":::"_s));
    }

    void findsTheFilesToPlay()
    {
        QDir::setCurrent(QDir::tempPath());
        const LaunchArguments arguments(launch({u"--play-file"_s, u"first.mkv"_s, u"--play-file"_s, u"second.mkv"_s,
                                                u"--shots"_s, u"out"_s, u"--no-auto-refresh"_s, u"/media/a.mp4"_s,
                                                u"file:///media/b%20c.ogg"_s, u"https://example.com/d.mp4"_s,
                                                u"clip.webm"_s}));
        // Only the first "--play-file" counts, taken relative to the working directory.
        QCOMPARE(arguments.playFile(), QUrl::fromLocalFile(QDir::temp().filePath(u"first.mkv"_s)));
        // Handed files are the arguments that are neither options nor their values.
        QCOMPARE(arguments.handedFiles(),
                 (QList<QUrl>{QUrl::fromLocalFile(u"/media/a.mp4"_s), QUrl::fromLocalFile(u"/media/b c.ogg"_s),
                              QUrl::fromLocalFile(QDir::temp().filePath(u"clip.webm"_s))}));
        QVERIFY(!LaunchArguments(launch({u"--play-file"_s})).playFile());
        QVERIFY(!LaunchArguments(launch({u"--shots"_s})).shotDirectory());
    }

    void runsEachPageInItsOwnTime()
    {
        AppHarness harness;
        harness.storeHarness().startWithImportedPlaylist({4, 3, 2});
        harness.start();
        AppModel &app = harness.app();
        awaitBlocking(app.movies()->refreshIfNeeded());
        QVERIFY(!app.movies()->items().isEmpty());
        QQuickWindow window;
        window.resize(320, 240);
        window.setColor(Qt::darkBlue);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        int quits = 0;
        ShotRunner runner(app, harness.updater(), harness.playback(), harness.commands(), harness.clock(),
                          [&quits] { ++quits; });
        QTemporaryDir directory;
        QCoro::Task<void> run = runner.runIfRequested(LaunchArguments(launch(
            {u"--shots"_s, directory.path(), u"--window"_s, u"640x480"_s, u"--shot-pages"_s,
             u"movies-detail,collapse,search,update,nowhere,::,play-movie"_s})));
        VirtualClock &clock = harness.clock();

        // The window takes its size at once; the first page waits a second after the store opened.
        QCOMPARE(window.size(), QSize(640, 480));
        clock.advance(999ms);
        QCOMPARE(app.route(), Route::Home);
        clock.advance(1ms);
        QCOMPARE(app.route(), Route::Movies);

        // A detail page opens on the first film 2 s after its list, and is captured 3 s later.
        clock.advance(1999ms);
        QCOMPARE(app.detail(), std::nullopt);
        clock.advance(1ms);
        QCOMPARE(app.detail(), std::optional(app.movies()->items().constFirst()));
        clock.advance(2999ms);
        QVERIFY(images(directory).isEmpty());
        QVERIFY(!app.isSidebarCollapsed());
        clock.advance(1ms);
        QCOMPARE(images(directory), QStringList{u"movies-detail.png"_s});
        QCOMPARE(imageSize(directory, u"movies-detail.png"_s), QSize(640, 480));
        QVERIFY(app.isSidebarCollapsed());

        clock.advance(3s);
        QCOMPARE(app.route(), Route::Search);
        QCOMPARE(app.searchFocusRequest(), 1);
        // A bare "search" searches for "news", like "search:".
        QCOMPARE(app.searchText(), u"news"_s);
        clock.advance(3s);
        QCOMPARE(harness.updater().banner().value_or(UpdateInfo()).version, u"9.9.0"_s);
        QVERIFY(!harness.updater().blocking());

        // A name that matches nothing is captured as the window stands; only colons is no page.
        clock.advance(6s);
        QCOMPARE(images(directory), (QStringList{u"collapse.png"_s, u"movies-detail.png"_s, u"nowhere.png"_s,
                                                 u"search.png"_s, u"update.png"_s}));
        QCOMPARE(app.route(), Route::Movies);

        // A film starts 2 s after its list, and a player page is captured after 10 s.
        QVERIFY(!harness.playback().hasTarget());
        clock.advance(2s);
        QVERIFY(harness.playback().hasTarget());
        QCOMPARE(harness.playback().target()->title, app.movies()->items().constFirst().title);
        clock.advance(9999ms);
        QVERIFY(!images(directory).contains(u"play-movie.png"_s));
        clock.advance(1ms);
        QVERIFY(images(directory).contains(u"play-movie.png"_s));

        // Then the player closes, and a second later the program is asked to end.
        QVERIFY(!harness.playback().hasTarget());
        QCOMPARE(quits, 0);
        clock.advance(1s);
        QCOMPARE(quits, 1);
        QVERIFY(run.isReady());
    }

    void launchTaskSkipsTheUpdateCheckOfAScreenshotRun_data()
    {
        QTest::addColumn<bool>("screenshots");
        QTest::newRow("ordinary start") << false;
        QTest::newRow("screenshot run") << true;
    }

    void launchTaskSkipsTheUpdateCheckOfAScreenshotRun()
    {
        QFETCH(bool, screenshots);
        std::atomic<int> updateRequests = 0;
        FakeHttpServer service([&updateRequests](const FakeHttpRequest &) {
            ++updateRequests;
            return FakeResponse::whole(204, {}, "application/json");
        });
        AppHarness harness(QUrl(u"http://127.0.0.1:%1"_s.arg(service.port())));
        harness.start();
        int quits = 0;
        ShotRunner runner(harness.app(), harness.updater(), harness.playback(), harness.commands(), harness.clock(),
                          [&quits] { ++quits; });
        QTemporaryDir directory;
        QStringList arguments{u"--play-file"_s, u"/media/clip.mkv"_s};
        if (screenshots)
            arguments << u"--shots"_s << directory.path() << u"--shot-pages"_s << u","_s;

        QCoro::Task<void> task = runLaunchTask(LaunchArguments(launch(arguments)), harness.updater(),
                                               harness.playback(), runner);
        QTRY_VERIFY(harness.playback().hasTarget());
        QCOMPARE(harness.playback().target()->title, u"clip"_s);
        if (screenshots) {
            // No pages: the player closes after the first second and the run ends a second later.
            harness.clock().advance(1s);
            QVERIFY(!harness.playback().hasTarget());
            harness.clock().advance(1s);
            QCOMPARE(quits, 1);
            QVERIFY(images(directory).isEmpty());
        }
        QTRY_VERIFY(task.isReady());
        QCOMPARE(updateRequests.load(), screenshots ? 0 : 1);
        QCOMPARE(quits, screenshots ? 1 : 0);
    }
};

QTEST_MAIN(ShotRunnerTest)
#include "tst_shotrunner.moc"
