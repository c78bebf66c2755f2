#include "Support/ProgrammeTime.h"
#include "Views/Pages/Live/ChannelSchedule.h"
#include "Views/Pages/Live/LiveListKeys.h"
#include "Views/Pages/Live/LivePageModel.h"
#include "support/CatalogueItems.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QDateTime noon(QDate(2026, 3, 14), QTime(12, 0), Qt::UTC);

GuideProgramme programme(int startMinute, int endMinute, const QString &title)
{
    return {u"news.uk"_s, title, std::nullopt, noon.addSecs(startMinute * 60), noon.addSecs(endMinute * 60)};
}

} // namespace

// The Live TV page's rules: its keys, the selection's moves, the count line, what the list area
// shows instead of the list, and the channel panel's now and next.
class LiveRulesTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom)); }

    void keysOfTheList()
    {
        using LiveListKeys::Action;
        QCOMPARE(LiveListKeys::action(Qt::Key_Down, {}), Action::MoveDown);
        QCOMPARE(LiveListKeys::action(Qt::Key_Up, {}), Action::MoveUp);
        QCOMPARE(LiveListKeys::action(Qt::Key_Return, u"\r"_s), Action::Play);
        QCOMPARE(LiveListKeys::action(Qt::Key_Enter, u"\r"_s), Action::Play);
        QCOMPARE(LiveListKeys::action(Qt::Key_F, u"f"_s), Action::ToggleFavourite);
        // Shift+F types "F" and is not the list's; nor is a shortcut that types nothing.
        QCOMPARE(LiveListKeys::action(Qt::Key_F, u"F"_s), Action::None);
        QCOMPARE(LiveListKeys::action(Qt::Key_F, {}), Action::None);
        QCOMPARE(LiveListKeys::action(Qt::Key_G, u"g"_s), Action::None);
    }

    void theSelectionMovesWithoutWrapping()
    {
        // From no selection both directions give the first row.
        QCOMPARE(LiveListKeys::moveTarget(5, -1, 1), std::optional(0));
        QCOMPARE(LiveListKeys::moveTarget(5, -1, -1), std::optional(0));
        QCOMPARE(LiveListKeys::moveTarget(5, 2, 1), std::optional(3));
        QCOMPARE(LiveListKeys::moveTarget(5, 4, 1), std::optional(4));
        QCOMPARE(LiveListKeys::moveTarget(5, 0, -1), std::optional(0));
        QCOMPARE(LiveListKeys::moveTarget(0, -1, 1), std::nullopt);
    }

    void theCountLine()
    {
        QCOMPARE(LivePageModel::countLine(true, true, 0), u"Loading\u2026"_s);
        // Paging in more rows keeps the total.
        QCOMPARE(LivePageModel::countLine(true, false, 1234), u"1,234 channels"_s);
        QCOMPARE(LivePageModel::countLine(false, false, 1), u"1 channel"_s);
        QCOMPARE(LivePageModel::countLine(false, true, 0), u"0 channels"_s);
    }

    void whatTheListAreaShowsInsteadOfTheList()
    {
        using Message = LivePageModel::Message;
        const BrowseScope all = BrowseScope::all();
        QCOMPARE(LivePageModel::message(u"The catalogue could not be opened."_s, true, false, all, {}),
                 std::optional(Message{u"exclamationmark.triangle"_s, u"Channels unavailable"_s,
                                       u"The catalogue could not be opened."_s}));
        QCOMPARE(LivePageModel::message(std::nullopt, true, false, BrowseScope::favourites(), u"x"_s),
                 std::optional(Message{u"heart"_s, u"No favourite channels yet"_s,
                                       u"Right-click a channel or press F to add it to your favourites."_s}));
        // The search text is shown as typed, blanks included.
        QCOMPARE(LivePageModel::message(std::nullopt, true, false, all, u" news "_s),
                 std::optional(Message{u"tv"_s, u"No channels match \u201C news \u201D"_s, {}}));
        QCOMPARE(LivePageModel::message(std::nullopt, true, false, BrowseScope::category(u"4"_s), {}),
                 std::optional(Message{u"tv"_s, u"No channels here"_s, {}}));
        // The first load shows the (empty) list, not a message.
        QCOMPARE(LivePageModel::message(std::nullopt, true, true, all, {}), std::nullopt);
        QCOMPARE(LivePageModel::message(std::nullopt, false, false, all, {}), std::nullopt);
    }

    void progressOfAProgramme()
    {
        const GuideProgramme show = programme(-30, 30, u"News"_s);
        QCOMPARE(ProgrammeTime::progress(show.start, show.end, noon), 0.5);
        QCOMPARE(ProgrammeTime::progress(show.start, show.end, noon.addSecs(-3600)), 0.0);
        QCOMPARE(ProgrammeTime::progress(show.start, show.end, noon.addSecs(3600)), 1.0);
        QCOMPARE(ProgrammeTime::progress(show.end, show.start, noon), 0.0);
        QCOMPARE(ProgrammeTime::progress(show.start, show.start, noon), 0.0);
        // On air from its start up to, not including, its end.
        QVERIFY(ProgrammeTime::isOnAir(noon, noon.addSecs(60), noon));
        QVERIFY(!ProgrammeTime::isOnAir(noon.addSecs(-60), noon, noon));
        QVERIFY(ProgrammeTime::isOver(noon, noon));
    }

    void nowAndNextOfAChannel()
    {
        // Overlapping entries that both run now: the first in list order is on now.
        const QList<GuideProgramme> schedule{programme(-60, 10, u"Long"_s), programme(-5, 20, u"Short"_s),
                                             programme(20, 40, u"A"_s),     programme(40, 60, u"B"_s),
                                             programme(0, 0, u"Empty"_s)};
        QCOMPARE(ChannelSchedule::current(schedule, noon)->title, u"Long"_s);
        QCOMPARE(titles(ChannelSchedule::upcoming(schedule, noon, 8)), (QStringList{u"A"_s, u"B"_s}));
        QCOMPARE(titles(ChannelSchedule::upcoming(schedule, noon, 1)), (QStringList{u"A"_s}));
        // Only the current programme left: nothing comes up.
        QVERIFY(ChannelSchedule::upcoming(schedule, noon.addSecs(45 * 60), 8).isEmpty());
        QCOMPARE(ChannelSchedule::current(schedule, noon.addSecs(2 * 3600)), std::nullopt);
    }

    void theShortGuideFillsInForAnEmptySchedule()
    {
        const QList<LiveProgramme> shortGuide{
            {u"1"_s, u"bbc.one"_s, u"Over"_s, std::nullopt, noon.addSecs(-3600), noon},
            {u"2"_s, std::nullopt, u"On now"_s, u"Desc"_s, noon.addSecs(-60), noon.addSecs(600)},
            {u"3"_s, u"bbc.one"_s, u"Later"_s, std::nullopt, noon.addSecs(600), noon.addSecs(1200)},
        };
        const QList<GuideProgramme> schedule = ChannelSchedule::fromShortGuide(shortGuide, u"bbcone.uk"_s, noon);
        QCOMPARE(titles(schedule), (QStringList{u"On now"_s, u"Later"_s}));
        // Without a channel id a programme takes the channel's guide key.
        QCOMPARE(schedule.at(0).channelID, u"bbcone.uk"_s);
        QCOMPARE(schedule.at(0).description, std::optional(u"Desc"_s));
        QCOMPARE(schedule.at(1).channelID, u"bbc.one"_s);
    }
};

QTEST_GUILESS_MAIN(LiveRulesTest)
#include "tst_liverules.moc"
