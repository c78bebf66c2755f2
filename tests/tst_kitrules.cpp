#include "Views/Kit/Fonts.h"
#include "Views/Kit/Icons.h"
#include "Views/Kit/NumberTextSingleton.h"
#include "Views/Kit/ImageBlur.h"
#include "Views/Kit/Palette.h"
#include "Views/Kit/PickerRules.h"
#include "Views/Kit/QMStyle.h"
#include "Views/Kit/ShadowImageProvider.h"
#include "support/ColourChecks.h"

#include <QDirIterator>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QRawFont>
#include <QRegularExpression>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include <limits>

using namespace Qt::StringLiterals;
using Kind = QMButtonKind::Kind;

namespace {

// Every string literal in the QML sources of the views that names a symbol: the value of a
// `symbol` property, including both arms of a choice ("heart.fill" : "heart").
QMap<QString, QString> symbolsNamedInViews()
{
    static const QRegularExpression assignment(u"\\bsymbol\\s*:(.*)$"_s);
    static const QRegularExpression literal(u"\"([^\"]+)\""_s);
    QMap<QString, QString> names;
    QDirIterator files(QStringLiteral(QUILLMERE_VIEWS_DIR), {u"*.qml"_s}, QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        QFile file(files.next());
        if (!file.open(QIODevice::ReadOnly))
            continue;
        int lineNumber = 0;
        for (const QString &line : QString::fromUtf8(file.readAll()).split(u'\n')) {
            ++lineNumber;
            const QRegularExpressionMatch match = assignment.match(line);
            if (!match.hasMatch())
                continue;
            for (const QRegularExpressionMatch &name : literal.globalMatch(match.captured(1)))
                names.insert(name.captured(1), file.fileName() + u':' + QString::number(lineNumber));
        }
    }
    return names;
}

} // namespace

// The interface kit's rules: control colours by state, the symbol table, the fonts and shadows.
class KitRulesTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        Fonts::registerBundled();
    }

    // Pressed beats hovered; a disabled button keeps its resting look whatever the pointer does.
    void fillsTextButtonsByKindAndState_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("hovered");
        QTest::addColumn<bool>("pressed");
        QTest::addColumn<QColor>("fill");
        struct Row
        {
            const char *name;
            Kind kind;
            QColor rest;
            QColor hovered;
            QColor pressed;
        };
        const Row rows[] = {
            {"primary", QMButtonKind::Primary, Palette::accent, Palette::accentHover, Palette::accentPressed},
            {"secondary", QMButtonKind::Secondary, Palette::surface2, Palette::surface3, Palette::surface4},
            {"subtle", QMButtonKind::Subtle, Palette::hover, withOpacity(Palette::hover, 1.6), Palette::pressed},
            {"ghost", QMButtonKind::Ghost, QColor(0, 0, 0, 0), Palette::hover, Palette::pressed},
            {"danger", QMButtonKind::Danger, withOpacity(Palette::danger, 0.1), withOpacity(Palette::danger, 0.18),
             withOpacity(Palette::danger, 0.25)}};
        for (const Row &row : rows) {
            QTest::addRow("%s, rest", row.name) << row.kind << true << false << false << row.rest;
            QTest::addRow("%s, hovered", row.name) << row.kind << true << true << false << row.hovered;
            QTest::addRow("%s, pressed while hovered", row.name) << row.kind << true << true << true << row.pressed;
            QTest::addRow("%s, pressed", row.name) << row.kind << true << false << true << row.pressed;
            QTest::addRow("%s, disabled under the pointer", row.name) << row.kind << false << true << false << row.rest;
        }
    }

    void fillsTextButtonsByKindAndState()
    {
        QFETCH(Kind, kind);
        QFETCH(bool, enabled);
        QFETCH(bool, hovered);
        QFETCH(bool, pressed);
        QFETCH(QColor, fill);
        QCOMPARE(QMStyle::buttonFill(kind, enabled, hovered, pressed).rgba64(), fill.rgba64());
    }

    void coloursTextButtonTitles()
    {
        QCOMPARE(QMStyle::buttonForeground(QMButtonKind::Primary, true, true), Palette::textOnAccent);
        QCOMPARE(QMStyle::buttonForeground(QMButtonKind::Secondary, true, false), Palette::text1);
        QCOMPARE(QMStyle::buttonForeground(QMButtonKind::Subtle, true, true), Palette::text1);
        QCOMPARE(QMStyle::buttonForeground(QMButtonKind::Danger, true, true), Palette::danger);
        // Only the ghost's title brightens under the pointer, and not while disabled.
        QCOMPARE(QMStyle::buttonForeground(QMButtonKind::Ghost, true, false), Palette::text2);
        QCOMPARE(QMStyle::buttonForeground(QMButtonKind::Ghost, true, true), Palette::text1);
        QCOMPARE(QMStyle::buttonForeground(QMButtonKind::Ghost, false, true), Palette::text2);
    }

    void bordersDimsAndScalesTextButtons()
    {
        for (const Kind kind : {QMButtonKind::Primary, QMButtonKind::Subtle, QMButtonKind::Ghost, QMButtonKind::Danger})
            QVERIFY(!QMStyle::buttonBordered(kind));
        QVERIFY(QMStyle::buttonBordered(QMButtonKind::Secondary));
        QCOMPARE(QMStyle::buttonOpacity(true), 1.0);
        QCOMPARE(QMStyle::buttonOpacity(false), 0.45);
        QCOMPARE(QMStyle::buttonScale(true), 0.97);
        QCOMPARE(QMStyle::buttonScale(false), 1.0);
    }

    void drawsIconButtons()
    {
        const QColor clear(0, 0, 0, 0);
        QCOMPARE(QMStyle::iconButtonFill(false, true, false, false).alpha(), clear.alpha());
        QCOMPARE(QMStyle::iconButtonFill(true, true, false, false), Palette::surface2);
        QCOMPARE(QMStyle::iconButtonFill(false, true, true, false), Palette::surface3);
        QCOMPARE(QMStyle::iconButtonFill(true, true, true, true), Palette::pressed);
        // Disabled: no hover circle, and only the icon shows it.
        QCOMPARE(QMStyle::iconButtonFill(true, false, true, false), Palette::surface2);
        QCOMPARE(QMStyle::iconButtonForeground(Palette::accent, false, true), Palette::text3);
        QCOMPARE(QMStyle::iconButtonForeground(Palette::accent, true, false), Palette::accent);
        QCOMPARE(QMStyle::iconButtonForeground(Palette::accent, true, true), Palette::text1);
        QCOMPARE(QMStyle::iconButtonScale(true), 0.92);
    }

    void keepsTheSelectionOfRowsAndChips()
    {
        for (const bool hovered : {false, true}) {
            for (const bool pressed : {false, true})
                QCOMPARE(QMStyle::rowFill(true, hovered, pressed), Palette::accentSoft);
            QCOMPARE(QMStyle::chipFill(true, hovered), Palette::accent);
            QCOMPARE(QMStyle::chipForeground(true, hovered), Palette::textOnAccent);
        }
        QCOMPARE(QMStyle::rowFill(false, true, true), Palette::pressed);
        QCOMPARE(QMStyle::rowFill(false, true, false), Palette::hover);
        QCOMPARE(QMStyle::rowFill(false, false, false).alpha(), 0);
        QCOMPARE(QMStyle::chipFill(false, false), Palette::surface2);
        QCOMPARE(QMStyle::chipFill(false, true), Palette::surface3);
        QCOMPARE(QMStyle::chipForeground(false, false), Palette::text2);
        QCOMPARE(QMStyle::chipForeground(false, true), Palette::text1);
    }

    void scalesCards()
    {
        QCOMPARE(QMStyle::cardScale(false, false), 1.0);
        QCOMPARE(QMStyle::cardScale(true, false), 1.025);
        QCOMPARE(QMStyle::cardScale(true, true), 0.98);
    }

    void clampsProgressAndSizesSpinners_data()
    {
        QTest::addColumn<qreal>("value");
        QTest::addColumn<qreal>("fraction");
        QTest::newRow("negative") << -0.2 << 0.0;
        QTest::newRow("half") << 0.5 << 0.5;
        QTest::newRow("beyond the end") << 1.7 << 1.0;
        QTest::newRow("not a number") << std::numeric_limits<qreal>::quiet_NaN() << 0.0;
        QTest::newRow("infinite") << std::numeric_limits<qreal>::infinity() << 1.0;
    }

    void clampsProgressAndSizesSpinners()
    {
        QFETCH(qreal, value);
        QFETCH(qreal, fraction);
        QCOMPARE(QMStyle::progressFraction(value), fraction);
        QCOMPARE(QMStyle::spinnerDiameter(15.9), 12.0);
        QCOMPARE(QMStyle::spinnerDiameter(16), 16.0);
    }

    // A picker shows the label of the option its selection matches, as QML's strict equality
    // matches: numbers by value whatever their type, anything else only with its own type.
    void namesThePickersChoice_data()
    {
        QTest::addColumn<QVariant>("selection");
        QTest::addColumn<QString>("label");
        QTest::newRow("text") << QVariant(u"never"_s) << u"Never"_s;
        QTest::newRow("whole number") << QVariant(3) << u"Every 3 days"_s;
        QTest::newRow("the same number as a real") << QVariant(3.0) << u"Every 3 days"_s;
        QTest::newRow("a number as text") << QVariant(u"3"_s) << QString();
        QTest::newRow("a true for 1") << QVariant(true) << QString();
        QTest::newRow("none of them") << QVariant(7) << QString();
        QTest::newRow("nothing") << QVariant() << QString();
    }

    void namesThePickersChoice()
    {
        QFETCH(QVariant, selection);
        QFETCH(QString, label);
        const QVariantList options{QVariantMap{{u"value"_s, 1}, {u"label"_s, u"Every day"_s}},
                                   QVariantMap{{u"value"_s, 3}, {u"label"_s, u"Every 3 days"_s}},
                                   QVariantMap{{u"value"_s, u"never"_s}, {u"label"_s, u"Never"_s}}};
        QCOMPARE(PickerRules::label(options, selection), label);
    }

    // A channel's number as rows show it: what QML hands over for one without a number is
    // undefined or null, and a number may arrive as a real.
    void writesChannelNumbers()
    {
        QCOMPARE(NumberTextSingleton::channel(QVariant::fromValue(qint64(101))), u"101"_s);
        QCOMPARE(NumberTextSingleton::channel(QVariant(7.0)), u"7"_s);
        QCOMPARE(NumberTextSingleton::channel(QVariant()), QString());
        QCOMPARE(NumberTextSingleton::channel(QVariant::fromValue(nullptr)), QString());
    }

    void drawsEverySymbolWithAGlyphOfTheBundledFont()
    {
        const QRawFont font = QRawFont::fromFont(Fonts::icon(24));
        QVERIFY(font.isValid());
        QCOMPARE(font.familyName(), Fonts::iconFamily.toString());
        for (const QString &symbol : Icons::symbols()) {
            const QString glyph = Icons::glyph(symbol);
            QCOMPARE(glyph.size(), 1);
            QVERIFY2(font.supportsCharacter(glyph.at(0)), qPrintable(symbol));
        }
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"unknown symbol.*play\\.triangle"_s));
        QCOMPARE(Icons::glyph(u"play.triangle"_s), QString());
        QCOMPARE(Icons::glyph(QString()), QString());
    }

    void numbersTheSkipStepsTheFontLacks()
    {
        QCOMPARE(Icons::label(u"gobackward.15"_s), u"15"_s);
        QVERIFY(Icons::mirrored(u"goforward.45"_s));
        QVERIFY(!Icons::mirrored(u"gobackward.45"_s));
        // The font's own numbered glyphs need no label.
        QCOMPARE(Icons::label(u"goforward.10"_s), QString());
        QVERIFY(!Icons::mirrored(u"goforward.10"_s));
    }

    void knowsEverySymbolThePagesName()
    {
        // The symbols the pages of the program draw, with the skip steps the player offers.
        const QStringList names{
            u"arrow.clockwise"_s, u"arrow.counterclockwise"_s, u"arrow.down.circle"_s,
            u"arrow.down.right.and.arrow.up.left"_s, u"arrow.triangle.2.circlepath"_s, u"arrow.up.arrow.down"_s,
            u"arrow.up.left.and.arrow.down.right"_s, u"arrow.up.to.line"_s, u"aspectratio"_s, u"bolt"_s,
            u"calendar"_s, u"calendar.badge.clock"_s, u"captions.bubble"_s, u"checkmark"_s,
            u"checkmark.circle.fill"_s, u"chevron.down"_s, u"chevron.left"_s, u"chevron.right"_s, u"chevron.up"_s,
            u"chevron.up.chevron.down"_s, u"clock"_s, u"clock.arrow.circlepath"_s, u"ellipsis"_s,
            u"exclamationmark.triangle"_s, u"exclamationmark.triangle.fill"_s, u"eye"_s, u"eye.slash"_s,
            u"film.stack"_s, u"forward.end.fill"_s, u"gearshape"_s, u"globe"_s, u"heart"_s, u"heart.fill"_s,
            u"heart.slash"_s, u"house"_s, u"house.fill"_s, u"info.circle"_s, u"info.circle.fill"_s,
            u"lightbulb"_s, u"line.3.horizontal.decrease"_s, u"list.bullet"_s, u"list.bullet.rectangle"_s,
            u"lock"_s, u"lock.shield"_s, u"magnifyingglass"_s, u"minus.circle"_s, u"network"_s, u"pause.fill"_s,
            u"pencil"_s, u"person.2"_s, u"play.circle.fill"_s, u"play.fill"_s, u"play.rectangle"_s,
            u"play.rectangle.fill"_s, u"play.rectangle.on.rectangle"_s, u"plus"_s, u"sidebar.left"_s,
            u"sparkle"_s, u"sparkles"_s, u"speaker.slash.fill"_s, u"speaker.wave.1.fill"_s,
            u"speaker.wave.2.fill"_s, u"square.grid.2x2"_s, u"square.grid.3x3"_s, u"star.fill"_s,
            u"text.badge.plus"_s, u"trash"_s, u"tv"_s, u"waveform"_s, u"xmark"_s, u"xmark.circle.fill"_s,
            u"xmark.octagon.fill"_s};
        for (const QString &name : names)
            QVERIFY2(Icons::contains(name), qPrintable(name));
        for (const int step : {5, 10, 15, 30, 45, 60}) {
            QVERIFY(Icons::contains(QString(u"gobackward."_s + QString::number(step))));
            QVERIFY(Icons::contains(QString(u"goforward."_s + QString::number(step))));
        }
    }

    // A view that names a symbol the table lacks would draw nothing; this catches it for every
    // QML file of the views, the ones added later included.
    void knowsEverySymbolTheViewsName()
    {
        const QMap<QString, QString> names = symbolsNamedInViews();
        QVERIFY(names.contains(u"magnifyingglass"_s)); // the search field's, so the scan works
        for (auto name = names.cbegin(); name != names.cend(); ++name)
            QVERIFY2(Icons::contains(name.key()), qPrintable(name.key() + u" in "_s + name.value()));
    }

    void writesEllipsesAsOneCharacterInViewTexts()
    {
        static const QRegularExpression threeDots(u"\"[^\"]*\\.\\.\\.[^\"]*\""_s);
        QDirIterator files(QStringLiteral(QUILLMERE_VIEWS_DIR), {u"*.qml"_s}, QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            QFile file(files.next());
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QRegularExpressionMatch match = threeDots.match(QString::fromUtf8(file.readAll()));
            QVERIFY2(!match.hasMatch(), qPrintable(file.fileName() + u": "_s + match.captured()));
        }
    }

    void registersTheBundledFonts()
    {
        QCOMPARE(Fonts::registerFrom(Fonts::bundleRoot.toString()), 5);
        QVERIFY(QFontDatabase::families().contains(Fonts::interfaceFamily.toString()));
        QVERIFY(QFontDatabase::families().contains(Fonts::iconFamily.toString()));
    }

    void findsFontFilesAtTheRootOrNowhere()
    {
        // The registered copy must outlive the test: the font database keeps reading it.
        QVERIFY(QFile::copy(u":/Quillmere/Fonts/Inter-Bold.otf"_s, m_fontRoot.filePath(u"Inter-Bold.otf"_s)));
        QCOMPARE(Fonts::registerFrom(m_fontRoot.path()), 1);
        QTemporaryDir empty;
        QCOMPARE(Fonts::registerFrom(empty.path()), 0);
        QVERIFY(QFile(empty.filePath(u"Inter-Regular.otf"_s)).open(QIODevice::WriteOnly)); // not a font
        QCOMPARE(Fonts::registerFrom(empty.path()), 0);
    }

    void handsOutInterInLogicalPixels()
    {
        const QFont body = Fonts::interface(14, 400);
        QCOMPARE(body.pixelSize(), 14);
        QCOMPARE(body.weight(), QFont::Normal);
        const QFontInfo bodyInfo(body);
        QCOMPARE(bodyInfo.family(), Fonts::interfaceFamily.toString());
        QCOMPARE(bodyInfo.pixelSize(), 14);

        // Fractional sizes go through points at the logical DPI, so they round-trip to pixels.
        const QFont button = Fonts::interface(13.5, 600, 0.6);
        const qreal dpi = QGuiApplication::primaryScreen()->logicalDotsPerInchY();
        QCOMPARE(button.pointSizeF(), 13.5 * 72 / dpi);
        QCOMPARE(button.weight(), QFont::DemiBold);
        QCOMPARE(button.letterSpacingType(), QFont::AbsoluteSpacing);
        QVERIFY(qAbs(button.letterSpacing() - 0.6) <= 1.0 / 64); // kept in 1/64 px

        for (const int weight : {400, 500, 600, 700}) {
            const QFontInfo info(Fonts::interface(16, weight));
            QCOMPARE(info.family(), Fonts::interfaceFamily.toString());
            QCOMPARE(info.weight(), weight);
        }
    }

    void makesShadowNinePatches()
    {
        const int radius = 12;
        const int blur = 10;
        const QImage patch = ShadowImageProvider::patch(radius, blur, QColor(0, 0, 0, 128));
        const int border = ShadowImageProvider::border(radius, blur);
        QCOMPARE(patch.size(), QSize(2 * border + 1, 2 * border + 1));
        // Transparent in the corner, the full colour in the middle, fading across the edge.
        QCOMPARE(qAlpha(patch.pixel(0, 0)), 0);
        QVERIFY(qAbs(qAlpha(patch.pixel(border, border)) - 128) <= 1);
        int previous = 0;
        for (int x = 0; x <= border; ++x) {
            const int alpha = qAlpha(patch.pixel(x, border));
            QVERIFY2(alpha >= previous, qPrintable(QString::number(x)));
            previous = alpha;
        }
        QCOMPARE(ShadowImageProvider::outset(blur), blur);
        QCOMPARE(ShadowImageProvider::source(radius, blur, QColor(0, 0, 0, 128)), u"image://qmshadow/12/10/80000000"_s);
    }

    void refusesMalformedShadowAddresses()
    {
        ShadowImageProvider provider;
        QSize size;
        QVERIFY(!provider.requestImage(u"12/10/80000000"_s, &size, {}).isNull());
        QCOMPARE(size, QSize(2 * ShadowImageProvider::border(12, 10) + 1, 2 * ShadowImageProvider::border(12, 10) + 1));
        for (const QString &id : {u""_s, u"12/10"_s, u"a/10/80000000"_s, u"12/10/zz"_s, u"12/10/80000000/1"_s})
            QVERIFY2(provider.requestImage(id, &size, {}).isNull(), qPrintable(id));
        // Absurd sizes are bounded rather than allocated.
        QVERIFY(provider.requestImage(u"99999/99999/80000000"_s, &size, {}).width() <= 2 * (3 * 256 + 1) + 1);
    }

    void blursWithoutLosingLight()
    {
        QImage dot(41, 41, QImage::Format_ARGB32_Premultiplied);
        dot.fill(Qt::transparent);
        dot.setPixel(20, 20, qRgba(255, 255, 255, 255));
        const QImage blurred = ImageBlur::blurred(dot, 6);
        QCOMPARE(blurred.size(), dot.size());
        QVERIFY(qAlpha(blurred.pixel(20, 20)) < 255);
        QVERIFY(qAlpha(blurred.pixel(24, 20)) > 0);
        QCOMPARE(qAlpha(blurred.pixel(0, 0)), 0);
        QCOMPARE(blurred.pixel(20, 24), blurred.pixel(24, 20));
        QCOMPARE(ImageBlur::blurred(dot, 0), dot);
    }

private:
    QTemporaryDir m_fontRoot;
};

QTEST_MAIN(KitRulesTest)
#include "tst_kitrules.moc"
