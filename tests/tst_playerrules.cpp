#include "Views/Player/ChannelZapping.h"
#include "Views/Player/PlayerKeyMap.h"
#include "Views/Player/PlayerProgramme.h"
#include "Views/Player/ProgrammeChoice.h"
#include "Views/Player/ScrubberModel.h"
#include "support/CatalogueItems.h"

#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(std::optional<PlayerCommand>)
Q_DECLARE_METATYPE(std::optional<int>)

namespace {

const QDateTime noon(QDate(2026, 3, 1), QTime(12, 0), Qt::UTC);

GuideProgramme programme(const QString &title, int startMinutes, int endMinutes)
{
    return {u"news.uk"_s, title, std::nullopt, noon.addSecs(startMinutes * 60), noon.addSecs(endMinutes * 60)};
}

LiveProgramme shortGuide(const QString &title, int startMinutes, int endMinutes)
{
    return {u"1"_s, std::nullopt, title, u"About it"_s, noon.addSecs(startMinutes * 60), noon.addSecs(endMinutes * 60)};
}

} // namespace

// The player screen's rules that need no player: the key map, the zapping arithmetic, the
// programme shown as now and next, and the seek bar's geometry and drag reports.
class PlayerRulesTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void keyMapAnswersEachKeyForItsKindOfTitle_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("live");
        QTest::addColumn<std::optional<PlayerCommand>>("command");
        using C = PlayerCommand;
        const auto row = [](const char *name, int key, const QString &text, bool live, std::optional<C> command) {
            QTest::newRow(name) << key << text << live << command;
        };
        row("space", Qt::Key_Space, u" "_s, true, C::PlayPause);
        row("escape", Qt::Key_Escape, QString(), false, C::Escape);
        row("left on live opens the panel", Qt::Key_Left, QString(), true, C::OpenChannels);
        row("left on a film seeks back", Qt::Key_Left, QString(), false, C::SeekBack);
        row("right on live does nothing", Qt::Key_Right, QString(), true, C::Nothing);
        row("right on a film seeks", Qt::Key_Right, QString(), false, C::SeekForward);
        row("up on live zaps back", Qt::Key_Up, QString(), true, C::ZapPrevious);
        row("up on a film raises the volume", Qt::Key_Up, QString(), false, C::VolumeUp);
        row("down on live zaps on", Qt::Key_Down, QString(), true, C::ZapNext);
        row("down on a film lowers the volume", Qt::Key_Down, QString(), false, C::VolumeDown);
        row("page up zaps on a film too", Qt::Key_PageUp, QString(), false, C::ZapPrevious);
        row("page down", Qt::Key_PageDown, QString(), true, C::ZapNext);
        row("return on live opens the panel", Qt::Key_Return, u"\r"_s, true, C::OpenChannels);
        row("return on a film plays or pauses", Qt::Key_Return, u"\r"_s, false, C::PlayPause);
        row("f", Qt::Key_F, u"f"_s, false, C::ToggleFullScreen);
        row("shift f", Qt::Key_F, u"F"_s, true, C::ToggleFullScreen);
        row("m", Qt::Key_M, u"m"_s, true, C::ToggleMute);
        row("l on live", Qt::Key_L, u"l"_s, true, C::OpenChannels);
        row("c on a film is handled and does nothing", Qt::Key_C, u"c"_s, false, C::Nothing);
        row("i", Qt::Key_I, u"i"_s, false, C::HideControls);
        row("n", Qt::Key_N, u"n"_s, false, C::NextEpisode);
        row("s", Qt::Key_S, u"s"_s, true, C::CycleSubtitles);
        row("a", Qt::Key_A, u"A"_s, false, C::CycleAudio);
        row("digit on live", Qt::Key_5, u"5"_s, true, C::TypeDigit);
        row("arabic-indic digit on live", 0, u"\u0663"_s, true, C::TypeDigit);
        row("digit on a film is ignored", Qt::Key_5, u"5"_s, false, std::nullopt);
        row("unknown letter is ignored", Qt::Key_X, u"x"_s, true, std::nullopt);
        row("ctrl f types a control character and travels on", Qt::Key_F, u"\x06"_s, false, std::nullopt);
    }

    void keyMapAnswersEachKeyForItsKindOfTitle()
    {
        QFETCH(int, key);
        QFETCH(QString, text);
        QFETCH(bool, live);
        QFETCH(std::optional<PlayerCommand>, command);
        QCOMPARE(PlayerKeyMap::command(key, text, live), command);
    }

    void zappingWrapsAndStartsFromTheFirstChannelWhenThePlayingOneIsMissing_data()
    {
        QTest::addColumn<std::optional<int>>("current");
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("count");
        QTest::addColumn<std::optional<int>>("expected");
        QTest::newRow("forward") << std::optional(1) << 1 << 5 << std::optional(2);
        QTest::newRow("after the last comes the first") << std::optional(4) << 1 << 5 << std::optional(0);
        QTest::newRow("before the first comes the last") << std::optional(0) << -1 << 5 << std::optional(4);
        QTest::newRow("missing, forward") << std::optional<int>() << 1 << 5 << std::optional(0);
        QTest::newRow("missing, back") << std::optional<int>() << -1 << 5 << std::optional(0);
        QTest::newRow("a single channel") << std::optional(0) << 1 << 1 << std::optional<int>();
        QTest::newRow("no channels") << std::optional<int>() << -1 << 0 << std::optional<int>();
    }

    void zappingWrapsAndStartsFromTheFirstChannelWhenThePlayingOneIsMissing()
    {
        QFETCH(std::optional<int>, current);
        QFETCH(int, offset);
        QFETCH(int, count);
        QFETCH(std::optional<int>, expected);
        QCOMPARE(ChannelZapping::stepped(current, offset, count), expected);
    }

    void typedDigitsFindTheFirstChannelWithTheirNumber()
    {
        const QList<MediaItem> channels{channel(u"a"_s, 7), channel(u"b"_s, std::nullopt), channel(u"c"_s, 12),
                                        channel(u"d"_s, 12)};
        QCOMPARE(ChannelZapping::typedNumber(u"012"_s), std::optional<qint64>(12));
        QCOMPARE(ChannelZapping::indexOfNumber(channels, 12), std::optional(2));
        QCOMPARE(ChannelZapping::indexOfNumber(channels, 999), std::optional<int>());
        QCOMPARE(ChannelZapping::indexOf(channels, u"d"_s), std::optional(3));
        QCOMPARE(ChannelZapping::indexOf(channels, u"z"_s), std::optional<int>());

        // Digits that make no number: none typed, another script's digit, an overflow.
        QCOMPARE(ChannelZapping::typedNumber(QString()), std::optional<qint64>());
        QCOMPARE(ChannelZapping::typedNumber(u"\u0663"_s), std::optional<qint64>());
        QCOMPARE(ChannelZapping::typedNumber(u"99999999999999999999"_s), std::optional<qint64>());
        QCOMPARE(ChannelZapping::typedNumber(u"9223372036854775807"_s),
                 std::optional<qint64>(std::numeric_limits<qint64>::max()));

        QCOMPARE(ChannelZapping::missingChannelNotice(999), u"No channel 999 in this list"_s);
        QCOMPARE(ChannelZapping::missingChannelNotice(std::nullopt), u"No channel  in this list"_s);
    }

    void nowAndNextComeFromTheScheduleFirst()
    {
        // The first entry ended a second ago; the second runs now; the third starts at its end.
        QList<GuideProgramme> schedule{programme(u"Earlier"_s, -60, 0), programme(u"Now"_s, 0, 30),
                                       programme(u"Later"_s, 30, 60)};
        const QDateTime now = noon.addSecs(1);
        const std::optional<GuideProgramme> current = ProgrammeChoice::onNow(schedule, shortGuide(u"Short"_s, 0, 5), now);
        QCOMPARE(current->title, u"Now"_s);
        QCOMPARE(ProgrammeChoice::upNext(schedule, current, std::nullopt, now)->title, u"Later"_s);

        // One starting up to a minute before the current one ends still comes next; earlier not.
        schedule[2] = programme(u"Overlapping"_s, 29, 60);
        QCOMPARE(ProgrammeChoice::upNext(schedule, current, std::nullopt, now)->title, u"Overlapping"_s);
        schedule[2] = programme(u"Too early"_s, 28, 60);
        QCOMPARE(ProgrammeChoice::upNext(schedule, current, shortGuide(u"Short next"_s, 30, 40), now)->title,
                 u"Short next"_s);
    }

    void shortGuideStandsInForAnEmptySchedule()
    {
        const QDateTime now = noon.addSecs(60);
        const std::optional<GuideProgramme> current = ProgrammeChoice::onNow({}, shortGuide(u"Short"_s, 0, 5), now);
        QCOMPARE(current->title, u"Short"_s);
        QCOMPARE(current->channelID, QString());
        QCOMPARE(current->description, std::optional<QString>(u"About it"_s));
        QCOMPARE(ProgrammeChoice::upNext({}, current, std::nullopt, now), std::optional<GuideProgramme>());
        QCOMPARE(ProgrammeChoice::onNow({}, std::nullopt, now), std::optional<GuideProgramme>());
    }

    void liveBarTellsWhetherItAwaitsTheShortGuideAndNotifiesOnlyChanges()
    {
        PlayerProgramme bar;
        QSignalSpy placeholder(&bar, &PlayerProgramme::placeholderChanged);
        QSignalSpy now(&bar, &PlayerProgramme::nowChanged);
        QSignalSpy progress(&bar, &PlayerProgramme::nowProgressChanged);
        bar.update({}, std::nullopt, std::nullopt, true, noon);
        QVERIFY(!bar.hasNow());
        QCOMPARE(bar.placeholder(), u"Loading programme information\u2026"_s);
        bar.update({}, std::nullopt, std::nullopt, false, noon);
        QCOMPARE(bar.placeholder(), u"No programme information"_s);
        QCOMPARE(placeholder.count(), 2);

        const QList<GuideProgramme> schedule{programme(u"News"_s, -10, 20)};
        bar.update(schedule, std::nullopt, std::nullopt, false, noon);
        QCOMPARE(bar.nowTitle(), u"\u2068News\u2069"_s);
        QCOMPARE(bar.nowProgress(), 1.0 / 3.0);
        // The same programme a second later: only its progress moves.
        bar.update(schedule, std::nullopt, std::nullopt, false, noon.addSecs(1));
        QCOMPARE(now.count(), 1);
        QCOMPARE(progress.count(), 2);
        QCOMPARE(placeholder.count(), 2);
    }

    void programmeProgressStaysWithinItsBounds()
    {
        QCOMPARE(ProgrammeChoice::progress(noon, noon.addSecs(600), noon.addSecs(150)), 0.25);
        QCOMPARE(ProgrammeChoice::progress(noon, noon, noon), 0.0);
        // A short-guide programme shown after its end fills the line.
        QCOMPARE(ProgrammeChoice::progress(noon, noon.addSecs(600), noon.addSecs(900)), 1.0);
        QCOMPARE(ProgrammeChoice::progress(noon, noon.addSecs(600), noon.addSecs(-60)), 0.0);
    }

    void scrubberReportsTheDraggedPositionThenCommitsIt()
    {
        ScrubberModel bar;
        bar.setWidth(600);
        bar.setTotal(3600);
        QSignalSpy scrubbed(&bar, &ScrubberModel::scrubbed);
        QSignalSpy committed(&bar, &ScrubberModel::committed);
        bar.press(300);
        QVERIFY(bar.isDragging());
        QVERIFY(bar.isActive());
        QCOMPARE(scrubbed.takeLast().at(0).toDouble(), 1800.0);
        bar.move(650);
        QCOMPARE(scrubbed.takeLast().at(0).toDouble(), 3600.0);
        bar.release(650);
        QVERIFY(!bar.isDragging());
        QCOMPARE(committed.takeLast().at(0).toDouble(), 3600.0);

        bar.press(-40);
        bar.release(-40);
        QCOMPARE(committed.takeLast().at(0).toDouble(), 0.0);
    }

    void scrubberShowsProgressOnlyWhenItCannotSeek()
    {
        ScrubberModel bar;
        bar.setWidth(600);
        bar.setTotal(0);
        bar.setValue(30);
        QSignalSpy scrubbed(&bar, &ScrubberModel::scrubbed);
        QSignalSpy committed(&bar, &ScrubberModel::committed);
        bar.hover(100);
        QCOMPARE(bar.fraction(), 0.0);
        QVERIFY(!bar.isLabelVisible());
        bar.press(100);
        bar.release(100);
        QVERIFY(scrubbed.isEmpty());
        QVERIFY(committed.isEmpty());
        QVERIFY(!bar.isDragging());

        bar.setTotal(60);
        bar.setValue(90);
        QCOMPARE(bar.fraction(), 1.0);
        bar.setValue(-5);
        QCOMPARE(bar.fraction(), 0.0);
        QCOMPARE(bar.knobX(), -7.5);
    }

    void dragThatLosesSeekingEndsWithoutASeek_data()
    {
        QTest::addColumn<bool>("loseSeekability");
        QTest::newRow("no longer seekable") << true;
        QTest::newRow("length lost") << false;
    }

    void dragThatLosesSeekingEndsWithoutASeek()
    {
        QFETCH(bool, loseSeekability);
        ScrubberModel bar;
        bar.setWidth(600);
        bar.setTotal(3600);
        QSignalSpy committed(&bar, &ScrubberModel::committed);
        QSignalSpy cancelled(&bar, &ScrubberModel::cancelled);
        bar.press(200);
        if (loseSeekability)
            bar.setEnabled(false);
        else
            bar.setTotal(0);
        bar.move(250);
        bar.release(250);
        // The drag ends, so that the owner lets go of the dragged position.
        QVERIFY(!bar.isDragging());
        QVERIFY(committed.isEmpty());
        QCOMPARE(cancelled.size(), 1);
        bar.release(250);
        QCOMPARE(cancelled.size(), 1);
    }

    void scrubberWithoutWidthNeverReportsAPosition()
    {
        ScrubberModel bar;
        bar.setTotal(3600);
        QSignalSpy scrubbed(&bar, &ScrubberModel::scrubbed);
        QSignalSpy committed(&bar, &ScrubberModel::committed);
        bar.press(0);
        bar.release(0);
        QVERIFY(scrubbed.isEmpty());
        QVERIFY(committed.isEmpty());
        QCOMPARE(bar.positionAt(0), std::optional<double>());
        bar.hover(0);
        QCOMPARE(bar.hoverPosition(), 0.0);
    }

    void hoverLabelStaysOverTheBar()
    {
        ScrubberModel bar;
        bar.setWidth(600);
        bar.setTotal(3600);
        QVERIFY(!bar.isActive());
        bar.hover(10);
        QVERIFY(bar.isLabelVisible());
        QVERIFY(bar.isKnobVisible());
        QCOMPARE(bar.labelX(), 0.0);
        bar.hover(600);
        QCOMPARE(bar.labelX(), 544.0);
        QCOMPARE(bar.hoverPosition(), 3600.0);
        QCOMPARE(bar.hoverText(), u"1:00:00"_s);
        bar.hover(330);
        QCOMPARE(bar.labelX(), 302.0);
        bar.setWidth(40);
        QCOMPARE(bar.labelX(), -16.0);

        // Disabled mid-hover: the knob goes at once, the label with the next pointer movement.
        bar.setEnabled(false);
        QVERIFY(!bar.isKnobVisible());
        QVERIFY(bar.isLabelVisible());
        bar.hover(20);
        QVERIFY(!bar.isLabelVisible());
        QVERIFY(!bar.isActive());
    }
};

QTEST_GUILESS_MAIN(PlayerRulesTest)
#include "tst_playerrules.moc"
