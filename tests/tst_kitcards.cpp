#include "Views/Kit/CardRules.h"
#include "Views/Kit/Palette.h"
#include "support/ArtworkFixture.h"
#include "support/ColourChecks.h"
#include "support/QmlHarness.h"

#include <QQuickItem>
#include <QSignalSpy>
#include <QTest>
#include <QtQml/QQmlExtensionPlugin>

#include <memory>

Q_IMPORT_QML_PLUGIN(QuillmerePlugin)

using namespace Qt::StringLiterals;

namespace {

std::optional<QString> optionalText(const QVariant &value)
{
    return value.isNull() ? std::nullopt : std::optional(value.toString());
}

const QString film = uR"qml(({ title: "Night Harbour (1979)", rating: 85, isFavourite: true,
                            genre: "Drama, Crime ,Thriller", artworkURL: "" }))qml"_s;

} // namespace

// Poster cards, channel cards and shelves: their measures and wording, and the parts driven
// offscreen with the pointer. Cards without artwork never reach the network, so the artwork
// caches here lie in a directory of their own and are never asked for a file.
class KitCardsTest final : public QObject
{
    Q_OBJECT

private:
    ArtworkFixture m_artwork;

private Q_SLOTS:

    void cardsMeasureFromTheirWidth_data()
    {
        QTest::addColumn<qreal>("width");
        QTest::addColumn<qreal>("posterHeight");
        QTest::addColumn<int>("posterPixels");
        QTest::addColumn<qreal>("initials");
        QTest::addColumn<qreal>("tileHeight");
        QTest::newRow("160") << 160.0 << 240.0 << 352 << 25.6 << 80.0;
        QTest::newRow("fraction dropped") << 151.0 << 226.5 << 332 << 24.16 << 75.5;
    }

    void cardsMeasureFromTheirWidth()
    {
        QFETCH(qreal, width);
        QFETCH(qreal, posterHeight);
        QFETCH(int, posterPixels);
        QFETCH(qreal, initials);
        QFETCH(qreal, tileHeight);
        QCOMPARE(CardRules::posterHeight(width), posterHeight);
        QCOMPARE(CardRules::posterMaxPixel(width), posterPixels);
        QCOMPARE(CardRules::posterFallbackFont(width), initials);
        QCOMPARE(CardRules::channelTileHeight(width), tileHeight);
    }

    void writesThePostersSecondLine_data()
    {
        QTest::addColumn<QVariant>("given");
        QTest::addColumn<QVariant>("genre");
        QTest::addColumn<QVariant>("line");
        const QVariant none;
        QTest::newRow("first two genres") << none << QVariant(u" Drama,Crime ,\tThriller"_s) << QVariant(u"Drama, Crime"_s);
        QTest::newRow("one genre") << none << QVariant(u"Drama"_s) << QVariant(u"Drama"_s);
        QTest::newRow("empty pieces dropped") << none << QVariant(u",,Comedy,"_s) << QVariant(u"Comedy"_s);
        QTest::newRow("commas only") << none << QVariant(u",,,"_s) << none;
        QTest::newRow("blank genre") << none << QVariant(u"  "_s) << none;
        QTest::newRow("no genre") << none << none << none;
        QTest::newRow("given wins") << QVariant(u"S1 · E2"_s) << QVariant(u"Drama"_s) << QVariant(u"S1 · E2"_s);
        QTest::newRow("given empty") << QVariant(QString()) << QVariant(u"Drama"_s) << QVariant(QString());
    }

    void writesThePostersSecondLine()
    {
        QFETCH(QVariant, given);
        QFETCH(QVariant, genre);
        QFETCH(QVariant, line);
        QCOMPARE(CardRules::posterSubtitle(optionalText(given), optionalText(genre)), optionalText(line));
    }

    void measuresAProgrammesProgress_data()
    {
        QTest::addColumn<int>("startMinutes"); // before now
        QTest::addColumn<int>("lengthMinutes");
        QTest::addColumn<qreal>("progress");
        QTest::newRow("half way") << 30 << 60 << 0.5;
        QTest::newRow("not begun") << -10 << 60 << 0.0;
        QTest::newRow("over") << 90 << 60 << 1.0;
        QTest::newRow("no length") << 10 << 0 << 0.0;
        QTest::newRow("ends before it starts") << 10 << -5 << 0.0;
    }

    void measuresAProgrammesProgress()
    {
        QFETCH(int, startMinutes);
        QFETCH(int, lengthMinutes);
        QFETCH(qreal, progress);
        const QDateTime now = QDateTime::currentDateTime();
        const QDateTime start = now.addSecs(-60 * startMinutes);
        QCOMPARE(CardRules::programmeProgress(start, start.addSecs(60 * lengthMinutes), now), progress);
        QCOMPARE(CardRules::channelSubtitle(QVariant()), u"Live TV"_s);
        QCOMPARE(CardRules::channelSubtitle(u"News at Six"_s), u"News at Six"_s);
    }

    void scrollsAShelfByMostOfItsWidth_data()
    {
        QTest::addColumn<qreal>("offset");
        QTest::addColumn<qreal>("viewport");
        QTest::addColumn<int>("direction");
        QTest::addColumn<qreal>("target");
        QTest::newRow("wide") << 0.0 << 1000.0 << 1 << 800.0;
        QTest::newRow("narrow") << 0.0 << 300.0 << 1 << 300.0;
        QTest::newRow("back past the start") << 100.0 << 1000.0 << -1 << 0.0;
        QTest::newRow("before any geometry") << 0.0 << 0.0 << 1 << 300.0;
        QTest::newRow("not past the end") << 4000.0 << 1000.0 << 1 << 4000.0;
    }

    void scrollsAShelfByMostOfItsWidth()
    {
        QFETCH(qreal, offset);
        QFETCH(qreal, viewport);
        QFETCH(int, direction);
        QFETCH(qreal, target);
        QCOMPARE(CardRules::shelfScrollTarget(offset, viewport, 5000, direction), target);
        QCOMPARE(CardRules::logoWidth(40), 58.0);
    }

    void aPosterCardShowsRatingFavouriteSubtitleAndProgress()
    {
        QmlHarness harness;
        QQuickItem *card = harness.createFromQml(
            u"PosterCard { width: 160; progress: 0.5; item: %1 }"_s.arg(film));
        QVERIFY(card);
        QCOMPARE(card->height(), 240 + 8 + QmlHarness::find(card, u"title"_s)->height() + 3
                                     + QmlHarness::find(card, u"subtitle"_s)->height());
        QVERIFY(QmlHarness::find(card, u"rating"_s)->isVisible());
        QCOMPARE(card->property("ratingText").toString(), u"8.5"_s);
        QVERIFY(QmlHarness::find(card, u"favourite"_s)->isVisible());
        QVERIFY(QmlHarness::find(card, u"progress"_s)->isVisible());
        QCOMPARE(QmlHarness::find(card, u"subtitle"_s)->property("text").toString(), u"Drama, Crime"_s);
        QCOMPARE(QmlHarness::find(card, u"title"_s)->property("text").toString(),
                 u"\u2068Night Harbour (1979)\u2069"_s);
    }

    void aPosterCardLeavesOutWhatItHasNot_data()
    {
        QTest::addColumn<QString>("properties");
        QTest::addColumn<bool>("rating");
        QTest::addColumn<bool>("subtitle");
        QTest::newRow("no rating, no genre") << u"item: ({ title: \"A\" })"_s << false << false;
        QTest::newRow("rating 0, commas") << u"item: ({ title: \"A\", rating: 0, genre: \",,\" })"_s << false << false;
        QTest::newRow("rating 10, empty subtitle given") << u"item: ({ title: \"A\", rating: 10 }); subtitle: \"\""_s
                                                         << true << true;
    }

    void aPosterCardLeavesOutWhatItHasNot()
    {
        QFETCH(QString, properties);
        QFETCH(bool, rating);
        QFETCH(bool, subtitle);
        QmlHarness harness;
        QQuickItem *card = harness.createFromQml(u"PosterCard { width: 140; %1 }"_s.arg(properties));
        QVERIFY(card);
        QCOMPARE(QmlHarness::find(card, u"rating"_s)->isVisible(), rating);
        QCOMPARE(QmlHarness::find(card, u"subtitle"_s)->isVisible(), subtitle);
        QVERIFY(!QmlHarness::find(card, u"favourite"_s)->isVisible());
        QVERIFY(!QmlHarness::find(card, u"progress"_s)->isVisible());
    }

    void aPosterCardLightsUpOnlyUnderTheCardsPointer()
    {
        QmlHarness harness;
        QQuickItem *button = harness.createFromQml(
            u"QMCardButton { contentItem: PosterCard { objectName: \"card\"; width: 160; item: %1 } }"_s.arg(film));
        QVERIFY(button);
        QQuickItem *card = QmlHarness::find(button, u"card"_s);
        QVERIFY(!card->property("cardHovered").toBool());
        const QColor atRest = harness.pixel(card, QPointF(80, 1));
        harness.hover(button);
        QVERIFY(card->property("cardHovered").toBool());
        QmlHarness::settle();
        // The outline turns to the accent (softened a little: the hovered card is scaled).
        const QColor hovered = harness.pixel(card, QPointF(80, 1));
        QVERIFY2(hovered.green() - atRest.green() > 60 && hovered.green() > hovered.red() + 60,
                 qPrintable(describeColours(hovered, Palette::accent)));
        // A press shrinks the card and keeps it lit; the button, not the card, takes the click.
        QSignalSpy clicks(button, SIGNAL(clicked()));
        harness.press(button);
        QTRY_COMPARE(button->scale(), 0.98);
        QVERIFY(card->property("cardHovered").toBool());
        harness.release(button);
        QCOMPARE(clicks.size(), 1);
        harness.moveAway();
        QVERIFY(!card->property("cardHovered").toBool());

        // Outside a card button a card never shows hover, however the pointer moves over it.
        QQuickItem *bare = harness.createFromQml(u"PosterCard { width: 160; item: %1 }"_s.arg(film));
        harness.hover(bare);
        QmlHarness::settle();
        QVERIFY(!bare->property("cardHovered").toBool());
    }

    void aChannelCardShowsWhatIsOnNow()
    {
        QmlHarness harness;
        QQuickItem *card = harness.createFromQml(
            uR"qml(ChannelCard { width: 240; item: ({ title: "BBC One", nowTitle: "News at Six",
                 nowStart: new Date(Date.now() - 15 * 60000), nowEnd: new Date(Date.now() + 15 * 60000) }) })qml"_s);
        QVERIFY(card);
        QCOMPARE(card->height(), 120 + 9 + QmlHarness::find(card, u"title"_s)->height() + 3
                                     + QmlHarness::find(card, u"subtitle"_s)->height());
        QVERIFY(QmlHarness::find(card, u"liveBadge"_s)->isVisible());
        QCOMPARE(QmlHarness::find(card, u"subtitle"_s)->property("text").toString(), u"News at Six"_s);
        const qreal progress = QmlHarness::find(card, u"progress"_s)->property("value").toReal();
        QVERIFY(progress > 0.45 && progress < 0.55);

        QQuickItem *quiet = harness.createFromQml(u"ChannelCard { width: 240; item: ({ title: \"BBC Two\" }) }"_s);
        QCOMPARE(QmlHarness::find(quiet, u"subtitle"_s)->property("text").toString(), u"Live TV"_s);
        QVERIFY(!QmlHarness::find(quiet, u"liveBadge"_s)->isVisible());
        QVERIFY(!QmlHarness::find(quiet, u"progress"_s)->isVisible());

        // A programme that does not end after it starts still shows the badge, with an empty line.
        QQuickItem *odd = harness.createFromQml(
            uR"qml(ChannelCard { width: 240; item: ({ title: "BBC Three", nowTitle: "Loop",
                 nowStart: new Date(Date.now()), nowEnd: new Date(Date.now() - 60000) }) })qml"_s);
        QVERIFY(QmlHarness::find(odd, u"liveBadge"_s)->isVisible());
        QCOMPARE(QmlHarness::find(odd, u"progress"_s)->property("value").toReal(), 0.0);
    }

    void aShelfsArrowsPageThroughItsRow()
    {
        QmlHarness harness({1100, 500});
        QQuickItem *shelf = harness.createFromQml(uR"qml(
            Shelf {
                width: 1000
                title: "Recently added"
                subtitle: "12 films"
                model: 20
                delegate: QMCardButton {
                    required property int index
                    contentItem: PosterCard { width: 160; item: ({ title: "Film " + parent.index }) }
                }
                QMButton { objectName: "trailing"; text: "See all"; compact: true; kind: QMButtonKind.Ghost }
            })qml"_s);
        QVERIFY(shelf);
        QVERIFY(QmlHarness::find(shelf, u"trailing"_s)->isVisible());
        QQuickItem *on = QmlHarness::find(shelf, u"scrollOn"_s);
        QQuickItem *back = QmlHarness::find(shelf, u"scrollBack"_s);
        QCOMPARE(shelf->property("offset").toReal(), 0.0);
        harness.click(on);
        QTRY_COMPARE(shelf->property("offset").toReal(), 800.0);
        harness.click(on);
        QTRY_COMPARE(shelf->property("offset").toReal(), 1600.0);
        harness.click(back);
        QTRY_COMPARE(shelf->property("offset").toReal(), 800.0);
        harness.click(back);
        harness.click(back);
        QTRY_COMPARE(shelf->property("offset").toReal(), 0.0);
        // Cards are made as they come into view, not all at once.
        QQuickItem *row = QmlHarness::find(shelf, u"row"_s);
        QVERIFY(row->property("count").toInt() == 20);
        int made = 0;
        for (QQuickItem *child : row->property("contentItem").value<QQuickItem *>()->childItems())
            made += child->inherits("QQuickAbstractButton") ? 1 : 0;
        QVERIFY(made < 20);
    }
};

QTEST_MAIN(KitCardsTest)
#include "tst_kitcards.moc"
