#pragma once

#include "Palette.h"

#include <QColor>
#include <QFont>
#include <QObject>
#include <QVariantMap>
#include <QtQml/qqmlregistration.h>

class QJSEngine;
class QQmlEngine;

// The palette, the type scale and the panel shadows as QML sees them: `QM.accent`,
// `font: QM.body`, `QM.font(13.5, 600)`, `QM.shadow(radius, blur, color)`.
class Theme : public QObject
{
    Q_OBJECT
    QML_NAMED_ELEMENT(QM)
    QML_SINGLETON

    Q_PROPERTY(QColor bg0 READ bg0 CONSTANT)
    Q_PROPERTY(QColor bg1 READ bg1 CONSTANT)
    Q_PROPERTY(QColor surface1 READ surface1 CONSTANT)
    Q_PROPERTY(QColor surface2 READ surface2 CONSTANT)
    Q_PROPERTY(QColor surface3 READ surface3 CONSTANT)
    Q_PROPERTY(QColor surface4 READ surface4 CONSTANT)
    Q_PROPERTY(QColor text1 READ text1 CONSTANT)
    Q_PROPERTY(QColor text2 READ text2 CONSTANT)
    Q_PROPERTY(QColor text3 READ text3 CONSTANT)
    Q_PROPERTY(QColor textOnAccent READ textOnAccent CONSTANT)
    Q_PROPERTY(QColor accent READ accent CONSTANT)
    Q_PROPERTY(QColor accentHover READ accentHover CONSTANT)
    Q_PROPERTY(QColor accentPressed READ accentPressed CONSTANT)
    Q_PROPERTY(QColor live READ live CONSTANT)
    Q_PROPERTY(QColor danger READ danger CONSTANT)
    Q_PROPERTY(QColor warning READ warning CONSTANT)
    Q_PROPERTY(QColor success READ success CONSTANT)
    Q_PROPERTY(QColor hover READ hover CONSTANT)
    Q_PROPERTY(QColor pressed READ pressed CONSTANT)
    Q_PROPERTY(QColor stroke READ stroke CONSTANT)
    Q_PROPERTY(QColor strokeStrong READ strokeStrong CONSTANT)
    Q_PROPERTY(QColor scrim READ scrim CONSTANT)
    Q_PROPERTY(QColor accentSoft READ accentSoft CONSTANT)

    Q_PROPERTY(QFont display MEMBER m_display CONSTANT)
    Q_PROPERTY(QFont h1 MEMBER m_h1 CONSTANT)
    Q_PROPERTY(QFont h2 MEMBER m_h2 CONSTANT)
    Q_PROPERTY(QFont h3 MEMBER m_h3 CONSTANT)
    Q_PROPERTY(QFont body MEMBER m_body CONSTANT)
    Q_PROPERTY(QFont label MEMBER m_label CONSTANT)
    Q_PROPERTY(QFont caption MEMBER m_caption CONSTANT)
    Q_PROPERTY(QFont small MEMBER m_small CONSTANT)
    Q_PROPERTY(QFont overline MEMBER m_overline CONSTANT)
    // The overline text style of section headings: the overline font tracked and in capitals.
    Q_PROPERTY(QFont overlineStyle MEMBER m_overlineStyle CONSTANT)

public:
    // One instance per QML engine; it also gives the engine the shadow images.
    static Theme *create(QQmlEngine *engine, QJSEngine *);

    [[nodiscard]] static QColor bg0() { return Palette::bg0; }
    [[nodiscard]] static QColor bg1() { return Palette::bg1; }
    [[nodiscard]] static QColor surface1() { return Palette::surface1; }
    [[nodiscard]] static QColor surface2() { return Palette::surface2; }
    [[nodiscard]] static QColor surface3() { return Palette::surface3; }
    [[nodiscard]] static QColor surface4() { return Palette::surface4; }
    [[nodiscard]] static QColor text1() { return Palette::text1; }
    [[nodiscard]] static QColor text2() { return Palette::text2; }
    [[nodiscard]] static QColor text3() { return Palette::text3; }
    [[nodiscard]] static QColor textOnAccent() { return Palette::textOnAccent; }
    [[nodiscard]] static QColor accent() { return Palette::accent; }
    [[nodiscard]] static QColor accentHover() { return Palette::accentHover; }
    [[nodiscard]] static QColor accentPressed() { return Palette::accentPressed; }
    [[nodiscard]] static QColor live() { return Palette::live; }
    [[nodiscard]] static QColor danger() { return Palette::danger; }
    [[nodiscard]] static QColor warning() { return Palette::warning; }
    [[nodiscard]] static QColor success() { return Palette::success; }
    [[nodiscard]] static QColor hover() { return Palette::hover; }
    [[nodiscard]] static QColor pressed() { return Palette::pressed; }
    [[nodiscard]] static QColor stroke() { return Palette::stroke; }
    [[nodiscard]] static QColor strokeStrong() { return Palette::strokeStrong; }
    [[nodiscard]] static QColor scrim() { return Palette::scrim; }
    [[nodiscard]] static QColor accentSoft() { return Palette::accentSoft; }

    // Inter at any size and weight, for the texts outside the type scale.
    Q_INVOKABLE static QFont font(qreal pixels, int weight = 400, qreal tracking = 0);
    // The icon font at `pixels`.
    Q_INVOKABLE static QFont iconFont(qreal pixels);
    // A soft shadow for a rounded panel: {source, outset, border} for a BorderImage that lies
    // `outset` pixels beyond the panel on every side.
    Q_INVOKABLE static QVariantMap shadow(int radius, int blur, const QColor &colour);

private:
    Theme();

    QFont m_display;
    QFont m_h1;
    QFont m_h2;
    QFont m_h3;
    QFont m_body;
    QFont m_label;
    QFont m_caption;
    QFont m_small;
    QFont m_overline;
    QFont m_overlineStyle;
};
