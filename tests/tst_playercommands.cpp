#include "Catalogue/CatalogueDatabase.h"
#include "Playback/VLCVideoView.h"
#include "Support/UserSettings.h"
#include "Views/Player/PlayerChannelPanelModel.h"
#include "Views/Player/PlayerChannels.h"
#include "Views/Player/PlayerHeader.h"
#include "Views/Player/PlayerTransport.h"
#include "Views/Player/PlayerVolume.h"
#include "Views/Player/TracksMenuModel.h"
#include "support/CatalogueItems.h"
#include "support/ModelChecks.h"
#include "support/PlayerRig.h"
#include "support/ToastTexts.h"

#include <QStandardPaths>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

using Track = MediaEngine::Track;

// Channels numbered 1, 2 and 12.
const QList<MediaItem> numbered{channel(u"0"_s, 1), channel(u"1"_s, 2), channel(u"2"_s, 12)};

// Plays a live channel of a list and returns its screen.
PlayerViewModel &playChannel(PlayerRig &rig, const MediaItem &item, const QList<MediaItem> &channels)
{
    rig.app().play(item, channels, true);
    rig.settle();
    rig.play(0, false);
    return *rig.screen();
}

QString playingID(PlayerRig &rig)
{
    return rig.windows().target()->providerID;
}

QStringList menuTexts(const TracksMenuModel &menu)
{
    QStringList texts;
    for (const TracksMenuModel::Entry &entry : menu.entries())
        texts.append((entry.checked ? u"* "_s : QString()) + entry.text);
    return texts;
}

int menuRow(const TracksMenuModel &menu, const QString &text)
{
    const QList<TracksMenuModel::Entry> &entries = menu.entries();
    for (qsizetype row = 0; row < entries.size(); ++row) {
        if (entries.at(row).text == text)
            return int(row);
    }
    return -1;
}

} // namespace

// The player screen's commands on a fake engine in virtual time: the key map's effects, volume
// steps, zapping by step and by typed number, the track cycles and menu, and the channel panel.
class PlayerCommandsTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void everyKeyShowsTheControlsUnlessThePanelIsOpen()
    {
        PlayerRig rig;
        PlayerViewModel &screen = playChannel(rig, numbered.at(0), numbered);
        PlayerController &player = rig.player();
        player.hideControls();
        QVERIFY(!screen.osd());
        QVERIFY(screen.isPointerHidden());
        QVERIFY(!screen.handleKey(Qt::Key_X, u"x"_s));
        QVERIFY(player.controlsVisible());
        QVERIFY(!screen.isPointerHidden());

        // "i" hides the controls that its own press showed.
        QVERIFY(screen.handleKey(Qt::Key_I, u"i"_s));
        QVERIFY(!player.controlsVisible());
        // Held keys repeat without effect.
        QVERIFY(!screen.handleKey(Qt::Key_Down, QString(), true));
        QVERIFY(!player.controlsVisible());
        QCOMPARE(playingID(rig), numbered.at(0).providerID);
        // The right arrow on a live channel is answered and does nothing.
        QVERIFY(screen.handleKey(Qt::Key_Right, QString()));
        QCOMPARE(playingID(rig), numbered.at(0).providerID);

        QVERIFY(screen.handleKey(Qt::Key_L, u"l"_s));
        QVERIFY(screen.channels()->isPanelShown());
        QVERIFY(screen.osd());
        player.hideControls();
        for (const int key : {int(Qt::Key_Space), int(Qt::Key_Down), int(Qt::Key_S)})
            QVERIFY(!screen.handleKey(key, QString()));
        QVERIFY(!player.controlsVisible());
        QCOMPARE(playingID(rig), numbered.at(0).providerID);

        // Escape closes the panel first, then the player.
        screen.close();
        QVERIFY(!screen.channels()->isPanelShown());
        QVERIFY(rig.windows().hasTarget());
        QVERIFY(screen.handleKey(Qt::Key_Escape, QString()));
        QVERIFY(!rig.windows().hasTarget());
    }

    void filmKeysSeekPlayAndLeaveTheChannelKeysAlone()
    {
        PlayerRig rig;
        UserSettings::setValue(u"quillmere.seekStepSeconds"_s, 20);
        rig.app().play(film(u"42"_s), {}, false);
        rig.settle();
        rig.play(3'600'000);
        rig.at(100);
        PlayerViewModel &screen = *rig.screen();
        QCOMPARE(screen.transport()->skipIcon(), 10);
        QVERIFY(screen.handleKey(Qt::Key_Left, QString()));
        QCOMPARE(rig.engine().lastSeekMs, std::optional<qint64>(80'000));
        // From the first skip's target, which the native player has not reported yet.
        QVERIFY(screen.handleKey(Qt::Key_Right, QString()));
        QCOMPARE(rig.engine().lastSeekMs, std::optional<qint64>(100'000));
        QVERIFY(!screen.handleKey(Qt::Key_7, u"7"_s));
        QVERIFY(screen.handleKey(Qt::Key_C, u"c"_s));
        QVERIFY(!screen.channels()->isPanelShown());
        // "n" on a film does nothing, whatever the setting.
        QVERIFY(screen.handleKey(Qt::Key_N, u"n"_s));
        QCOMPARE(rig.windows().target()->providerID, u"42"_s);
        screen.handlePlayerCommand(u"channels"_s);
        QVERIFY(!screen.channels()->isPanelShown());

        QVERIFY(screen.handleKey(Qt::Key_Space, u" "_s));
        QCOMPARE(rig.engine().pauseRequests, 1);
        UserSettings::setValue(u"quillmere.seekStepSeconds"_s, 15);
        QCOMPARE(screen.transport()->skipIcon(), 15);
        UserSettings::remove(u"quillmere.seekStepSeconds"_s);
    }

    void volumeStepsKeepToTheirLimits_data()
    {
        QTest::addColumn<int>("percent");
        QTest::addColumn<bool>("audio");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("expected");
        QTest::addColumn<double>("remembered");
        QTest::newRow("up") << 70 << true << int(Qt::Key_Up) << 80 << double(0.8f);
        QTest::newRow("up at the top") << 150 << true << int(Qt::Key_Up) << 150 << 1.5;
        QTest::newRow("up from above the top") << 180 << true << int(Qt::Key_Up) << 150 << 1.5;
        QTest::newRow("down from the top") << 150 << true << int(Qt::Key_Down) << 140 << double(1.5f - 0.1f);
        QTest::newRow("down near the bottom") << 5 << true << int(Qt::Key_Down) << 0 << 0.0;
        QTest::newRow("without audio output, as at 100") << 40 << false << int(Qt::Key_Up) << 40 << double(1.1f);
    }

    void volumeStepsKeepToTheirLimits()
    {
        QFETCH(int, percent);
        QFETCH(bool, audio);
        QFETCH(int, key);
        QFETCH(int, expected);
        QFETCH(double, remembered);
        PlayerRig rig;
        rig.app().play(film(u"42"_s), {}, false);
        rig.settle();
        rig.engine().volumePercent = percent;
        rig.engine().audioOutput = audio;
        QVERIFY(rig.screen()->handleKey(key, QString()));
        QCOMPARE(rig.engine().volumePercent, expected);
        QCOMPARE(UserSettings::value(u"quillmere.volume"_s).toDouble(), remembered);
    }

    void muteFlipsAndShowsInTheIcon()
    {
        PlayerRig rig;
        rig.app().play(film(u"42"_s), {}, false);
        rig.settle();
        PlayerViewModel &screen = *rig.screen();
        rig.engine().volumePercent = 40;
        rig.play(3'600'000);
        QCOMPARE(screen.volume()->symbol(), u"speaker.wave.1.fill"_s);
        QVERIFY(screen.handleKey(Qt::Key_M, u"M"_s));
        QVERIFY(rig.engine().muted);
        QVERIFY(screen.volume()->isMuted());
        QCOMPARE(screen.volume()->symbol(), u"speaker.slash.fill"_s);
        QCOMPARE(screen.volume()->sliderValue(), 0.0);
        // Moving the slider unmutes.
        screen.setVolume(0.75);
        QVERIFY(!rig.engine().muted);
        QCOMPARE(screen.volume()->symbol(), u"speaker.wave.2.fill"_s);
        QCOMPARE(screen.volume()->sliderValue(), 0.75);
    }

    void arrowKeysZapThroughTheListAndWrap()
    {
        PlayerRig rig;
        PlayerViewModel *screen = &playChannel(rig, numbered.at(2), numbered);
        QCOMPARE(screen->channels()->position(), u"3 of 3"_s);
        QVERIFY(screen->handleKey(Qt::Key_Down, QString()));
        QCOMPARE(playingID(rig), numbered.at(0).providerID);
        screen = rig.screen();
        QVERIFY(screen->handleKey(Qt::Key_PageUp, QString()));
        QCOMPARE(playingID(rig), numbered.at(2).providerID);

        // From a channel that is not in its own list, both directions lead to the first.
        rig.app().play(channel(u"9"_s, 99), numbered, true);
        QCOMPARE(rig.screen()->channels()->position(), QString());
        rig.screen()->zap(-1);
        QCOMPARE(playingID(rig), numbered.at(0).providerID);

        // A single channel has nowhere to go.
        rig.app().play(numbered.at(1), {numbered.at(1)}, true);
        QVERIFY(rig.screen()->channels()->canList());
        QVERIFY(!rig.screen()->channels()->canZap());
        const QUuid id = rig.windows().target()->id;
        QVERIFY(rig.screen()->handleKey(Qt::Key_Up, QString()));
        QCOMPARE(rig.windows().target()->id, id);
    }

    void typedDigitsChooseTheChannelAfterTheLastDigit()
    {
        PlayerRig rig;
        PlayerViewModel &screen = playChannel(rig, numbered.at(0), numbered);
        QVERIFY(screen.handleKey(Qt::Key_1, u"1"_s));
        rig.clock().advance(1s);
        QVERIFY(screen.handleKey(Qt::Key_2, u"2"_s));
        QCOMPARE(screen.channels()->zapDigits(), u"12"_s);
        rig.clock().advance(1399ms);
        QCOMPARE(playingID(rig), numbered.at(0).providerID);
        rig.clock().advance(1ms);
        QCOMPARE(playingID(rig), numbered.at(2).providerID);
        QCOMPARE(screen.channels()->zapDigits(), QString());
        rig.confirmStop();

        // One digit, a pause longer than the wait, another digit: two changes.
        rig.screen()->typeDigit(u"1"_s);
        rig.clock().advance(2s);
        QCOMPARE(playingID(rig), numbered.at(0).providerID);
        rig.confirmStop();
        rig.screen()->typeDigit(u"2"_s);
        rig.clock().advance(1400ms);
        QCOMPARE(playingID(rig), numbered.at(1).providerID);
        rig.confirmStop();

        // The playing channel's own number only clears the digits.
        const QUuid id = rig.windows().target()->id;
        rig.screen()->typeDigit(u"2"_s);
        rig.clock().advance(1400ms);
        QCOMPARE(rig.windows().target()->id, id);
        QCOMPARE(rig.screen()->channels()->zapDigits(), QString());

        for (const QString &digit : {u"9"_s, u"9"_s, u"9"_s})
            rig.screen()->typeDigit(digit);
        rig.clock().advance(1400ms);
        QCOMPARE(rig.windows().target()->id, id);
        QCOMPARE(toastTexts(rig.app()).constLast(), u"No channel 999 in this list"_s);
    }

    void subtitleAndAudioCyclesAnnounceEachStep()
    {
        PlayerRig rig;
        rig.app().play(film(u"42"_s), {}, false);
        rig.settle();
        PlayerViewModel &screen = *rig.screen();
        screen.cycleSubtitles();
        screen.cycleAudio();
        QCOMPARE(toastTexts(rig.app()), (QStringList{u"No subtitles in this stream"_s, u"Only one audio track"_s}));

        rig.engine().text = {{u"3"_s, u"English"_s, u"en"_s, false}, {u"4"_s, u"French"_s, u"fr"_s, false},
                             {u"5"_s, u"German"_s, u"de"_s, false}};
        for (int press = 0; press < 4; ++press)
            QVERIFY(screen.handleKey(Qt::Key_S, u"s"_s));
        QCOMPARE(toastTexts(rig.app()).mid(2), (QStringList{u"Subtitles: English"_s, u"Subtitles: French"_s,
                                                       u"Subtitles: German"_s, u"Subtitles: Off"_s}));
        QCOMPARE(rig.player().currentSubtitleID(), std::nullopt);

        rig.engine().audio = {{u"1"_s, u"Stereo"_s, u"en"_s, false}, {u"2"_s, u"Commentary"_s, u"en"_s, true}};
        QVERIFY(screen.handleKey(Qt::Key_A, u"a"_s));
        QCOMPARE(toastTexts(rig.app()).constLast(), u"Audio: Stereo"_s);
        QVERIFY(rig.engine().audio.at(0).isSelected);
    }

    void tracksMenuFollowsThePlayer()
    {
        PlayerRig rig;
        rig.app().play(film(u"42"_s), {}, false);
        rig.settle();
        rig.engine().audio = {{u"1"_s, u"Stereo"_s, u"en"_s, true}};
        rig.engine().text = {{u"3"_s, u"English"_s, u"en"_s, false}};
        rig.engine().pictureSize = QSize(1280, 720);
        rig.play(3'600'000);
        TracksMenuModel &menu = *rig.screen()->tracksMenu();
        checkModel(menu);
        menu.refresh();
        QCOMPARE(menuTexts(menu), (QStringList{u"Subtitles"_s, u"* Off"_s, u"English"_s, u"Picture"_s, u"Fill screen"_s,
                                              u"Speed"_s, u"0.75\u00D7"_s, u"* Normal"_s, u"1.25\u00D7"_s,
                                              u"1.5\u00D7"_s, u"2\u00D7"_s, u"Stream"_s, u"1280\u00D7720 \u00B7 MP4"_s}));

        menu.choose(menuRow(menu, u"English"_s));
        menu.choose(menuRow(menu, u"1.5\u00D7"_s));
        menu.choose(menuRow(menu, u"Fill screen"_s));
        QCOMPARE(rig.engine().playbackRate, 1.5);
        QCOMPARE(rig.engine().videoFitMode(), int(MediaEngine::Fill));
        QVERIFY(rig.player().videoView()->fillScreen());
        QCOMPARE(menuTexts(menu).mid(1, 4), (QStringList{u"Off"_s, u"* English"_s, u"Picture"_s, u"Fit to screen"_s}));
        QVERIFY(menuTexts(menu).contains(u"* 1.5\u00D7"_s));
        menu.choose(menuRow(menu, u"Fit to screen"_s));
        QCOMPARE(rig.engine().videoFitMode(), int(MediaEngine::Fit));
        QVERIFY(!rig.player().videoView()->fillScreen());

        // A live channel: two audio tracks make a section, no speeds, "STREAM" without a container.
        rig.engine().audio.append({u"2"_s, u"Commentary"_s, std::nullopt, false});
        rig.engine().pictureSize = {};
        rig.app().play(numbered.at(0), numbered, true);
        rig.confirmStop();
        TracksMenuModel &live = *rig.screen()->tracksMenu();
        checkModel(live);
        live.refresh();
        QCOMPARE(menuTexts(live).mid(0, 3), (QStringList{u"Audio"_s, u"* Stereo"_s, u"Commentary"_s}));
        QVERIFY(!menuTexts(live).contains(u"Speed"_s));
    }

    void channelPanelWalksAndPlays()
    {
        PlayerRig rig;
        QList<MediaItem> channels;
        for (int index = 0; index < 30; ++index)
            channels.append(channel(QString::number(index), index == 4 ? std::nullopt : std::optional<qint64>(index + 1)));
        PlayerViewModel &screen = playChannel(rig, channels.at(25), channels);
        screen.handlePlayerCommand(u"channels"_s);
        QVERIFY(screen.channels()->isPanelShown());

        PlayerChannelPanelModel panel;
        checkModel(panel);
        panel.setPlayer(&screen);
        panel.open();
        QCOMPARE(panel.count(), 30);
        QCOMPARE(panel.highlightedRow(), 25);
        QCOMPARE(panel.playingRow(), 25);
        QVERIFY(panel.index(25).data(PlayerChannelPanelModel::PlayingRole).toBool());
        QCOMPARE(panel.index(4).data(PlayerChannelPanelModel::NumberRole).toString(), QString());
        QCOMPARE(panel.index(3).data(PlayerChannelPanelModel::TitleRole).toString(), u"\u2068Channel 3\u2069"_s);
        QVERIFY(panel.handleKey(Qt::Key_PageDown));
        QCOMPARE(panel.highlightedRow(), 29);
        QVERIFY(panel.handleKey(Qt::Key_PageUp));
        QVERIFY(panel.handleKey(Qt::Key_PageUp));
        QVERIFY(panel.handleKey(Qt::Key_PageUp));
        QCOMPARE(panel.highlightedRow(), 0);
        panel.hover(7);
        QVERIFY(panel.handleKey(Qt::Key_Down));
        QCOMPARE(panel.highlightedRow(), 8);
        QVERIFY(panel.index(8).data(PlayerChannelPanelModel::HighlightedRole).toBool());
        QVERIFY(!panel.handleKey(Qt::Key_X));

        // Return on the playing channel only closes the panel; Left and Right close it too.
        panel.move(17);
        QVERIFY(panel.handleKey(Qt::Key_Return));
        QVERIFY(!screen.channels()->isPanelShown());
        QCOMPARE(playingID(rig), channels.at(25).providerID);
        screen.openChannels();
        QVERIFY(panel.handleKey(Qt::Key_Left));
        QVERIFY(!screen.channels()->isPanelShown());

        screen.openChannels();
        panel.move(-1);
        QVERIFY(panel.handleKey(Qt::Key_Return));
        QCOMPARE(playingID(rig), channels.at(24).providerID);
    }

    void panelOfAnEmptyListDoesNothing()
    {
        PlayerRig rig;
        PlayerViewModel &screen = playChannel(rig, numbered.at(0), {});
        QCOMPARE(screen.channels()->count(), 0);
        QVERIFY(!screen.channels()->canList());
        QVERIFY(!screen.channels()->offersNextChannel());
        PlayerChannelPanelModel panel;
        checkModel(panel);
        panel.setPlayer(&screen);
        panel.open();
        QVERIFY(panel.handleKey(Qt::Key_Down));
        QVERIFY(panel.handleKey(Qt::Key_Return));
        QCOMPARE(panel.highlightedRow(), -1);
        QCOMPARE(playingID(rig), numbered.at(0).providerID);
    }

    void favouriteFollowsTheStoreAndTheBrowseModel()
    {
        PlayerRig rig;
        rig.app().play(film(u"42"_s), {}, false);
        rig.settle();
        PlayerViewModel &screen = *rig.screen();
        QVERIFY(screen.header()->canFavourite());
        QVERIFY(!screen.header()->isFavourite());
        QCOMPARE(screen.header()->favouriteTip(), u"Add to favourites"_s);
        screen.toggleFavourite();
        QVERIFY(screen.header()->isFavourite());
        QCOMPARE(screen.header()->favouriteTip(), u"Remove from favourites"_s);
        QVERIFY(rig.store().isFavourite(CatalogueItem::from(film(u"42"_s)), CatalogueKind::Movie, std::nullopt));
        screen.toggleFavourite();
        QVERIFY(!screen.header()->isFavourite());
        QCOMPARE(toastTexts(rig.app()), (QStringList{u"Added to favourites"_s, u"Removed from favourites"_s}));

        // A removal the database refuses changes nothing and announces nothing.
        screen.toggleFavourite();
        {
            CatalogueDatabase database(rig.harness().databasePath());
            database.execute(u"CREATE TRIGGER refuseRemoval BEFORE DELETE ON favourites BEGIN SELECT RAISE(ABORT, 'disk refused'); END"_s);
        }
        screen.toggleFavourite();
        QVERIFY(screen.header()->isFavourite());
        QVERIFY(rig.store().databaseError().has_value());
        QCOMPARE(toastTexts(rig.app()).size(), 3);
    }
};

QTEST_MAIN(PlayerCommandsTest)
#include "tst_playercommands.moc"
