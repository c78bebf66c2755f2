#include "support/ColourChecks.h"
#include "support/QmlHarness.h"

#include <QGuiApplication>
#include <QQuickItem>
#include <QSignalSpy>
#include <QTest>
#include <QtQml/QQmlExtensionPlugin>

Q_IMPORT_QML_PLUGIN(QuillmerePlugin)

using namespace Qt::StringLiterals;

// The interface kit's parts loaded offscreen and driven with real pointer and key events.
class KitPartsTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void aDisabledButtonIgnoresThePointer()
    {
        QmlHarness harness;
        QQuickItem *button = harness.create(u"QMButton"_s, {{u"text"_s, u"Play"_s}, {u"enabled"_s, false}});
        QVERIFY(button);
        QSignalSpy clicks(button, SIGNAL(clicked()));
        harness.click(button);
        QCOMPARE(clicks.size(), 0);

        button->setEnabled(true);
        harness.click(button);
        QCOMPARE(clicks.size(), 1);
    }

    void aPressReleasedOutsideTheButtonDoesNotClick()
    {
        QmlHarness harness;
        QQuickItem *button = harness.create(u"QMButton"_s, {{u"text"_s, u"Remove"_s}, {u"kind"_s, 4}});
        QSignalSpy clicks(button, SIGNAL(clicked()));
        harness.press(button);
        QVERIFY(button->property("pressed").toBool());
        harness.release(button, QPointF(button->width() + 40, button->height() / 2));
        QCOMPARE(clicks.size(), 0);
        QVERIFY(!button->property("pressed").toBool());
    }

    void anIconButtonTakesClicksOnlyInsideItsCircle()
    {
        QmlHarness harness;
        QQuickItem *button = harness.create(u"QMIconButton"_s, {{u"symbol"_s, u"xmark"_s}, {u"size"_s, 40}});
        QVERIFY(button);
        QSignalSpy clicks(button, SIGNAL(clicked()));
        harness.click(button, QPointF(2, 2));
        QCOMPARE(clicks.size(), 0);
        harness.hover(button, QPointF(3, 3));
        QVERIFY(!button->property("hovered").toBool());
        harness.click(button, QPointF(20, 3));
        QCOMPARE(clicks.size(), 1);
    }

    void aCardTellsItsContentWhetherThePointerIsOverIt()
    {
        QmlHarness harness;
        QQuickItem *card = harness.createFromQml(uR"qml(
            QMCardButton {
                contentItem: Rectangle {
                    objectName: "content"
                    property bool cardHovered: false
                    implicitWidth: 120; implicitHeight: 80
                    Text { objectName: "inner"; property bool shown: parent.cardHovered }
                }
            })qml"_s);
        QVERIFY(card);
        QQuickItem *content = QmlHarness::find(card, u"content"_s);
        QVERIFY(!content->property("cardHovered").toBool());

        harness.hover(card);
        QVERIFY(content->property("cardHovered").toBool());
        QTRY_COMPARE(card->scale(), 1.025);
        harness.press(card);
        QTRY_COMPARE(card->scale(), 0.98);
        harness.release(card);
        harness.moveAway();
        QVERIFY(!content->property("cardHovered").toBool());
        QTRY_COMPARE(card->scale(), 1.0);

        // Content that does not ask is left alone.
        QQuickItem *plain = harness.createFromQml(
            u"QMCardButton { contentItem: Rectangle { implicitWidth: 50; implicitHeight: 50 } }"_s);
        QVERIFY(plain);
        harness.hover(plain);
        QVERIFY(plain->property("cardHovered").toBool());
    }

    void aButtonTabbedToShowsARingAndAnswersSpaceAndReturn()
    {
        QmlHarness harness;
        QQuickItem *row = harness.createFromQml(uR"qml(
            Row {
                spacing: 20
                QMButton { objectName: "first"; text: "Cancel"; kind: QMButtonKind.Ghost }
                QMButton { objectName: "second"; text: "Save" }
            })qml"_s);
        QVERIFY(row);
        QQuickItem *first = QmlHarness::find(row, u"first"_s);
        QQuickItem *second = QmlHarness::find(row, u"second"_s);
        QSignalSpy clicks(second, SIGNAL(clicked()));
        // Just outside the button's leading edge.
        const QPointF beside(-2, first->height() / 2);
        const QColor ring = onBackground(Palette::accentFocus);

        // A click gives the keyboard without a ring; Tab gives it with one.
        harness.click(first);
        QVERIFY(first->hasActiveFocus());
        QVERIFY_COLOUR(harness.pixel(first, beside), Palette::bg0);
        harness.key(Qt::Key_Tab);
        QVERIFY(second->hasActiveFocus());
        QVERIFY_COLOUR(harness.pixel(second, beside), ring);
        harness.key(Qt::Key_Tab, Qt::ShiftModifier);
        QVERIFY(first->hasActiveFocus());
        QVERIFY_COLOUR(harness.pixel(first, beside), ring);
        QVERIFY_COLOUR(harness.pixel(second, beside), Palette::bg0);

        harness.key(Qt::Key_Tab);
        harness.key(Qt::Key_Space);
        harness.key(Qt::Key_Return);
        harness.key(Qt::Key_Enter);
        QCOMPARE(clicks.size(), 3);
    }

    void theSearchFieldTypesClearsAndSubmits()
    {
        QmlHarness harness;
        QQuickItem *field = harness.create(u"QMSearchField"_s, {{u"prompt"_s, u"Search"_s}});
        QVERIFY(field);
        QQuickItem *clear = QmlHarness::find(field, u"clearButton"_s);
        QVERIFY(!clear->isVisible());
        QSignalSpy edits(field, SIGNAL(textEdited()));
        QSignalSpy submissions(field, SIGNAL(submitted()));

        // No focus binding is needed: a click gives the field the keyboard, which its edge shows.
        const QPointF edge(0, field->height() / 2);
        QVERIFY_COLOUR(harness.pixel(field, edge), blended(Palette::stroke, Palette::surface2));
        harness.click(field);
        QVERIFY(field->property("fieldFocused").toBool());
        QVERIFY_COLOUR(harness.pixel(field, edge), blended(Palette::accentFocus, Palette::surface2));
        harness.type(u"n"_s);
        QVERIFY(clear->isVisible());
        harness.type(u"ews \u00e9"_s);
        QCOMPARE(field->property("text").toString(), u"news \u00e9"_s);
        QCOMPARE(edits.size(), 6);

        harness.key(Qt::Key_Return);
        QCOMPARE(submissions.size(), 1);

        harness.click(clear);
        QCOMPARE(field->property("text").toString(), QString());
        QCOMPARE(edits.size(), 7);
        QVERIFY(!clear->isVisible());
        // Return with nothing typed still submits; the caller decides what that means.
        harness.key(Qt::Key_Return);
        QCOMPARE(submissions.size(), 2);
    }

    void theSearchFieldFollowsTheTextItIsGiven()
    {
        QmlHarness harness;
        QQuickItem *form = harness.createFromQml(uR"qml(
            Item {
                property string query: "first"
                width: 300; height: 40
                QMSearchField {
                    objectName: "field"
                    text: parent.query
                    onTextEdited: parent.query = text
                }
            })qml"_s);
        QVERIFY(form);
        QQuickItem *field = QmlHarness::find(form, u"field"_s);
        QCOMPARE(field->property("text").toString(), u"first"_s);
        form->setProperty("query", u"second"_s);
        QCOMPARE(field->property("text").toString(), u"second"_s);
        harness.click(QmlHarness::find(field, u"clearButton"_s));
        QCOMPARE(form->property("query").toString(), QString());
        harness.click(field);
        harness.type(u"x"_s);
        QCOMPARE(form->property("query").toString(), u"x"_s);
    }

    void aChipClicksAndShowsItsSymbolOnlyWhenGiven()
    {
        QmlHarness harness;
        QQuickItem *plain = harness.create(u"QMChip"_s, {{u"text"_s, u"Today"_s}});
        QVERIFY(plain);
        const qreal plainWidth = plain->width();
        QSignalSpy clicks(plain, SIGNAL(clicked()));
        harness.click(plain);
        QCOMPARE(clicks.size(), 1);

        QQuickItem *withSymbol = harness.create(u"QMChip"_s, {{u"text"_s, u"Today"_s}, {u"symbol"_s, u"clock"_s}});
        QVERIFY(withSymbol->width() > plainWidth + 10);
    }

    void anEmptyStateOffersItsActionOnlyWithTitleAndFunction_data()
    {
        QTest::addColumn<QString>("properties");
        QTest::addColumn<bool>("offered");
        QTest::newRow("both") << u"actionTitle: \"Refresh\"; action: function() { calls += 1 }"_s << true;
        QTest::newRow("title only") << u"actionTitle: \"Refresh\""_s << false;
        QTest::newRow("function only") << u"action: function() { calls += 1 }"_s << false;
        QTest::newRow("neither") << QString() << false;
    }

    void anEmptyStateOffersItsActionOnlyWithTitleAndFunction()
    {
        QFETCH(QString, properties);
        QFETCH(bool, offered);
        QmlHarness harness;
        QQuickItem *state = harness.createFromQml(
            u"QMEmptyState { property int calls: 0; width: 400; height: 300; symbol: \"tv\"; title: \"Nothing\"; %1 }"_s.arg(properties));
        QVERIFY(state);
        QQuickItem *button = QmlHarness::find(state, u"actionButton"_s);
        QCOMPARE(button->isVisible(), offered);
        QVERIFY(!QmlHarness::find(state, u"message"_s)->isVisible());
        if (offered) {
            harness.click(button);
            QCOMPARE(state->property("calls").toInt(), 1);
        }
    }

    void theWordingHelpersAnswerQml()
    {
        QmlHarness harness;
        QQuickItem *texts = harness.createFromQml(uR"qml(
            Item {
                readonly property date start: new Date(2025, 2, 4, 21, 0)
                readonly property date end: new Date(2025, 2, 4, 22, 30)
                property string range: TimeText.range(start, end)
                property string timecode: TimeText.timecode(3725)
                property string duration: TimeText.duration(5400)
                property string year: TitleText.year("Harbour Lights (1979)")
                property string noYear: TitleText.year("Old Reel (1899)")
                property string isolated: TitleText.isolated("News")
                property string rating: NumberText.rating(85)
                property string noRating: NumberText.rating(undefined)
                property string nullRating: NumberText.rating(null)
                property string grouped: NumberText.grouped(12345)
            })qml"_s);
        QVERIFY(texts);
        QCOMPARE(texts->property("range").toString(), u"21:00 \u2013 22:30"_s);
        QCOMPARE(texts->property("timecode").toString(), u"1:02:05"_s);
        QCOMPARE(texts->property("duration").toString(), u"1h 30m"_s);
        QCOMPARE(texts->property("year").toString(), u"1979"_s);
        QCOMPARE(texts->property("noYear").toString(), QString());
        QCOMPARE(texts->property("isolated").toString(), u"\u2068News\u2069"_s);
        QCOMPARE(texts->property("rating").toString(), u"8.5"_s);
        QCOMPARE(texts->property("noRating").toString(), QString());
        QCOMPARE(texts->property("nullRating").toString(), QString());
        QVERIFY(texts->property("grouped").toString().endsWith(u"345"_s));
    }
};

QTEST_MAIN(KitPartsTest)
#include "tst_kitparts.moc"
