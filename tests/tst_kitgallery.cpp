#include "support/GallerySheet.h"
#include "support/QmlHarness.h"

#include "Views/Kit/Icons.h"
#include "Views/Kit/Palette.h"

#include <QGuiApplication>
#include <QQuickItem>
#include <QTest>
#include <QtQml/QQmlExtensionPlugin>

#include <array>
#include <functional>

Q_IMPORT_QML_PLUGIN(QuillmerePlugin)

using namespace Qt::StringLiterals;

namespace {

enum class State { Rest, Hovered, Pressed, Disabled };

constexpr std::array allStates{State::Rest, State::Hovered, State::Pressed, State::Disabled};

QString nameOf(State state)
{
    switch (state) {
    case State::Rest:
        return u"rest"_s;
    case State::Hovered:
        return u"hovered"_s;
    case State::Pressed:
        return u"pressed"_s;
    case State::Disabled:
        return u"disabled, pointer over"_s;
    }
    return QString();
}

QColor withOpacity(QColor colour, qreal factor)
{
    colour.setAlphaF(colour.alphaF() * factor);
    return colour;
}

// What the palette colour looks like drawn on the window's background.
QColor onBackground(const QColor &colour)
{
    return blended(colour, Palette::bg0);
}

QString describe(const QColor &actual, const QColor &expected)
{
    return u"drawn %1, expected %2"_s.arg(actual.name(), expected.name());
}

// Evaluates each argument once: the drawn colour often comes from driving the part into a state.
#define QVERIFY_COLOUR(actual, expected)                                                                           \
    do {                                                                                                           \
        const QColor drawn = (actual);                                                                             \
        const QColor wanted = (expected);                                                                          \
        QVERIFY2(sameColour(drawn, wanted), qPrintable(describe(drawn, wanted)));                                  \
    } while (false)

// Puts the part shown into `state` with real pointer events, lets its transitions end, adds its
// picture to the sheet and returns the colour drawn at `probe` (in the part's coordinates).
QColor shoot(QmlHarness &harness, GallerySheet &sheet, State state, QPointF probe)
{
    QQuickItem *part = harness.item();
    part->setEnabled(state != State::Disabled);
    harness.moveAway();
    if (state == State::Pressed)
        harness.press(part);
    else if (state != State::Rest)
        harness.hover(part);
    QmlHarness::settle();
    sheet.add(nameOf(state), harness.grab(part, 8));
    const QColor colour = harness.pixel(part, probe);
    if (state == State::Pressed)
        harness.release(part);
    part->setEnabled(true);
    return colour;
}

} // namespace

// Every part of the interface kit in its states, drawn offscreen into gallery-<part>.png in the
// working folder. A few pixels of each picture are checked against the palette, so that a broken
// theme or a state that stops showing fails here.
class KitGalleryTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void theme()
    {
        QmlHarness harness({900, 700});
        QQuickItem *board = harness.createFromQml(uR"(
            Column {
                spacing: 18
                Grid {
                    objectName: "swatches"
                    columns: 6
                    spacing: 10
                    Repeater {
                        model: ["bg0", "bg1", "surface1", "surface2", "surface3", "surface4", "text1", "text2",
                                "text3", "textOnAccent", "accent", "accentHover", "accentPressed", "live", "danger",
                                "warning", "success", "hover", "pressed", "stroke", "strokeStrong", "scrim",
                                "accentSoft"]
                        Column {
                            required property string modelData
                            spacing: 4
                            Rectangle {
                                objectName: parent.modelData
                                width: 120; height: 40; radius: 8
                                color: QM[parent.modelData]
                                border.width: 1; border.color: QM.strokeStrong
                            }
                            Text { text: parent.modelData; font: QM.caption; color: QM.text2 }
                        }
                    }
                }
                Column {
                    spacing: 6
                    Text { text: "Display 34 bold"; font: QM.display; color: QM.text1 }
                    Text { text: "Heading one 28 bold"; font: QM.h1; color: QM.text1 }
                    Text { text: "Heading two 20 semibold"; font: QM.h2; color: QM.text1 }
                    Text { text: "Heading three 16 semibold"; font: QM.h3; color: QM.text1 }
                    Text { text: "Body 14 regular: the quick brown fox jumps over the lazy dog"; font: QM.body; color: QM.text1 }
                    Text { text: "Label 13 medium"; font: QM.label; color: QM.text2 }
                    Text { text: "Caption 12 regular"; font: QM.caption; color: QM.text2 }
                    Text { text: "Small 11 medium"; font: QM.small; color: QM.text3 }
                    QMOverline { text: "Overline 11 semibold, tracked" }
                    Text { text: "Button 13.5 semibold"; font: QM.font(13.5, 600); color: QM.text1 }
                }
            }
        )"_s);
        QVERIFY(board);
        QmlHarness::settle(50);
        GallerySheet sheet;
        sheet.add(u"palette and type scale"_s, harness.grab(board, 8));
        QVERIFY(!sheet.save(u"theme"_s).isEmpty());

        const QList<std::pair<QString, QColor>> swatches{
            {u"bg1"_s, Palette::bg1},         {u"surface2"_s, Palette::surface2}, {u"text1"_s, Palette::text1},
            {u"accent"_s, Palette::accent},   {u"live"_s, Palette::live},         {u"warning"_s, Palette::warning},
            {u"hover"_s, Palette::hover},     {u"scrim"_s, Palette::scrim},       {u"accentSoft"_s, Palette::accentSoft}};
        for (const auto &[name, colour] : swatches) {
            QQuickItem *swatch = QmlHarness::find(board, name);
            QVERIFY2(swatch, qPrintable(name));
            QVERIFY_COLOUR(harness.pixel(swatch, QPointF(60, 20)), onBackground(colour));
        }
    }

    void icons()
    {
        QmlHarness harness;
        GallerySheet sheet;
        const QStringList symbols = Icons::symbols();
        for (qsizetype index = 0; index < symbols.size(); ++index) {
            if (index % 8 == 0)
                sheet.addRow(QString());
            QQuickItem *icon = harness.create(u"Icon"_s, {{u"symbol"_s, symbols.at(index)}, {u"size"_s, 22}});
            QVERIFY(icon);
            const QImage picture = harness.grab(icon, 4);
            sheet.add(symbols.at(index), picture);
            // Every symbol draws something in its colour.
            bool drawn = false;
            for (int y = 0; y < picture.height() && !drawn; ++y) {
                for (int x = 0; x < picture.width() && !drawn; ++x)
                    drawn = sameColour(picture.pixelColor(x, y), Palette::text1, 8);
            }
            QVERIFY2(drawn, qPrintable(symbols.at(index)));
        }
        QVERIFY(!sheet.save(u"icons"_s).isEmpty());
    }

    void buttons()
    {
        struct Look
        {
            QString name;
            QColor rest;
            QColor hovered;
            QColor pressed;
        };
        const QList<Look> looks{
            {u"Primary"_s, Palette::accent, Palette::accentHover, Palette::accentPressed},
            {u"Secondary"_s, Palette::surface2, Palette::surface3, Palette::surface4},
            {u"Subtle"_s, Palette::hover, withOpacity(Palette::hover, 1.6), Palette::pressed},
            {u"Ghost"_s, Palette::clear, Palette::hover, Palette::pressed},
            {u"Danger"_s, withOpacity(Palette::danger, 0.1), withOpacity(Palette::danger, 0.18),
             withOpacity(Palette::danger, 0.25)}};
        QmlHarness harness({400, 200});
        GallerySheet sheet;
        for (int kind = 0; kind < looks.size(); ++kind) {
            const Look &look = looks.at(kind);
            for (const bool compact : {false, true}) {
                sheet.addRow(look.name + (compact ? u", compact"_s : QString()));
                QQuickItem *button = harness.create(u"QMButton"_s, {{u"text"_s, u"Watch now"_s},
                                                                     {u"symbol"_s, u"play.fill"_s},
                                                                     {u"kind"_s, kind},
                                                                     {u"compact"_s, compact}});
                QVERIFY(button);
                QCOMPARE(button->height(), compact ? 30.0 : 38.0);
                const QPointF probe(6, button->height() / 2);
                QVERIFY_COLOUR(shoot(harness, sheet, State::Rest, probe), onBackground(look.rest));
                QVERIFY_COLOUR(shoot(harness, sheet, State::Hovered, probe), onBackground(look.hovered));
                QVERIFY_COLOUR(shoot(harness, sheet, State::Pressed, probe), onBackground(look.pressed));
                QVERIFY_COLOUR(shoot(harness, sheet, State::Disabled, probe), onBackground(withOpacity(look.rest, 0.45)));
            }
        }
        QVERIFY(!sheet.save(u"buttons"_s).isEmpty());
    }
};

QTEST_MAIN(KitGalleryTest)
#include "tst_kitgallery.moc"
