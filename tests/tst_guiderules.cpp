#include "Views/Pages/Guide/GuideGeometry.h"
#include "Views/Pages/Guide/GuideKeys.h"
#include "Views/Pages/Guide/GuideRulerModel.h"
#include "Views/Pages/Guide/GuideSelection.h"
#include "Views/Pages/Guide/GuideWheel.h"
#include "Views/Pages/Guide/ProgrammeSheetModel.h"
#include "Support/UserSettings.h"
#include "support/ModelChecks.h"

#include <QStandardPaths>
#include <QTest>
#include <QWheelEvent>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(std::optional<double>)

namespace {

const QDateTime midnight(QDate(2026, 3, 14), QTime(0, 0));

QDateTime at(int hours, int minutes, int seconds = 0)
{
    return midnight.addSecs(hours * 3600 + minutes * 60 + seconds);
}

// Minutes from the day's start, as the grid places programmes.
double minute(const QDateTime &moment)
{
    return GuideGeometry::minutesFrom(midnight.toMSecsSinceEpoch(), moment.toMSecsSinceEpoch());
}

GuideProgramme programme(const QDateTime &start, const QDateTime &end, const QString &title = u"News"_s)
{
    return {u"bbc.uk"_s, title, std::nullopt, start, end};
}

QWheelEvent wheel(QPoint pixels, QPoint angle, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    return QWheelEvent(QPointF(10, 10), QPointF(10, 10), pixels, angle, Qt::NoButton, modifiers, Qt::NoScrollPhase,
                       false);
}

} // namespace

// The TV guide's rules: time-line maths, the scroll wheel, the keys that decide when it loads,
// and the texts of the programme sheet.
class GuideRulesTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        UserSettings::open()->clear();
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    }

    void theVisibleWindowFollowsThePageWidthButKeepsAnHour()
    {
        QCOMPARE(GuideGeometry::visibleMinutes(900), 130.0);
        QCOMPARE(GuideGeometry::largestOffset(130), 1310.0);
        // Narrower than 550 points: the sums use an hour even though less fits.
        QCOMPARE(GuideGeometry::visibleMinutes(500), 60.0);
        QCOMPARE(GuideGeometry::visibleMinutes(100), 60.0);
    }

    void nowIsNotHeldToTheDayWhileTheButtonsAre()
    {
        // At 23:50 on a 900-point page "Now" goes to minute 1,400, beyond the 1,310 that the
        // arrows and the wheel reach; the next forward press pulls it back, a back press moves on.
        const double now = GuideGeometry::nowOffset(at(23, 50));
        QCOMPARE(now, 1400.0);
        QCOMPARE(GuideGeometry::scrolled(now, 120, 130), 1310.0);
        QCOMPARE(GuideGeometry::scrolled(now, -120, 130), 1280.0);
        // Shortly after midnight the time line starts at the day's first minute.
        QCOMPARE(GuideGeometry::nowOffset(at(0, 10)), 0.0);
        QCOMPARE(GuideGeometry::nowOffset(at(20, 15, 30)), 1185.5);
        // The buttons stop at both ends.
        QCOMPARE(GuideGeometry::scrolled(0, -120, 130), 0.0);
        QCOMPARE(GuideGeometry::scrolled(1310, 120, 130), 1310.0);
        // A page wider than the whole day has nowhere to scroll.
        QCOMPARE(GuideGeometry::scrolled(0, 120, 1500), 0.0);
    }

    void theShownDayIsCountedInCalendarDays()
    {
        const QDateTime evening = at(22, 30);
        QCOMPARE(GuideGeometry::dayStart(evening, 0), midnight);
        QCOMPARE(GuideGeometry::dayStart(evening, -1), midnight.addDays(-1));
        QCOMPARE(GuideGeometry::dayStart(evening, 6), midnight.addDays(6));
        QCOMPARE(GuideGeometry::dayEnd(midnight), midnight.addSecs(86'400));
    }

    void rulerMarksCoverTheWindowAndHalfAnHourMore()
    {
        QCOMPARE(GuideGeometry::rulerMarks(1000, 130), (QList<int>{990, 1020, 1050, 1080, 1110, 1140}));
        QCOMPARE(GuideGeometry::rulerMarks(0, 60), (QList<int>{0, 30, 60, 90}));
        QCOMPARE(GuideGeometry::markX(990, 1000), -42.0);
        QCOMPARE(GuideGeometry::markX(1020, 1000), 108.0);
    }

    void cellsAreClippedToTheDayAndKeepTheirTitleReadable_data()
    {
        QTest::addColumn<QDateTime>("start");
        QTest::addColumn<QDateTime>("end");
        QTest::addColumn<double>("offset");
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("inset");

        QTest::newRow("inside the window") << at(10, 0) << at(11, 0) << 570.0 << 150.0 << 297.0 << 10.0;
        // Began the evening before: the cell starts at the day's first minute.
        QTest::newRow("from yesterday") << midnight.addSecs(-3600) << at(0, 30) << 0.0 << 0.0 << 147.0 << 10.0;
        // Runs past midnight: the cell ends at the day's end.
        QTest::newRow("into tomorrow") << at(23, 0) << midnight.addDays(1).addSecs(3600) << 1400.0 << -100.0 << 297.0
                                       << 110.0;
        QTest::newRow("thirty seconds") << at(9, 0) << at(9, 0, 30) << 540.0 << 0.0 << 4.0 << 10.0;
        // 60 minutes left of the window and 600 points wide: the title slides right by 300.
        QTest::newRow("clipped, wide") << at(8, 0) << at(10, 0, 36) << 540.0 << -300.0 << 600.0 << 310.0;
        // Only 100 points wide: the title keeps 80 points of the cell.
        QTest::newRow("clipped, narrow") << at(8, 0) << at(8, 20, 36) << 540.0 << -300.0 << 100.0 << 30.0;
    }

    void cellsAreClippedToTheDayAndKeepTheirTitleReadable()
    {
        QFETCH(QDateTime, start);
        QFETCH(QDateTime, end);
        QFETCH(double, offset);
        const GuideGeometry::Cell cell = GuideGeometry::cell(minute(start), minute(end), offset);
        QTEST(cell.x, "x");
        QTEST(cell.width, "width");
        QTEST(cell.textInset, "inset");
    }

    void aProgrammeTouchingTheWindowIsNotShown()
    {
        // The window from 10:00 for 130 minutes, to 12:10.
        const auto shown = [](const QDateTime &start, const QDateTime &end) {
            return GuideGeometry::isVisible(minute(start), minute(end), 600, 130);
        };
        QVERIFY(!shown(at(9, 0), at(10, 0)));
        QVERIFY(!shown(at(12, 10), at(13, 0)));
        QVERIFY(shown(at(9, 0), at(10, 0, 1)));
        QVERIFY(shown(at(12, 9, 59), at(13, 0)));
        QVERIFY(shown(at(0, 0), at(23, 0)));
    }

    void theNowLineShowsOnlyInsideTheTimeLine()
    {
        // 900 points: the time line is 650 points wide.
        QCOMPARE(GuideGeometry::nowLineX(at(12, 0), midnight, 690, 900), std::optional(150.0));
        QCOMPARE(GuideGeometry::nowLineX(at(12, 0), midnight, 720, 900), std::optional(0.0));
        QCOMPARE(GuideGeometry::nowLineX(at(12, 0), midnight, 590, 900), std::optional(650.0));
        QCOMPARE(GuideGeometry::nowLineX(at(12, 0), midnight, 721, 900), std::nullopt);
        QCOMPARE(GuideGeometry::nowLineX(at(12, 0), midnight, 589, 900), std::nullopt);
    }

    void theWheelMovesTheTimeLineOnlyWhenItIsTheTimeLines_data()
    {
        QTest::addColumn<bool>("shift");
        QTest::addColumn<bool>("precise");
        QTest::addColumn<double>("deltaX");
        QTest::addColumn<double>("deltaY");
        QTest::addColumn<std::optional<double>>("offset");

        const std::optional<double> passes;
        QTest::newRow("vertical wheel") << false << false << 0.0 << -1.0 << passes;
        QTest::newRow("diagonal, mostly vertical") << false << true << 10.0 << -10.0 << passes;
        QTest::newRow("no movement") << false << true << 0.0 << 0.0 << passes;
        // A trackpad swipe moves by its points over 5; a wheel click by 12 times as much.
        QTest::newRow("trackpad swipe left") << false << true << -50.0 << 2.0 << std::optional(610.0);
        QTest::newRow("wheel click right") << false << false << 1.0 << 0.0 << std::optional(597.6);
        // Shift turns the vertical wheel into the time line's.
        QTest::newRow("shift, wheel down") << true << false << 0.0 << -1.0 << std::optional(602.4);
        QTest::newRow("shift, no vertical delta") << true << false << 3.0 << 0.0 << passes;
        QTest::newRow("shift, not a number") << true << true << 0.0 << qQNaN() << passes;
        QTest::newRow("horizontal, not a number") << false << true << qQNaN() << 0.0 << passes;
        // Held to the day, and consumed even when it moves nothing.
        QTest::newRow("past the end") << false << true << -10000.0 << 0.0 << std::optional(1310.0);
        QTest::newRow("before the start") << true << false << 0.0 << 1000.0 << std::optional(0.0);
    }

    void theWheelMovesTheTimeLineOnlyWhenItIsTheTimeLines()
    {
        QFETCH(bool, shift);
        QFETCH(bool, precise);
        QFETCH(double, deltaX);
        QFETCH(double, deltaY);
        QFETCH(std::optional<double>, offset);
        const std::optional<double> moved = GuideWheel::minuteOffset({shift, precise, deltaX, deltaY}, 600, 130);
        QCOMPARE(moved.has_value(), offset.has_value());
        if (offset)
            QVERIFY(qFuzzyCompare(*moved, *offset));
    }

    void wheelEventsGivePointsOrNotches()
    {
        const GuideWheel::Scroll trackpad = GuideWheel::fromEvent(wheel({-30, 4}, {-90, 12}));
        QVERIFY(trackpad.precise);
        QCOMPARE(trackpad.deltaX, -30.0);
        QCOMPARE(trackpad.deltaY, 4.0);
        const GuideWheel::Scroll mouse = GuideWheel::fromEvent(wheel({}, {0, -240}, Qt::ShiftModifier));
        QVERIFY(!mouse.precise);
        QVERIFY(mouse.shift);
        QCOMPARE(mouse.deltaY, -2.0);
    }

    void theTaskKeyFollowsCategoryOrderButTheLoadedKeyDoesNot()
    {
        const std::optional<BrowseScope> sport = BrowseScope::category(u"7"_s);
        QCOMPARE(GuideKeys::taskKey(12, 3, 5, sport, u"news"_s), u"12|3|5|c:7|news"_s);
        QCOMPARE(GuideKeys::loadedKey(12, 3, sport, u"news"_s), u"12|3|c:7|news"_s);
        QCOMPARE(GuideKeys::loadedKey(12, 3, sport, u"news"_s), GuideKeys::loadedKey(12, 3, sport, u"news"_s));
        QVERIFY(GuideKeys::taskKey(12, 3, 5, sport, {}) != GuideKeys::taskKey(12, 3, 6, sport, {}));
        // No playlist counts as 0; a search of blanks is a search.
        QCOMPARE(GuideKeys::loadedKey(std::nullopt, 0, std::nullopt, {}), u"0|0|-|"_s);
        QVERIFY(GuideKeys::loadedKey(1, 1, sport, u"  "_s) != GuideKeys::loadedKey(1, 1, sport, {}));
    }

    void everyScopeHasItsOwnText()
    {
        const QStringList texts{GuideKeys::scopeText(std::nullopt), GuideKeys::scopeText(BrowseScope::all()),
                                GuideKeys::scopeText(BrowseScope::favourites()),
                                GuideKeys::scopeText(BrowseScope::category(u"all"_s)),
                                GuideKeys::scopeText(BrowseScope::category(u"fav"_s)),
                                GuideKeys::scopeText(BrowseScope::category(u"-"_s)),
                                GuideKeys::scopeText(BrowseScope::category(u""_s))};
        QCOMPARE(QSet<QString>(texts.begin(), texts.end()).size(), texts.size());
    }

    void cacheKeysAndIdsWriteSecondsInFixedNotation()
    {
        const QDateTime day = QDateTime::fromSecsSinceEpoch(1'765'238'400, Qt::UTC);
        QCOMPARE(GuideKeys::cacheKey(u"bbc.uk"_s, day), u"bbc.uk|1765238400.0"_s);

        MediaItem channel;
        channel.providerID = u"101"_s;
        const GuideProgramme show{u"bbc.uk"_s, u"News"_s, std::nullopt, day.addMSecs(1500), day.addSecs(3600)};
        QCOMPARE((GuideSelection{channel, show}.id()), u"live:101|bbc.uk:1765238401.5:1765242000.0:News"_s);
        // Two channels that share a guide give two selections of the same programme.
        MediaItem twin = channel;
        twin.providerID = u"102"_s;
        QVERIFY((GuideSelection{twin, show}.id() != GuideSelection{channel, show}.id()));
    }

    void theRulerFollowsTheTimeLineWithoutRebuildingItsMarks()
    {
        GuideRulerModel ruler;
        checkModel(ruler);
        ruler.update(midnight, 600, 130);
        QCOMPARE(ruler.rowCount(), 6);
        QCOMPARE(ruler.index(0).data(GuideRulerModel::TextRole), u"10:00"_s);
        const QPersistentModelIndex half(ruler.index(1));
        // Scrolling on by ten minutes keeps every mark; by an hour drops two and adds two.
        ruler.update(midnight, 610, 130);
        QCOMPARE(half.row(), 1);
        QCOMPARE(half.data(GuideRulerModel::XRole), 108.0);
        ruler.update(midnight, 660, 130);
        QCOMPARE(ruler.index(0).data(GuideRulerModel::TextRole), u"11:00"_s);
        QVERIFY(!half.isValid());
        QCOMPARE(ruler.rowCount(), 6);
        ruler.update(midnight, 0, 60);
        QCOMPARE(ruler.rowCount(), 4);
        UserSettings::setValue(u"quillmere.use24HourClock"_s, false);
        ruler.update(midnight.addDays(1), 0, 60);
        QCOMPARE(ruler.index(1).data(GuideRulerModel::TextRole), u"12:30 AM"_s);
        UserSettings::remove(u"quillmere.use24HourClock"_s);
    }

    void theSheetNamesDayTimesAndLength()
    {
        const QDateTime now = at(20, 0);
        QCOMPARE(ProgrammeSheetModel::timeLine(programme(at(21, 0), at(22, 30)), now),
                 u"Today \u00B7 21:00 \u2013 22:30 \u00B7 1h 30m"_s);
        QCOMPARE(ProgrammeSheetModel::timeLine(programme(at(21, 0).addDays(1), at(21, 45).addDays(1)), now),
                 u"Tomorrow \u00B7 21:00 \u2013 21:45 \u00B7 45m"_s);
        // A programme of no length ends in the separator.
        QCOMPARE(ProgrammeSheetModel::timeLine(programme(at(21, 0), at(21, 0)), now),
                 u"Today \u00B7 21:00 \u2013 21:00 \u00B7 "_s);

        GuideProgramme described = programme(at(21, 0), at(22, 0));
        QCOMPARE(ProgrammeSheetModel::description(described), u"No description from your provider."_s);
        described.description = QString();
        QCOMPARE(ProgrammeSheetModel::description(described), u"No description from your provider."_s);
        described.description = u"Headlines."_s;
        QCOMPARE(ProgrammeSheetModel::description(described), u"Headlines."_s);
    }
};

QTEST_GUILESS_MAIN(GuideRulesTest)
#include "tst_guiderules.moc"
