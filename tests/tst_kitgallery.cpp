#include "support/ColourChecks.h"
#include "support/GallerySheet.h"
#include "support/QmlHarness.h"

#include "Views/Kit/Icons.h"
#include "Views/Kit/Palette.h"

#include <QGuiApplication>
#include <QQuickItem>
#include <QTest>
#include <QtQml/QQmlExtensionPlugin>


Q_IMPORT_QML_PLUGIN(QuillmerePlugin)

using namespace Qt::StringLiterals;

namespace {

enum class State { Rest, Hovered, Pressed, Disabled };

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
                    Text { text: "Button 13.5 semibold"; font: QM.button; color: QM.text1 }
                }
            }
        )"_s);
        QVERIFY(board);
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

    // Provider titles in scripts the bundled Latin font lacks, and emoji, are drawn by the fonts it
    // falls back to: each character its own glyph (where a font is missing, every character is
    // the same empty box), and an emoji in its own colours, not in the text's.
    void titlesInOtherScriptsAndEmojiDrawRealGlyphs()
    {
        QmlHarness harness({760, 260});
        QQuickItem *board = harness.createFromQml(uR"(
            Column {
                spacing: 14
                Text { text: "新闻频道 · ニュース · 뉴스 · Новости · الأخبار · 🎬😀"; font: QM.h2; color: QM.text1; textFormat: Text.PlainText }
                Row {
                    spacing: 16
                    Repeater {
                        model: ["新", "闻", "ニ", "뉴", "😀"]
                        Text { objectName: "glyph-" + modelData; required property string modelData
                               text: modelData; font: QM.h2; color: QM.text1; textFormat: Text.PlainText }
                    }
                }
            })"_s);
        QVERIFY(board);
        GallerySheet sheet;
        sheet.add(u"titles in other scripts, and emoji"_s, harness.grab(board, 8));
        QVERIFY(!sheet.save(u"scripts"_s).isEmpty());

        const auto glyph = [&](const QString &text) { return harness.grab(QmlHarness::find(board, u"glyph-"_s + text)); };
        const QList<QImage> pictures{glyph(u"新"_s), glyph(u"闻"_s), glyph(u"ニ"_s), glyph(u"뉴"_s)};
        for (qsizetype a = 0; a < pictures.size(); ++a) {
            for (qsizetype b = a + 1; b < pictures.size(); ++b)
                QVERIFY2(pictures.at(a) != pictures.at(b), qPrintable(QString::number(a) + u" looks like "_s + QString::number(b)));
        }
        // The text is a light grey; the face is yellow.
        const QImage emoji = glyph(u"😀"_s);
        bool coloured = false;
        for (int y = 0; y < emoji.height() && !coloured; ++y) {
            for (int x = 0; x < emoji.width() && !coloured; ++x) {
                const QColor pixel = emoji.pixelColor(x, y);
                coloured = pixel.red() > 150 && pixel.green() > 120 && pixel.blue() < 90;
            }
        }
        QVERIFY(coloured);
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

    void iconButtons()
    {
        QmlHarness harness({300, 200});
        GallerySheet sheet;
        for (const bool filled : {true, false}) {
            sheet.addRow(filled ? u"Filled, tint text1"_s : u"Not filled, tint text3"_s);
            QQuickItem *button = harness.create(
                u"QMIconButton"_s,
                {{u"symbol"_s, u"chevron.left"_s}, {u"size"_s, 40}, {u"filled"_s, filled},
                 {u"tint"_s, filled ? Palette::text1 : Palette::text3}});
            QVERIFY(button);
            // Above the glyph, inside the circle.
            const QPointF probe(20, 6);
            const QColor rest = filled ? Palette::surface2 : Palette::clear;
            QVERIFY_COLOUR(shoot(harness, sheet, State::Rest, probe), onBackground(rest));
            QVERIFY_COLOUR(shoot(harness, sheet, State::Hovered, probe), onBackground(Palette::surface3));
            QVERIFY_COLOUR(shoot(harness, sheet, State::Pressed, probe), onBackground(Palette::pressed));
            // Not dimmed as a whole: the circle keeps its resting fill.
            QVERIFY_COLOUR(shoot(harness, sheet, State::Disabled, probe), onBackground(rest));
        }
        QVERIFY(!sheet.save(u"iconbuttons"_s).isEmpty());
    }

    void rowsAndCards()
    {
        QmlHarness harness({400, 300});
        GallerySheet sheet;
        for (const bool selected : {false, true}) {
            sheet.addRow(selected ? u"Row, selected"_s : u"Row"_s);
            QQuickItem *row = harness.createFromQml(uR"(
                QMRowButton {
                    width: 240; height: 34; radius: 8; leftPadding: 10; rightPadding: 10
                    selected: %1
                    contentItem: RowLayout {
                        spacing: 10
                        Icon { symbol: "heart"; size: 12; color: QM.text2 }
                        Text { text: "Favourites"; font: QM.label; color: QM.text1; Layout.fillWidth: true }
                        Text { text: "128"; font: QM.caption; color: QM.text3 }
                    }
                })"_s.arg(selected ? u"true"_s : u"false"_s));
            QVERIFY(row);
            const QPointF probe(4, 17);
            const auto fill = [selected](const QColor &colour) { return onBackground(selected ? Palette::accentSoft : colour); };
            QVERIFY_COLOUR(shoot(harness, sheet, State::Rest, probe), fill(Palette::clear));
            QVERIFY_COLOUR(shoot(harness, sheet, State::Hovered, probe), fill(Palette::hover));
            QVERIFY_COLOUR(shoot(harness, sheet, State::Pressed, probe), fill(Palette::pressed));
        }

        sheet.addRow(u"Card: the content reads cardHovered"_s);
        QQuickItem *card = harness.createFromQml(uR"(
            QMCardButton {
                radius: 12
                contentItem: Rectangle {
                    property bool cardHovered: false
                    implicitWidth: 160; implicitHeight: 90; radius: 12
                    color: cardHovered ? QM.surface3 : QM.surface2
                    border.width: 1; border.color: QM.stroke
                    Text {
                        anchors.centerIn: parent
                        text: parent.cardHovered ? "cardHovered" : "at rest"
                        font: QM.label; color: QM.text1
                    }
                }
            })"_s);
        QVERIFY(card);
        const QPointF probe(20, 10);
        QVERIFY_COLOUR(shoot(harness, sheet, State::Rest, probe), Palette::surface2);
        QVERIFY_COLOUR(shoot(harness, sheet, State::Hovered, probe), Palette::surface3);
        QVERIFY_COLOUR(shoot(harness, sheet, State::Pressed, probe), Palette::surface3);
        QVERIFY(!sheet.save(u"rowsandcards"_s).isEmpty());
    }

    void chips()
    {
        QmlHarness harness({300, 120});
        GallerySheet sheet;
        const QList<std::tuple<QString, QString, bool>> chips{
            {u"Tomorrow"_s, QString(), false}, {u"Today"_s, QString(), true},
            {u"cartoons"_s, u"clock.arrow.circlepath"_s, false}, {u"Season 2"_s, u"checkmark"_s, true}};
        for (const auto &[title, symbol, selected] : chips) {
            sheet.addRow(title + (symbol.isEmpty() ? QString() : u" with a symbol"_s) + (selected ? u", selected"_s : QString()));
            QQuickItem *chip = harness.create(
                u"QMChip"_s, {{u"text"_s, title}, {u"symbol"_s, symbol}, {u"selected"_s, selected}});
            QVERIFY(chip);
            QCOMPARE(chip->height(), 30.0);
            const QPointF probe(5, 15);
            QVERIFY_COLOUR(shoot(harness, sheet, State::Rest, probe),
                           onBackground(selected ? Palette::accent : Palette::surface2));
            QVERIFY_COLOUR(shoot(harness, sheet, State::Hovered, probe),
                           onBackground(selected ? Palette::accent : Palette::surface3));
        }
        QVERIFY(!sheet.save(u"chips"_s).isEmpty());
    }

    void searchField()
    {
        QmlHarness harness({400, 120});
        GallerySheet sheet;
        QQuickItem *field = harness.create(u"QMSearchField"_s, {{u"prompt"_s, u"Search channels"_s}, {u"width"_s, 280}});
        QVERIFY(field);
        QmlHarness::settle();
        sheet.add(u"empty, with its prompt"_s, harness.grab(field, 8));
        QVERIFY_COLOUR(harness.pixel(field, QPointF(4, field->height() / 2)), Palette::surface2);

        harness.click(field);
        harness.type(u"BBC One"_s);
        QmlHarness::settle();
        QCOMPARE(field->property("text").toString(), u"BBC One"_s);
        sheet.add(u"typed, with the clear button"_s, harness.grab(field, 8));
        QVERIFY(QmlHarness::find(field, u"clearButton"_s)->isVisible());

        harness.key(Qt::Key_A, Qt::ControlModifier);
        QmlHarness::settle();
        sheet.add(u"text selected"_s, harness.grab(field, 8));
        QVERIFY(!sheet.save(u"searchfield"_s).isEmpty());
    }

    void badgesAndProgress()
    {
        QmlHarness harness({400, 200});
        GallerySheet sheet;
        sheet.addRow(u"Badges"_s);
        QQuickItem *badge = harness.create(u"QMBadge"_s, {{u"text"_s, u"NEW"_s}, {u"color"_s, Palette::accent},
                                                          {u"fill"_s, Palette::accentSoft}});
        QVERIFY(badge);
        sheet.add(u"accent"_s, harness.grab(badge, 6));
        QVERIFY_COLOUR(harness.pixel(badge, QPointF(2, badge->height() / 2)), onBackground(Palette::accentSoft));
        badge = harness.create(u"QMBadge"_s, {{u"text"_s, u"4K"_s}, {u"color"_s, Palette::text1},
                                              {u"fill"_s, Palette::surface3}});
        sheet.add(u"neutral"_s, harness.grab(badge, 6));
        QQuickItem *live = harness.create(u"LiveBadge"_s);
        QVERIFY(live);
        sheet.add(u"live"_s, harness.grab(live, 6));
        QVERIFY_COLOUR(harness.pixel(live, QPointF(live->width() - 4, live->height() / 2)),
                       onBackground(withOpacity(Palette::live, 0.18)));

        QVERIFY(!sheet.save(u"badges"_s).isEmpty());

        GallerySheet progress;
        progress.addRow(u"Progress lines, 200 wide, 4 high"_s);
        const QColor track = onBackground(QColor(255, 255, 255, 31));
        for (const double value : {-0.2, 0.5, 1.7}) {
            QQuickItem *line = harness.create(u"QMProgressLine"_s, {{u"value"_s, value}, {u"width"_s, 200}, {u"height"_s, 4}});
            QVERIFY(line);
            progress.add(QString::number(value), harness.grab(line, 6));
            QVERIFY_COLOUR(harness.pixel(line, QPointF(50, 2)), value > 0 ? Palette::accent : track);
            QVERIFY_COLOUR(harness.pixel(line, QPointF(150, 2)), value > 1 ? Palette::accent : track);
        }
        QVERIFY(!progress.save(u"progress"_s).isEmpty());
    }

    void emptyStates()
    {
        QmlHarness harness({640, 420});
        GallerySheet sheet;
        const QList<std::pair<QString, QString>> looks{
            {u"message and action"_s,
             uR"(QMEmptyState { width: 560; height: 360; symbol: "tv"; title: "No channels here";
                   message: "Pick another category from the menu above, or refresh the playlist to load its channels again.";
                   actionTitle: "Refresh"; action: function() {} })"_s},
            {u"title only"_s, uR"(QMEmptyState { width: 400; height: 240; symbol: "heart"; title: "No favourite channels yet" })"_s},
            {u"action title without an action"_s,
             uR"(QMEmptyState { width: 400; height: 260; symbol: "magnifyingglass"; title: "No results";
                   message: "Try a shorter word."; actionTitle: "Search again" })"_s}};
        for (const auto &[caption, qml] : looks) {
            QQuickItem *state = harness.createFromQml(qml);
            QVERIFY(state);
            sheet.addRow(caption);
            sheet.add(QString(), harness.grab(state));
            // The soft disc above the title, beside its symbol.
            QQuickItem *title = QmlHarness::find(state, u"title"_s);
            QVERIFY(title);
            const QPointF discEdge = title->mapToItem(state, QPointF(title->width() / 2, -14 - 6));
            QVERIFY_COLOUR(harness.pixel(state, discEdge), onBackground(Palette::accentSoft));
        }
        QVERIFY(!sheet.save(u"emptystates"_s).isEmpty());
    }

    void spinnersAndSurfaces()
    {
        QmlHarness harness({500, 300});
        GallerySheet sheet;
        sheet.addRow(u"Spinners"_s);
        for (const double size : {12.0, 15.9, 16.0, 24.0}) {
            QQuickItem *spinner = harness.create(u"QMSpinner"_s, {{u"size"_s, size}});
            QVERIFY(spinner);
            sheet.add(u"size "_s + QString::number(size), harness.grab(spinner, 6));
            QCOMPARE(spinner->width(), size < 16 ? 12.0 : 16.0);
        }
        QVERIFY(!sheet.save(u"spinners"_s).isEmpty());

        GallerySheet surfaces;
        surfaces.addRow(u"Surfaces on surface4, without and with a border, the first with a shadow"_s);
        QQuickItem *board = harness.createFromQml(uR"(
            Rectangle {
                width: 420; height: 150; color: QM.surface4
                QMShadow { anchors.fill: plain; radius: 14; blur: 16 }
                QMSurface { id: plain; objectName: "plain"; x: 24; y: 24; width: 160; height: 90; stroke: false }
                QMSurface { objectName: "bordered"; x: 230; y: 24; width: 160; height: 90 }
            })"_s);
        QVERIFY(board);
        surfaces.add(QString(), harness.grab(board));
        QQuickItem *plain = QmlHarness::find(board, u"plain"_s);
        QQuickItem *bordered = QmlHarness::find(board, u"bordered"_s);
        QVERIFY_COLOUR(harness.pixel(plain, QPointF(80, 0)), Palette::surface1);
        QVERIFY_COLOUR(harness.pixel(bordered, QPointF(80, 0)), blended(Palette::stroke, Palette::surface1));
        QVERIFY_COLOUR(harness.pixel(bordered, QPointF(80, 45)), Palette::surface1);
        // The shadow darkens the backdrop just under the plain surface, and nothing far from it.
        const QColor shade = harness.pixel(plain, QPointF(80, 96));
        QVERIFY2(shade.lightness() < Palette::surface4.lightness() - 4, qPrintable(shade.name()));
        QVERIFY_COLOUR(harness.pixel(board, QPointF(205, 140)), Palette::surface4);
        QVERIFY(!surfaces.save(u"surfaces"_s).isEmpty());
    }
};

QTEST_MAIN(KitGalleryTest)
#include "tst_kitgallery.moc"
