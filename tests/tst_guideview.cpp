#include "App/AppModel.h"
#include "App/GuideState.h"
#include "Playback/PlaybackWindowController.h"
#include "Views/Pages/Guide/GuideLane.h"
#include "Views/Pages/Guide/GuidePageModel.h"
#include "support/CatalogueGenerator.h"
#include "support/ConnectionHook.h"
#include "support/FakeProvider.h"
#include "support/GallerySheet.h"
#include "support/LiveTvLibrary.h"
#include "support/PageViews.h"
#include "support/QmlHarness.h"

#include <QFontMetricsF>
#include <QQuickItem>
#include <QRegularExpression>
#include <QTest>
#include <QWheelEvent>
#include <QtQml/QQmlExtensionPlugin>

Q_IMPORT_QML_PLUGIN(QuillmerePlugin)

using namespace Qt::StringLiterals;

namespace {

const QDateTime noon(QDate(2026, 1, 1), QTime(12, 0));
// The page as the shell's page area holds it in a 1440 x 900 window.
const QString pageQml = u"GuidePage { width: 1203; height: 860 }"_s;

void wheel(QmlHarness &harness, QQuickItem *over, QPoint pixels, QPoint angle,
           Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    const QPointF at = over->mapToScene(QPointF(over->width() / 2, over->height() / 2));
    QWheelEvent event(at, harness.window().mapToGlobal(at), pixels, angle, Qt::NoButton, modifiers,
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(&harness.window(), &event);
}

// The lanes of the rows that exist, through the visual tree (delegates are not QObject children
// of their view).
QList<GuideLane *> lanes(QQuickItem *root)
{
    QList<GuideLane *> found = root->findChildren<GuideLane *>(Qt::FindDirectChildrenOnly);
    for (QQuickItem *child : root->childItems())
        found.append(lanes(child));
    return found;
}

// Where a programme cell of a row lies: the row's lane view and a point inside the cell.
struct CellSpot
{
    QQuickItem *view = nullptr;
    QPointF at;
};

CellSpot cell(QQuickItem *page, int row, int index)
{
    for (GuideLane *lane : lanes(page)) {
        if (lane->row() != row || index >= lane->rowCount())
            continue;
        auto *rowItem = qobject_cast<QQuickItem *>(lane->parent());
        QQuickItem *view = QmlHarness::find(rowItem, u"laneView"_s);
        const double x = lane->index(index).data(GuideLane::CellXRole).toDouble();
        return {view, QPointF(std::max(x, 0.0) + 12, view->height() / 2)};
    }
    return {};
}

// Lets read-only connections (the browse reader's) return no text longer than 100,000 bytes, as
// SQLite refuses any value beyond its length limit: a row can then fail to read while its
// neighbours read well.
int limitTextLengthOfReaders(sqlite3 *database, char **, const sqlite3_api_routines *)
{
    if (sqlite3_db_readonly(database, "main") == 1)
        sqlite3_limit(database, SQLITE_LIMIT_LENGTH, 100'000);
    return SQLITE_OK;
}

} // namespace

// The TV guide offscreen, driven with real clicks, keys and wheel events.
class GuideViewTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_library = std::make_unique<LiveTvLibrary>(noon);
        m_library->app().setRoute(Route::Guide);
    }

    void cleanup() { m_library.reset(); }

    void onlyTheRowsOnScreenAreBuiltAndRead()
    {
        QmlHarness harness({1251, 908});
        QQuickItem *page = PageViews::open(harness, pageQml);
        QVERIFY(page);
        GuideState &state = *m_library->app().guide();
        // Each row asks for its programmes when it is built; the answers come on later turns.
        QTRY_COMPARE(state.cache().size(), lanes(page).size());
        const qsizetype built = lanes(page).size();
        // Eleven rows fit; the list builds a few more at its edges, far from all 70.
        QVERIFY2(built >= 11 && built < 25, qPrintable(QString::number(built)));
        QVERIFY(cell(page, 0, 0).view);
        // A picture for a look at the layout, beside the kit's galleries.
        harness.moveAway();
        QmlHarness::settle();
        QVERIFY(!GallerySheet::save(harness.grab(), u"guide"_s).isEmpty());
    }

    // Rows read their programmes eight channels at a time: a channel whose read fails shows no
    // guide, its neighbours in the same read show theirs, and the failure is logged once.
    void aChannelWhoseProgrammesCannotBeReadCostsOnlyItsOwnRow()
    {
        const QRegularExpression failure(u"^Guide programmes of channel news02\\.uk could not be read"_s);
        QTest::ignoreMessage(QtWarningMsg, failure);
        QTest::failOnWarning(failure);
        const ConnectionHook hook(&limitTextLengthOfReaders);
        m_library.reset();
        m_library = std::make_unique<LiveTvLibrary>(noon);
        m_library->app().setRoute(Route::Guide);
        (void)m_library->harness().rows(
            u"UPDATE epg_programmes SET description = replace(hex(zeroblob(100000)), '0', 'x') WHERE channel_key = 'news02.uk'"_s);

        QmlHarness harness({1251, 908});
        QQuickItem *page = PageViews::open(harness, pageQml);
        QVERIFY(page);
        const GuideState &state = *m_library->app().guide();
        QTRY_COMPARE(state.cache().size(), lanes(page).size());
        QVERIFY(state.cache().size() > GuideProgrammeFetcher::batchSize);
        for (auto entry = state.cache().cbegin(); entry != state.cache().cend(); ++entry) {
            // Every row on screen is a news channel with a guide.
            QVERIFY2(entry.key().startsWith(u"news"_s), qPrintable(entry.key()));
            QCOMPARE(entry.value().isEmpty(), entry.key().startsWith(u"news02.uk|"_s));
        }
    }

    // Back on the guide, whose channels were loaded on the earlier visit: the heading counts them.
    void theHeadingCountsTheChannelsOnReturn()
    {
        {
            QmlHarness harness({1251, 908});
            QVERIFY(PageViews::open(harness, pageQml));
        }
        QmlHarness harness({1251, 908});
        QQuickItem *page = PageViews::open(harness, pageQml);
        QVERIFY(page);
        QCOMPARE(QmlHarness::find(page, u"pageSubtitle"_s)->property("text"), u"Today \u00B7 70 channels"_s);
    }

    void aPickedProgrammeOpensItsSheetAndReturnWatches()
    {
        QmlHarness harness({1251, 908});
        QQuickItem *page = PageViews::open(harness, pageQml);
        QVERIFY(page);
        harness.click(cell(page, 2, 1).view, cell(page, 2, 1).at);
        QQuickItem *overlay = harness.window().contentItem();
        QTRY_VERIFY(QmlHarness::find(overlay, u"sheetTitle"_s));
        QCOMPARE(QmlHarness::find(overlay, u"sheetTitle"_s)->property("text"), u"\u2068News & Weather 27\u2069"_s);
        QCOMPARE(QmlHarness::find(overlay, u"watchButton"_s)->property("text"), u"Watch channel"_s);
        QVERIFY(!QmlHarness::find(overlay, u"sheetLiveBadge"_s)->isVisible());
        // Escape closes it.
        harness.key(Qt::Key_Escape);
        QTRY_VERIFY(!QmlHarness::find(overlay, u"sheetTitle"_s));
        QVERIFY(page->findChild<GuidePageModel *>()->selectionID().isEmpty());

        harness.click(cell(page, 3, 0).view, cell(page, 3, 0).at);
        QTRY_VERIFY(QmlHarness::find(overlay, u"sheetTitle"_s));
        QCOMPARE(QmlHarness::find(overlay, u"watchButton"_s)->property("text"), u"Watch now"_s);
        QVERIFY(QmlHarness::find(overlay, u"sheetLiveBadge"_s)->isVisible());
        harness.key(Qt::Key_Return);
        QTRY_VERIFY(m_library->playback().target());
        QCOMPARE(m_library->playback().target()->title, u"News 04"_s);
        QCOMPARE(m_library->playback().target()->channels.size(), LiveTvLibrary::channelCount);
        QTRY_VERIFY(!QmlHarness::find(overlay, u"sheetTitle"_s));
    }

    void theChannelCellPlaysAtOnce()
    {
        QmlHarness harness({1251, 908});
        QQuickItem *page = PageViews::open(harness, pageQml);
        QVERIFY(page);
        harness.click(QmlHarness::find(page, u"channelCell"_s));
        QVERIFY(m_library->playback().target());
        QCOMPARE(m_library->playback().target()->title, u"News 01"_s);
    }

    // A provider's title is text, never markup: the cell's hover help shows it as written and
    // loads no picture it names. It is the kit's dark tip.
    void aTitleWithMarkupIsShownAsWrittenAndFetchesNothing()
    {
        const QString marked = u"<b>Bold</b> <img src=\"%1\">"_s;
        m_library = std::make_unique<LiveTvLibrary>(noon, [&marked](GeneratedCatalogue &catalogue, const FakeProvider &provider) {
            catalogue.items.first().title = marked.arg(provider.artworkURL(u"markup.png"_s).toString());
        });
        m_library->app().setRoute(Route::Guide);
        const QString title = marked.arg(m_library->harness().provider().artworkURL(u"markup.png"_s).toString());
        QmlHarness harness({1251, 908});
        QQuickItem *page = PageViews::open(harness, pageQml);
        QVERIFY(page);

        // From elsewhere: the pointer may still stand where an earlier test left it.
        harness.moveAway();
        harness.hover(QmlHarness::find(page, u"channelCell"_s));
        QObject *tip = nullptr;
        QTRY_VERIFY((tip = PageViews::shownTip(harness.window())));
        QVERIFY(PageViews::isHelpTip(tip));
        const auto *text = tip->property("contentItem").value<QQuickItem *>();
        QCOMPARE(text->property("text").toString(), u"Watch "_s + title);
        const QFontMetricsF metrics(text->property("font").value<QFont>());
        QCOMPARE(qRound(text->property("contentWidth").toReal()), qRound(metrics.horizontalAdvance(u"Watch "_s + title)));
        harness.moveAway();
        QTRY_VERIFY(!PageViews::shownTip(harness.window()));
        for (const FakeRequest &request : m_library->harness().provider().requests())
            QVERIFY2(!request.path.endsWith(u"markup.png"_s), qPrintable(request.path));
    }

    void dayChipsNowAndTheArrowsMoveTheDayAndTime()
    {
        QmlHarness harness({1251, 908});
        QQuickItem *page = PageViews::open(harness, pageQml);
        QVERIFY(page);
        GuideState &state = *m_library->app().guide();
        QCOMPARE(state.minuteOffset(), 690.0);

        harness.click(QmlHarness::find(page, u"dayChip2"_s));
        QCOMPARE(state.dayOffset(), 2);
        QCOMPARE(state.minuteOffset(), 1080.0);
        QCOMPARE(QmlHarness::find(page, u"rulerDay"_s)->property("text"), u"SAT 3 JAN"_s);
        QVERIFY(!QmlHarness::find(page, u"nowLine"_s)->isVisible());
        QTRY_COMPARE(QmlHarness::find(page, u"pageSubtitle"_s)->property("text"), u"Sat 3 Jan \u00B7 70 channels"_s);

        harness.click(QmlHarness::find(page, u"forwardButton"_s));
        QTRY_COMPARE(state.minuteOffset(), 1200.0);
        harness.click(QmlHarness::find(page, u"backButton"_s));
        harness.click(QmlHarness::find(page, u"backButton"_s));
        QTRY_COMPARE(state.minuteOffset(), 960.0);

        harness.click(QmlHarness::find(page, u"nowButton"_s));
        QCOMPARE(state.dayOffset(), 0);
        QTRY_COMPARE(state.minuteOffset(), 690.0);
        QTRY_VERIFY(QmlHarness::find(page, u"nowLine"_s)->isVisible());
        // The now line stands at 12:00, 150 points into the time line.
        QCOMPARE(QmlHarness::find(page, u"nowLine"_s)->x(), 400.0);
    }

    // Where the page is too narrow for every day chip, the chips scroll sideways, the time
    // buttons keep their place, and a day chosen otherwise comes into sight.
    void theDayChipsScrollOnANarrowPage()
    {
        QmlHarness harness({851, 708});
        QQuickItem *page = PageViews::open(harness, u"GuidePage { width: 803; height: 628 }"_s);
        QVERIFY(page);
        QQuickItem *chips = QmlHarness::find(page, u"dayChips"_s);
        QVERIFY(chips);
        const auto inSight = [chips](const QString &name) {
            const QQuickItem *chip = QmlHarness::find(chips, name);
            const QRectF area = chip ? chip->mapRectToItem(chips, QRectF(0, 0, chip->width(), chip->height())) : QRectF();
            return chip && chip->isVisible() && area.left() >= 0 && area.right() <= chips->width();
        };
        QVERIFY(inSight(u"dayChip0"_s));
        QVERIFY(!inSight(u"dayChip6"_s));
        QQuickItem *forward = QmlHarness::find(page, u"forwardButton"_s);
        QVERIFY(forward->mapToItem(page, QPointF(forward->width(), 0)).x() <= page->width());
        page->findChild<GuidePageModel *>()->pickDay(6);
        QTRY_VERIFY(inSight(u"dayChip6"_s));
    }

    void theWheelMovesTheTimeLineAndLeavesVerticalScrollingToTheList()
    {
        QmlHarness harness({1251, 908});
        QQuickItem *page = PageViews::open(harness, pageQml);
        QVERIFY(page);
        GuideState &state = *m_library->app().guide();
        QQuickItem *rows = QmlHarness::find(page, u"guideRows"_s);

        wheel(harness, rows, {-100, 0}, {-100, 0});
        QCOMPARE(state.minuteOffset(), 710.0);
        QCOMPARE(rows->property("contentY").toDouble(), 0.0);

        wheel(harness, rows, {}, {0, -360});
        QTRY_VERIFY(rows->property("contentY").toDouble() > 0);
        QCOMPARE(state.minuteOffset(), 710.0);

        const double scrolled = rows->property("contentY").toDouble();
        wheel(harness, rows, {}, {0, -120}, Qt::ShiftModifier);
        QCOMPARE(state.minuteOffset(), 712.4);
        QCOMPARE(rows->property("contentY").toDouble(), scrolled);

        // Over the ruler too; at the end of the day a swipe moves nothing and the list stays.
        wheel(harness, QmlHarness::find(page, u"ruler"_s), {50, 0}, {50, 0});
        QCOMPARE(state.minuteOffset(), 702.4);
        wheel(harness, rows, {-10'000, 0}, {-10'000, 0});
        const double dayEnd = state.minuteOffset();
        wheel(harness, rows, {-50, 0}, {-50, 0});
        QCOMPARE(state.minuteOffset(), dayEnd);
        QCOMPARE(rows->property("contentY").toDouble(), scrolled);
    }

    // The programme sheet lies over the grid: the wheel never reaches the guide under it.
    void theWheelIsTheSheetsWhileItIsOpen()
    {
        QmlHarness harness({1251, 908});
        QQuickItem *page = PageViews::open(harness, pageQml);
        QVERIFY(page);
        GuideState &state = *m_library->app().guide();
        QQuickItem *rows = QmlHarness::find(page, u"guideRows"_s);
        harness.click(cell(page, 2, 1).view, cell(page, 2, 1).at);
        QQuickItem *overlay = harness.window().contentItem();
        QTRY_VERIFY(QmlHarness::find(overlay, u"sheetTitle"_s));

        const double offset = state.minuteOffset();
        wheel(harness, rows, {-100, 0}, {-100, 0});
        wheel(harness, rows, {}, {0, -120}, Qt::ShiftModifier);
        QCOMPARE(state.minuteOffset(), offset);
        harness.key(Qt::Key_Escape);
        QTRY_VERIFY(!QmlHarness::find(overlay, u"sheetTitle"_s));
        wheel(harness, rows, {-100, 0}, {-100, 0});
        QCOMPARE(state.minuteOffset(), offset + 20);
    }

    void theCategoryMenuAndTheSearchFieldNarrowTheGrid()
    {
        QmlHarness harness({1251, 908});
        QQuickItem *page = PageViews::open(harness, pageQml);
        QVERIFY(page);
        GuideState &state = *m_library->app().guide();

        harness.click(QmlHarness::find(page, u"categoryMenuButton"_s));
        QQuickItem *sport = nullptr;
        QTRY_VERIFY((sport = PageViews::menuEntry(harness.window().contentItem(), u"UK: Sport"_s)));
        QmlHarness::settle();
        harness.click(sport);
        QTRY_COMPARE(state.channels().size(), 20);
        QCOMPARE(QmlHarness::find(page, u"categoryTitle"_s)->property("text"), u"UK: Sport"_s);

        harness.click(QmlHarness::find(page, u"searchField"_s));
        harness.type(u"54"_s);
        QTRY_COMPARE(state.channels().size(), 1);
        QCOMPARE(state.channels().first().title, u"Sport 54"_s);
        harness.type(u"x"_s);
        QTRY_VERIFY(QmlHarness::find(page, u"emptyState"_s)->isVisible());
        QCOMPARE(QmlHarness::find(QmlHarness::find(page, u"emptyState"_s), u"title"_s)->property("text"),
                 u"No channels match \u201C54x\u201D"_s);
    }

private:
    std::unique_ptr<LiveTvLibrary> m_library;
};

QTEST_MAIN(GuideViewTest)
#include "tst_guideview.moc"
