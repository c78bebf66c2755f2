// The whole program end to end: a provider in a process of its own, playlists added the way a
// user adds them (logins saved in a real Secret Service, the catalogue and guide imported; one
// with a login the provider refuses, one whose import hangs), then the program itself in
// screenshot mode, offscreen. Every page of the list below must come out as a full-size picture
// with something on it, and no two pages may look alike. States that no page of screenshot mode
// reaches (an open editor, a settings section) are then reached by hand: the same views and
// objects in this process, on the same data, clicked and typed into like a user would.
// QUILLMERE_TEST_SHOTS names a directory that keeps the pictures.
#include "App/AppModel.h"
#include "App/AppUpdater.h"
#include "App/PlayerCommands.h"
#include "App/QmlSingletons.h"
#include "App/UpdateServiceClient.h"
#include "Catalogue/SecretServiceKeyring.h"
#include "Playback/PlaybackWindowController.h"
#include "Playback/PlayerController.h"
#include "Store/CatalogueStore.h"
#include "Support/Clock.h"
#include "Support/UserSettings.h"
#include "support/ArtworkFixture.h"
#include "support/AwaitBlocking.h"
#include "support/FakeMediaEngine.h"
#include "support/FakeProvider.h"
#include "support/InstantAnimations.h"
#include "support/MediaFixtures.h"
#include "support/QmlHarness.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QQmlApplicationEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTemporaryDir>
#include <QTest>
#include <QtQml/QQmlExtensionPlugin>

Q_IMPORT_QML_PLUGIN(QuillmerePlugin)

using namespace Qt::StringLiterals;

namespace {

// The pages every run captures. A new page adds its entries here.
const QStringList shotPages{u"home"_s,          u"live"_s,       u"live-select"_s,  u"live-all"_s,
                            u"movies"_s,        u"series"_s,     u"guide"_s,        u"playlists"_s,
                            u"settings"_s,      u"search"_s,     u"search:sport"_s, u"movies-detail"_s,
                            u"series-detail"_s, u"youtube"_s,    u"update"_s,       u"collapse"_s,
                            u"play-live"_s,     u"play-panel"_s, u"play-movie"_s};
// The media the provider serves: every film and episode, and every channel (looped).
constexpr int filmSeconds = 60;
constexpr int streamSeconds = 10;
// What a user reaches by hand, each captured under the name given here.
const QStringList settingsSections{u"General"_s, u"Playback"_s,       u"Live TV"_s, u"Categories"_s,
                                   u"Updates"_s, u"Privacy & data"_s, u"About"_s};

const QSize windowSize(1440, 900);
// Where the pages differ: everything right of the collapsed sidebar.
const QRect pageArea(73, 0, 1367, 900);

// The run's own waits: a second after the catalogue opened, 3 s a page (10 s for the player
// pages and for playlists, whose name starts alike), a second before the end; plus start-up.
int expectedRunMs()
{
    int total = 2000;
    for (const QString &page : shotPages)
        total += page.startsWith(u"play"_s) ? 10'000 : 3000;
    return total;
}

bool isSingleColour(const QImage &image)
{
    const QRgb first = image.pixel(0, 0);
    for (int y = 0; y < image.height(); y += 3) {
        for (int x = 0; x < image.width(); x += 3) {
            if (image.pixel(x, y) != first)
                return false;
        }
    }
    return true;
}

// "Privacy & data" is settings-privacy-data.png.
QString sectionFile(const QString &section)
{
    QString slug = section.toLower();
    slug.replace(u" & "_s, u"-"_s).replace(u' ', u'-');
    return u"settings-"_s + slug + u".png"_s;
}

// The objects main() builds and its window, in this process, over a data directory.
class InProcessProgram
{
public:
    explicit InProcessProgram(const QString &dataDirectory)
        : m_store({dataDirectory, false}, m_keyring, m_clock)
        , m_playback([this](const QUrl &url, QObject *parent) {
            return new PlayerController(url, std::make_unique<FakeMediaEngine>(), m_clock, parent);
        })
        , m_app(m_store, m_playback)
        , m_updater(UpdateServiceClient(QUrl(u"http://127.0.0.1:9"_s)), m_clock, [](const QUrl &) {})
    {
        awaitBlocking(m_store.started());
        InstantAnimations::install();
        QmlSingletons::provide(m_app, m_store, m_updater, m_playback, m_commands, m_artwork.memory());
        m_engine.addImportPath(u"qrc:/qt/qml"_s);
        m_engine.load(QUrl(u"qrc:/qt/qml/Quillmere/Shell/Main.qml"_s));
        m_window = m_engine.rootObjects().isEmpty() ? nullptr
                                                    : qobject_cast<QQuickWindow *>(m_engine.rootObjects().constFirst());
        if (m_window) {
            m_window->resize(windowSize);
            (void)QTest::qWaitForWindowExposed(m_window);
        }
    }

    [[nodiscard]] QQuickWindow *window() const { return m_window; }
    [[nodiscard]] AppModel &app() { return m_app; }
    [[nodiscard]] CatalogueStore &store() { return m_store; }

    // The item of that name, once it shows.
    QQuickItem *shown(const QString &name)
    {
        QQuickItem *item = nullptr;
        const bool found = QTest::qWaitFor([&] {
            item = QmlHarness::find(m_window->contentItem(), name);
            return item && item->isVisible();
        });
        return found ? item : nullptr;
    }

    void click(QQuickItem *item)
    {
        // A drawn frame puts everything where the user sees it before the pointer goes there.
        (void)m_window->grabWindow();
        QTest::mouseClick(m_window, Qt::LeftButton, {}, item->mapToScene(QPointF(item->width() / 2, item->height() / 2)).toPoint());
    }

    void type(const QString &text) { QmlHarness::typeInto(*m_window, text); }

    // Moves the pointer off the page (no hover help in the picture), ends the transitions, then
    // writes the window as drawn.
    bool capture(const QString &path)
    {
        QTest::mouseMove(m_window, QPoint(m_window->width() - 2, m_window->height() - 2));
        QmlHarness::settle();
        return m_window->grabWindow().save(path, "PNG");
    }

private:
    SystemClock m_clock;
    SecretServiceKeyring m_keyring;
    CatalogueStore m_store;
    PlaybackWindowController m_playback;
    AppModel m_app;
    AppUpdater m_updater;
    PlayerCommands m_commands;
    ArtworkFixture m_artwork;
    QQmlApplicationEngine m_engine;
    QQuickWindow *m_window = nullptr;
};

} // namespace

class ScreenshotsTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
            QSKIP("needs a session bus with a Secret Service; run through tests/support/with-keyring.sh");
        QVERIFY(m_data.isValid() && m_shots.isValid() && m_media.isValid());
        if (MediaFixtures::ffmpegPath().isEmpty())
            QSKIP("needs ffmpeg to make the media the player pages play");
        m_shotDirectory = qEnvironmentVariable("QUILLMERE_TEST_SHOTS", m_shots.path());
        QVERIFY(QDir().mkpath(m_shotDirectory));
        const QString film = m_media.filePath(u"film.mp4"_s);
        const QString stream = m_media.filePath(u"channel.ts"_s);
        QVERIFY(MediaFixtures::makeTestFilm(film, filmSeconds, QSize(1280, 720)));
        QVERIFY(MediaFixtures::makeTestFilm(stream, streamSeconds, QSize(1024, 576)));
        m_port = startProvider(m_provider, {u"--media-file"_s, film, u"--live-file"_s, stream, u"--live-rate"_s,
                                            QString::number(QFileInfo(stream).size() / streamSeconds)});
        m_hangingPort = startProvider(m_hangingProvider, {u"--stall"_s, u"get_vod_streams"_s});
        QVERIFY(m_port && m_hangingPort);
        addPlaylistsAsAUserWould();
        // The settings of this provider's user: its channels come as MPEG-TS only, and the player's
        // controls stay up long enough to be in the player pages' pictures.
        UserSettings::setValue(u"quillmere.liveFormat"_s, u"ts"_s);
        UserSettings::setValue(u"quillmere.osdTimeoutSeconds"_s, 60);
    }

    // The pictures of a failed run stay for a look.
    void cleanup()
    {
        if (QTest::currentTestFailed()) {
            m_shots.setAutoRemove(false);
            qInfo().noquote() << "The screenshots are kept in" << m_shotDirectory;
        }
    }

    void cleanupTestCase()
    {
        for (QProcess *provider : {&m_provider, &m_hangingProvider}) {
            if (provider->state() != QProcess::NotRunning) {
                provider->closeWriteChannel();
                provider->waitForFinished(5000);
            }
        }
    }

    // Without a playlist every page but settings is the welcome page.
    void capturesTheWelcomePage()
    {
        const QTemporaryDir empty;
        QVERIFY(runProgram(empty.path(), {u"welcome"_s}, 4000));
        const QImage image(QDir(m_shotDirectory).filePath(u"welcome.png"_s));
        QCOMPARE(image.size(), windowSize);
        QVERIFY(!isSingleColour(image.copy(pageArea)));
    }

    // Automatic refresh stays on, so that the playlist whose import was cut short imports again
    // (and hangs where its provider falls silent) while the playlists page is captured; the
    // other playlists were refreshed just now and are not due.
    void capturesEveryPage()
    {
        QVERIFY(runProgram(m_data.path(), shotPages, expectedRunMs()));

        QList<QImage> pages;
        for (const QString &page : shotPages) {
            const QImage image(QDir(m_shotDirectory).filePath(QString(page).replace(u':', u'-') + u".png"_s));
            QVERIFY2(!image.isNull(), qPrintable(page + u".png is missing"_s));
            QCOMPARE(image.size(), windowSize);
            QVERIFY2(!isSingleColour(image), qPrintable(page + u".png is blank"_s));
            pages.append(image.copy(pageArea));
        }
        for (qsizetype a = 0; a < pages.size(); ++a) {
            for (qsizetype b = a + 1; b < pages.size(); ++b)
                QVERIFY2(pages.at(a) != pages.at(b), qPrintable(shotPages.at(a) + u" looks like "_s + shotPages.at(b)));
        }
    }

    // The states of the settings page and the playlist editor that only clicks and typing reach.
    void capturesWhatAUserReachesByHand()
    {
        InProcessProgram program(m_data.path());
        QVERIFY(program.window());
        const QDir shots(m_shotDirectory);

        program.app().setRoute(Route::Settings);
        for (const QString &section : settingsSections) {
            QQuickItem *row = program.shown(u"section-"_s + section);
            QVERIFY2(row, qPrintable(section));
            program.click(row);
            if (section == u"Categories"_s)
                hideAndFilterCategories(program);
            QVERIFY(program.capture(shots.filePath(sectionFile(section))));
        }

        program.app().setRoute(Route::Playlists);
        program.click(program.shown(u"addPlaylist"_s));
        QVERIFY(program.shown(u"editor"_s) || program.shown(u"nameField"_s));
        program.type(u"Living room"_s);
        program.click(program.shown(u"serverField"_s)->property("input").value<QQuickItem *>());
        program.type(u"http://provider.example.com:8080"_s);
        program.click(program.shown(u"usernameField"_s)->property("input").value<QQuickItem *>());
        program.type(u"anna"_s);
        program.click(program.shown(u"passwordField"_s)->property("input").value<QQuickItem *>());
        program.type(u"secret"_s);
        QVERIFY(program.capture(shots.filePath(u"playlist-editor.png"_s)));

        // An address without its scheme: the editor says what is wrong and will not save.
        program.click(program.shown(u"serverField"_s)->property("input").value<QQuickItem *>());
        QTest::keyClick(program.window(), Qt::Key_A, Qt::ControlModifier);
        program.type(u"provider.example.com"_s);
        QTest::keyClick(program.window(), Qt::Key_Tab);
        QVERIFY(program.shown(u"errorLine"_s));
        QVERIFY(!program.shown(u"save"_s)->isEnabled());
        QVERIFY(program.capture(shots.filePath(u"playlist-editor-problem.png"_s)));
    }

private:
    // Hides French, filters the list for sports and hides the first category left.
    void hideAndFilterCategories(InProcessProgram &program)
    {
        // Both lists are read again after each change, so their items are looked up anew.
        const auto showsHidden = [&program](const QString &name) {
            return QTest::qWaitFor([&] { return program.shown(name)->property("symbol").toString() == u"eye.slash"_s; });
        };
        QVERIFY(program.shown(u"language-fr"_s));
        program.click(program.shown(u"language-fr"_s));
        QVERIFY(showsHidden(u"language-fr"_s));
        program.click(program.shown(u"filter"_s));
        program.type(u"sport"_s);
        program.click(program.shown(u"hide"_s));
        QVERIFY(showsHidden(u"hide"_s));
    }

    // Runs the program in screenshot mode on a data directory; true when it ended well by itself.
    bool runProgram(const QString &dataDirectory, const QStringList &pages, int runMs)
    {
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
        environment.insert(u"QUILLMERE_DATA_DIRECTORY"_s, dataDirectory);
        program.setProcessEnvironment(environment);
        program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        program.start(QStringLiteral(QUILLMERE_PATH),
                      {u"--shots"_s, m_shotDirectory, u"--shot-pages"_s, pages.join(u','), u"--window"_s,
                       u"%1x%2"_s.arg(windowSize.width()).arg(windowSize.height())});
        return program.waitForFinished(runMs + 60'000) && program.exitStatus() == QProcess::NormalExit
            && program.exitCode() == 0;
    }

    // The provider's port; 0 when it did not start.
    static quint16 startProvider(QProcess &provider, const QStringList &extraArguments)
    {
        provider.start(QStringLiteral(FAKE_PROVIDER_PATH),
                       QStringList{u"--live"_s, u"8000"_s, u"--movies"_s, u"80"_s, u"--series"_s, u"30"_s,
                                   u"--guide-channels"_s, u"40"_s, u"--guide-programmes"_s, u"48"_s}
                           + extraArguments);
        if (!provider.waitForReadyRead(10'000))
            return 0;
        const QByteArray line = provider.readLine().trimmed();
        return line.startsWith("port=") ? quint16(line.mid(5).toUInt()) : 0;
    }

    // Saves each login in the keyring and adds its playlist through the store, as the playlist
    // editor does: one whose catalogue and guide import, one whose login the provider refuses,
    // and one whose import hangs and is cut short when the store closes. The first is chosen.
    void addPlaylistsAsAUserWould()
    {
        SystemClock clock;
        SecretServiceKeyring keyring;
        CatalogueStore store({m_data.path(), false}, keyring, clock);
        awaitBlocking(store.started());
        const auto add = [&](const QString &name, XtreamCredentials login) {
            const QString reference =
                awaitBlocking(store.credentialStore().save(login.serverURL, login.username, login.password));
            return store.addPlaylist(name, login.serverURL, reference).value_or(Playlist());
        };

        const Playlist ready = add(u"Fake provider"_s, FakeProvider::defaultCredentials(m_port));
        QVERIFY(QTest::qWaitFor([&] { return !store.isRefreshing(ready.id); }, 60'000));
        QCOMPARE(store.activePlaylist().value_or(Playlist()).syncState, u"ready"_s);
        QVERIFY(!store.health().value(ready.id).guideError);

        XtreamCredentials refused = FakeProvider::defaultCredentials(m_port);
        refused.password = u"an old password"_s;
        const Playlist failing = add(u"Backup"_s, refused);
        QVERIFY(QTest::qWaitFor([&] { return !store.isRefreshing(failing.id); }, 30'000));
        // Its guide is refused too, so that no part of it is due when the program starts.
        store.refreshEPG(failing);
        QVERIFY(QTest::qWaitFor([&] { return store.health().value(failing.id).guideError.has_value(); }, 30'000));

        const Playlist hanging = add(u"Travel"_s, FakeProvider::defaultCredentials(m_hangingPort));
        QVERIFY(QTest::qWaitFor([&] {
            return store.activity().value(hanging.id) == u"Downloading movies"_s;
        }, 30'000));
        store.selectPlaylist(ready.id);
        store.cancelRefresh(hanging.id);
        QVERIFY(QTest::qWaitFor([&] { return !store.isRefreshing(hanging.id); }, 30'000));
    }

    QProcess m_provider;
    QProcess m_hangingProvider;
    quint16 m_port = 0;
    quint16 m_hangingPort = 0;
    QTemporaryDir m_data;
    QTemporaryDir m_shots;
    QTemporaryDir m_media;
    QString m_shotDirectory;
};

QTEST_MAIN(ScreenshotsTest)
#include "tst_screenshots.moc"
