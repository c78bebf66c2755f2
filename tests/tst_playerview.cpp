#include "App/AppModel.h"
#include "Catalogue/CataloguePageReader.h"
#include "Playback/LibVlcMediaEngine.h"
#include "Playback/MediaEngine.h"
#include "Playback/PlaybackWindowController.h"
#include "Playback/PlayerController.h"
#include "Store/CatalogueStore.h"
#include "Support/UserSettings.h"
#include "Views/Player/PlayerChannels.h"
#include "Views/Player/PlayerHeader.h"
#include "Views/Player/PlayerTransport.h"
#include "Views/Player/PlayerViewModel.h"
#include "Views/Player/PlayerVolume.h"
#include "App/PlayerCommands.h"
#include "support/AppHarness.h"
#include "support/AwaitBlocking.h"
#include "support/CatalogueItems.h"
#include "support/MediaFixtures.h"
#include "support/QmlHarness.h"

#include <QFileInfo>
#include <QQuickItem>
#include <QTemporaryDir>
#include <QTest>
#include <QtQml/QQmlExtensionPlugin>

#include <algorithm>
#include <utility>

Q_IMPORT_QML_PLUGIN(QuillmerePlugin)

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

constexpr int timeoutMs = 20'000;
constexpr int filmSeconds = 70;
constexpr int streamSeconds = 10;
const QSize windowSize(1280, 720);

// The hover help of a control.
const QObject *helpOf(const QQuickItem *control)
{
    const QList<QObject *> children = control->children();
    const auto help = std::find_if(children.cbegin(), children.cend(),
                                   [](const QObject *child) { return child->inherits("QQuickToolTip"); });
    return help == children.cend() ? nullptr : *help;
}

// The program's player: the objects main() builds over a store with an imported playlist of the
// local provider, which serves a generated film for every film and episode and a generated stream
// for every channel; the real engine; and a fresh player view, in an offscreen window, for every
// title shown. Timers of the player and the screen run on the store's virtual clock.
class Rig final
{
public:
    Rig(const QString &film, const QString &stream)
        : m_harness(QUrl(u"http://127.0.0.1:9"_s), nullptr,
                    [] { return std::make_unique<LibVlcMediaEngine>(MediaFixtures::silentAudioOptions()); })
    {
        m_playlist = m_harness.storeHarness().startWithImportedPlaylist({6, 2, 1});
        store().selectPlaylist(m_playlist.id);
        // This provider serves its channels as MPEG-TS only.
        UserSettings::setValue(u"quillmere.liveFormat"_s, u"ts"_s);
        provider().setMediaFile(film);
        provider().setLiveStream(stream, QFileInfo(stream).size() / streamSeconds);
        m_harness.start();
        // On the next turn, as the shell's layer does: the old view may be in the middle of the
        // call that replaced its title.
        QObject::connect(&windows(), &PlaybackWindowController::targetChanged, &windows(), [this] {
            if (windows().hasTarget())
                QMetaObject::invokeMethod(&windows(), [this] { showView(); }, Qt::QueuedConnection);
        });
    }

    ~Rig()
    {
        if (windows().playerController()) {
            const Job<> stop = windows().playerController()->stop();
            (void)QTest::qWaitFor([&stop] { return stop.isFinished(); }, timeoutMs);
        }
    }

    [[nodiscard]] AppModel &app() { return m_harness.app(); }
    [[nodiscard]] CatalogueStore &store() { return m_harness.storeHarness().store(); }
    [[nodiscard]] FakeProvider &provider() { return m_harness.storeHarness().provider(); }
    [[nodiscard]] VirtualClock &clock() { return m_harness.clock(); }
    [[nodiscard]] QmlHarness &view() { return m_view; }
    [[nodiscard]] PlaybackWindowController &windows() { return m_harness.playback(); }
    [[nodiscard]] PlayerCommands &commands() { return m_harness.commands(); }
    [[nodiscard]] PlayerController &player() { return *windows().playerController(); }
    [[nodiscard]] PlayerViewModel &screen() { return *qvariant_cast<PlayerViewModel *>(m_view.item()->property("model")); }
    [[nodiscard]] QQuickItem *find(const QString &name) { return QmlHarness::find(m_view.item(), name); }
    [[nodiscard]] QString playing() { return windows().target() ? windows().target()->providerID : QString(); }
    // Whether the view shown is the one of the title shown.
    [[nodiscard]] bool showsTarget()
    {
        const std::optional<PlaybackTarget> &target = windows().target();
        return target && m_view.item() && screen().target().id == target->id;
    }

    // Whether the title shown plays in its own view (not the previous title in the previous one).
    [[nodiscard]] bool playsShownTitle()
    {
        return showsTarget() && player().url() == windows().target()->url && player().state() == PlayerState::Playing;
    }

    [[nodiscard]] QList<MediaItem> channels()
    {
        return awaitBlocking(store().pageReader().channelQueue(m_playlist.id, BrowseScope::all()));
    }

    [[nodiscard]] MediaItem firstFilm()
    {
        return awaitBlocking(store().pageReader().browseItems(m_playlist.id, CatalogueKind::Movie, BrowseScope::all(),
                                                              QString(), BrowseSort::Provider, 1, 0))
            .value(0);
    }

    // A programme of the channel's guide that started ten minutes ago and runs for half an hour.
    void addProgrammeOnNow(const MediaItem &channel, const QString &title, const QString &description)
    {
        const QDateTime now = clock().now();
        m_harness.storeHarness().addProgramme(m_playlist.id, channel.epgKey, title, now.addSecs(-600), now.addSecs(1800),
                                              description);
    }

    // Whether the position moves on: a resume takes a moment to reach the engine, which ignores a
    // pause until then.
    [[nodiscard]] bool playsOn()
    {
        const double from = player().currentTime();
        return QTest::qWaitFor([&] { return player().currentTime() > from; }, timeoutMs);
    }

    // Whether the right arrow moves the position the view shows by one seek step at once: the
    // seek shows its target as soon as it is asked for, so that playing on cannot pass for it.
    [[nodiscard]] bool rightSkipsOneStep()
    {
        const PlayerTransport &transport = *screen().transport();
        const double before = transport.position();
        m_view.key(Qt::Key_Right);
        if (qFuzzyCompare(transport.position(), before + PlayerTransport::seekStep()))
            return true;
        qWarning() << "Right moved the position from" << before << "to" << transport.position();
        return false;
    }

    // Leaves the pointer still until the controls hide (the layer that holds them then takes no
    // input). The clock moves on only while the picture does: the stall watchdog runs on the same
    // clock, and a stream that seems to stand still for 25 seconds fails.
    [[nodiscard]] bool letControlsHide()
    {
        double shown = -1;
        return QTest::qWaitFor(
            [&] {
                const double position = player().currentTime();
                if (position != std::exchange(shown, position))
                    clock().advance(4s);
                return !screen().osd();
            },
            timeoutMs);
    }

    // Whether the picture shows the test media (red above blue) in the middle of the window.
    [[nodiscard]] bool showsPicture()
    {
        const QImage frame = m_view.grab();
        return MediaFixtures::looksLike(frame.pixelColor(windowSize.width() / 2, windowSize.height() / 2 - 40), Qt::red)
               && MediaFixtures::looksLike(frame.pixelColor(windowSize.width() / 2, windowSize.height() / 2 + 40),
                                           Qt::blue);
    }

private:
    void showView()
    {
        // One view per title, as the shell keys its player layer by the title's id.
        const QString id = windows().targetId();
        if (id.isEmpty() || id == m_shownID)
            return;
        m_shownID = id;
        QQuickItem *view = m_view.create(u"PlayerView"_s);
        view->setPosition({0, 0});
        view->setSize(QSizeF(windowSize));
    }

    AppHarness m_harness;
    Playlist m_playlist;
    QmlHarness m_view{windowSize, Qt::black};
    QString m_shownID;
};

} // namespace

// The player view in an offscreen window, with the real engine playing media generated by ffmpeg
// from the local provider: its controls, seeking, the next episode, zapping and the channel panel.
class PlayerViewTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        if (MediaFixtures::ffmpegPath().isEmpty())
            QSKIP("ffmpeg is not installed, so no test media can be made");
        QVERIFY(m_directory.isValid());
        m_film = m_directory.filePath(u"film.mp4"_s);
        m_stream = m_directory.filePath(u"channel.ts"_s);
        QVERIFY(MediaFixtures::makeTestFilm(m_film, filmSeconds));
        QVERIFY(MediaFixtures::makeTestFilm(m_stream, streamSeconds));
    }

    void controlsFollowKeysAndTheFilmSeeksAndStartsOver()
    {
        Rig rig(m_film, m_stream);
        MediaItem film = catalogueItem(CatalogueKind::Movie, u"501"_s, u"The Film"_s);
        film.containerExtension = u"mp4"_s;
        rig.store().saveWatchPosition(rig.store().selectedPlaylistID().value(), film.providerID, CatalogueKind::Movie, 35,
                                      filmSeconds);
        rig.app().play(film, {}, true);
        QTRY_VERIFY_WITH_TIMEOUT(rig.playsShownTitle(), timeoutMs);
        QTRY_VERIFY_WITH_TIMEOUT(rig.showsPicture(), timeoutMs);
        QTRY_VERIFY_WITH_TIMEOUT(rig.player().currentTime() >= 35, timeoutMs);

        // The controls hide after the timeout (counted again from each report that shows them, as
        // the engine's buffering reports after the resume do) and come back with any key.
        QQuickItem *controls = rig.find(u"controlsLayer"_s);
        QVERIFY(rig.letControlsHide());
        QTRY_COMPARE(controls->opacity(), 0.0);
        rig.view().key(Qt::Key_X);
        QVERIFY(rig.player().controlsVisible());
        QTRY_COMPARE(controls->opacity(), 1.0);

        // Resumed at 35 s: "Start over" goes back to the beginning, and then goes away.
        QQuickItem *startOver = rig.find(u"startOverButton"_s);
        QVERIFY(startOver->isVisible());
        rig.view().click(startOver);
        QTRY_VERIFY_WITH_TIMEOUT(rig.player().currentTime() < 10, timeoutMs);
        QVERIFY(!startOver->isVisible());

        // The right arrow seeks one step on.
        QVERIFY(rig.rightSkipsOneStep());

        // The tracks menu sets the speed the player plays at.
        rig.view().click(rig.find(u"tracksButton"_s));
        const QObject *menu = rig.view().item()->findChild<QObject *>(u"tracksMenu"_s);
        QVERIFY(menu);
        QTRY_VERIFY(menu->property("opened").toBool());
        QQuickItem *faster = QmlHarness::find(rig.view().window().contentItem(), u"tracksEntry-1.5\u00D7"_s);
        QVERIFY(faster);
        rig.view().click(faster);
        QTRY_COMPARE(rig.player().player()->rate(), 1.5);

        // Over the seek bar a label tells the time under the pointer, as wide as its text needs.
        QQuickItem *scrubber = rig.find(u"scrubber"_s);
        // (The first movement brings the controls back, the next one is over the bar.)
        rig.view().hover(scrubber, QPointF(scrubber->width() / 2 - 1, scrubber->height() / 2));
        rig.view().hover(scrubber, QPointF(scrubber->width() / 2, scrubber->height() / 2));
        QQuickItem *label = QmlHarness::find(scrubber, u"hoverLabel"_s);
        QTRY_COMPARE(label->opacity(), 1.0);
        QCOMPARE(label->width(), label->childItems().constFirst()->implicitWidth() + 14);

        // A click on the seek bar seeks there.
        rig.view().click(scrubber, QPointF(scrubber->width() * 0.75, scrubber->height() / 2));
        QTRY_VERIFY_WITH_TIMEOUT(rig.player().currentTime() >= filmSeconds * 0.7, timeoutMs);
        QVERIFY(!rig.screen().scrubbing());
    }

    void keysBelongToThePlayerWhateverWasClicked()
    {
        Rig rig(m_film, m_stream);
        rig.app().play(rig.firstFilm(), {}, false);
        QTRY_VERIFY_WITH_TIMEOUT(rig.playsShownTitle(), timeoutMs);
        QmlHarness &view = rig.view();

        // The tracks menu, closed with Escape, leaves Space to pause and play.
        view.click(rig.find(u"tracksButton"_s));
        const QObject *menu = view.item()->findChild<QObject *>(u"tracksMenu"_s);
        QTRY_VERIFY(menu->property("opened").toBool());
        view.key(Qt::Key_Escape);
        QTRY_VERIFY(!menu->property("visible").toBool());
        view.key(Qt::Key_Space);
        QTRY_COMPARE(rig.player().state(), PlayerState::Paused);
        view.key(Qt::Key_Space);
        QTRY_COMPARE(rig.player().state(), PlayerState::Playing);
        QVERIFY(rig.playsOn());
        QVERIFY(rig.letControlsHide());
        view.key(Qt::Key_Space);
        QTRY_COMPARE(rig.player().state(), PlayerState::Paused);
        QVERIFY(!menu->property("visible").toBool());
        view.key(Qt::Key_Space);
        QTRY_COMPARE(rig.player().state(), PlayerState::Playing);

        // After a click on the favourite button, the video or the volume slider, at once and once
        // the controls have hidden, Space, the arrows and Escape act on the player. The help of
        // the control under the pointer goes with the controls.
        QQuickItem *favourite = rig.find(u"favouriteButton"_s);
        view.click(favourite);
        QVERIFY(rig.screen().header()->isFavourite());
        view.key(Qt::Key_Space);
        QTRY_COMPARE(rig.player().state(), PlayerState::Paused);
        QVERIFY(rig.screen().header()->isFavourite());
        view.key(Qt::Key_Space);
        QTRY_COMPARE(rig.player().state(), PlayerState::Playing);
        const QObject *help = helpOf(favourite);
        QVERIFY(help);
        QTRY_VERIFY(help->property("visible").toBool());
        QVERIFY(rig.letControlsHide());
        QTRY_VERIFY(!help->property("visible").toBool());
        view.key(Qt::Key_Space);
        QTRY_COMPARE(rig.player().state(), PlayerState::Paused);
        QVERIFY(rig.screen().header()->isFavourite());
        view.key(Qt::Key_Space);
        QTRY_COMPARE(rig.player().state(), PlayerState::Playing);
        QVERIFY(rig.playsOn());

        view.click(rig.find(u"videoSurface"_s));
        QTRY_VERIFY(!rig.player().controlsVisible());
        view.click(rig.find(u"videoSurface"_s));
        QTRY_VERIFY(rig.player().controlsVisible());
        // (The film bar's slider: the live bar has one of its own, hidden.)
        QQuickItem *slider = QmlHarness::find(rig.find(u"filmBar"_s), u"volumeSlider"_s);
        const double unmoved = rig.screen().volume()->sliderValue();
        view.click(slider, QPointF(slider->width() / 3, slider->height() / 2));
        const double volume = rig.screen().volume()->sliderValue();
        QVERIFY(!qFuzzyCompare(volume, unmoved));
        QVERIFY(rig.rightSkipsOneStep());
        QCOMPARE(rig.screen().volume()->sliderValue(), volume);
        QVERIFY(rig.letControlsHide());
        QVERIFY(rig.rightSkipsOneStep());
        view.key(Qt::Key_Escape);
        QVERIFY(!rig.windows().hasTarget());
    }

    void endOfAnEpisodeMovesToTheNextOnce()
    {
        Rig rig(m_film, m_stream);
        const MediaItem series = catalogueItem(CatalogueKind::Series, u"900"_s, u"The Series"_s);
        const QList<SeriesEpisode> episodes{episode(u"900"_s, 1, 1), episode(u"900"_s, 1, 2), episode(u"900"_s, 1, 3)};
        rig.app().play(episodes.at(0), series, episodes, false);
        QTRY_VERIFY_WITH_TIMEOUT(rig.playsShownTitle(), timeoutMs);
        QVERIFY(rig.find(u"nextEpisodeButton"_s)->isVisible());

        QQuickItem *scrubber = rig.find(u"scrubber"_s);
        rig.view().click(scrubber, QPointF(scrubber->width() * 0.98, scrubber->height() / 2));
        QTRY_COMPARE_WITH_TIMEOUT(rig.windows().target()->episode, std::optional(episodes.at(1)), timeoutMs);
        QTRY_VERIFY_WITH_TIMEOUT(rig.playsShownTitle(), timeoutMs);
        // Once the second episode plays on, every report of the first one's end has been heard.
        QVERIFY(rig.playsOn());
        QCOMPARE(rig.windows().target()->episode, std::optional(episodes.at(1)));
        QCOMPARE(rig.screen().header()->title(), u"\u2068The Series\u2069"_s);
        QCOMPARE(rig.screen().header()->subtitle(), u"S1 \u00B7 E2  \u2068Part 2\u2069"_s);
    }

    void liveChannelZapsWithArrowsDigitsAndThePanel()
    {
        Rig rig(m_film, m_stream);
        const QList<MediaItem> channels = rig.channels();
        QVERIFY(channels.size() >= 4);
        rig.addProgrammeOnNow(channels.at(0), u"Live from the harbour: the evening's arrivals, departures and weather"_s,
                              QString(u"A long description of what the evening brings. "_s).repeated(6));
        rig.app().play(channels.at(0), channels, true);
        QTRY_VERIFY_WITH_TIMEOUT(rig.showsPicture(), timeoutMs);

        // The title of the programme on now takes the bar's width; its description keeps to a
        // readable one.
        QQuickItem *nowTitle = rig.find(u"nowTitle"_s);
        QTRY_VERIFY(nowTitle->isVisible());
        QVERIFY(nowTitle->width() > 760);
        QCOMPARE(rig.find(u"nowDescription"_s)->width(), 760.0);

        rig.view().key(Qt::Key_Down);
        QCOMPARE(rig.playing(), channels.at(1).providerID);
        QTRY_VERIFY_WITH_TIMEOUT(rig.playsShownTitle(), timeoutMs);
        rig.view().key(Qt::Key_Up);
        QCOMPARE(rig.playing(), channels.at(0).providerID);
        QTRY_VERIFY_WITH_TIMEOUT(rig.playsShownTitle(), timeoutMs);

        // Typed digits show at once, clear of the top bar's buttons, and choose the channel 1.4 s
        // after the last one; also after a click on a control.
        rig.view().click(rig.find(u"muteButton"_s));
        QVERIFY(rig.letControlsHide());
        const MediaItem &third = channels.at(2);
        QVERIFY(third.number);
        rig.view().type(QString::number(*third.number));
        QQuickItem *digits = rig.find(u"zapDigits"_s);
        QVERIFY(digits->isVisible());
        const QRectF badge = digits->mapRectToScene(digits->boundingRect());
        for (const QString &button : {u"favouriteButton"_s, u"tracksButton"_s, u"fullScreenButton"_s}) {
            QQuickItem *control = rig.find(button);
            QVERIFY2(!badge.intersects(control->mapRectToScene(control->boundingRect())), qPrintable(button));
        }
        rig.clock().advance(1400ms);
        QCOMPARE(rig.playing(), third.providerID);
        QTRY_VERIFY_WITH_TIMEOUT(rig.playsShownTitle(), timeoutMs);

        // The panel opens on the playing channel, walks with the arrows and plays on Return.
        rig.view().type(u"l"_s);
        QTRY_VERIFY(rig.find(u"channelList"_s));
        QQuickItem *list = rig.find(u"channelList"_s);
        QCOMPARE(rig.find(u"channelCount"_s)->property("text").toString(), QString::number(channels.size()));
        rig.view().key(Qt::Key_Down);
        rig.view().key(Qt::Key_Down);
        QCOMPARE(rig.playing(), third.providerID);
        QVERIFY(list->isVisible());
        rig.view().key(Qt::Key_Return);
        QCOMPARE(rig.playing(), channels.at(4).providerID);
        QTRY_VERIFY_WITH_TIMEOUT(rig.playsShownTitle(), timeoutMs);
        QTRY_VERIFY_WITH_TIMEOUT(rig.showsPicture(), timeoutMs);

        // The program's command opens the panel at once (the screenshot run uses it), and a
        // channel played from it closes it at once.
        QQuickItem *panel = rig.find(u"channelPanel"_s);
        rig.commands().post(u"channels"_s);
        QVERIFY(rig.screen().channels()->isPanelShown());
        QCOMPARE(panel->x(), 0.0);
        QCOMPARE(panel->opacity(), 1.0);
        rig.view().key(Qt::Key_Return);
        QVERIFY(!panel->isVisible());
        QCOMPARE(rig.playing(), channels.at(4).providerID);
        rig.commands().post(u"channels"_s);
        rig.view().key(Qt::Key_Escape);
        QVERIFY(!rig.screen().channels()->isPanelShown());
        QVERIFY(rig.windows().hasTarget());
    }

    void quickZapsLeaveOneStreamOpen()
    {
        Rig rig(m_film, m_stream);
        const QList<MediaItem> channels = rig.channels();
        rig.app().play(channels.at(0), channels, true);
        QTRY_VERIFY_WITH_TIMEOUT(rig.playsShownTitle(), timeoutMs);
        // Each key as soon as the next channel's view is there, long before its stream opens.
        for (int zap = 0; zap < 20; ++zap) {
            rig.view().key(Qt::Key_Down);
            QTRY_VERIFY(rig.showsTarget());
        }
        QCOMPARE(rig.playing(), channels.at(20 % channels.size()).providerID);
        QTRY_VERIFY_WITH_TIMEOUT(rig.playsShownTitle(), timeoutMs);
        QTRY_VERIFY_WITH_TIMEOUT(rig.showsPicture(), timeoutMs);
        // Every stream but the playing one has been closed at the provider.
        QTRY_COMPARE_WITH_TIMEOUT(rig.provider().liveStreamLog().opened - rig.provider().liveStreamLog().closed, 1,
                                  timeoutMs);
        QVERIFY(!rig.find(u"errorCard"_s)->isVisible());
        QVERIFY(rig.player().errorMessage().isEmpty());

        rig.view().key(Qt::Key_Escape);
        QVERIFY(!rig.windows().hasTarget());
        QTRY_COMPARE_WITH_TIMEOUT(rig.provider().liveStreamLog().closed, rig.provider().liveStreamLog().opened,
                                  timeoutMs);
    }

private:
    QTemporaryDir m_directory;
    QString m_film;
    QString m_stream;
};

QTEST_MAIN(PlayerViewTest)
#include "tst_playerview.moc"
