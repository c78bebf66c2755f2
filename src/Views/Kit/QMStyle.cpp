#include "QMStyle.h"

#include "Palette.h"

#include <algorithm>
#include <cmath>

using Kind = QMButtonKind::Kind;

namespace {

// The same colour with its opacity multiplied by `factor`.
QColor fainter(QColor colour, qreal factor)
{
    colour.setAlphaF(colour.alphaF() * factor);
    return colour;
}

// One row of the text buttons' fill table: at rest, hovered, pressed.
struct Fills
{
    QColor rest;
    QColor hovered;
    QColor pressed;
};

Fills fills(Kind kind)
{
    switch (kind) {
    case QMButtonKind::Primary:
        return {Palette::accent, Palette::accentHover, Palette::accentPressed};
    case QMButtonKind::Secondary:
        return {Palette::surface2, Palette::surface3, Palette::surface4};
    case QMButtonKind::Subtle:
        return {Palette::hover, fainter(Palette::hover, 1.6), Palette::pressed};
    case QMButtonKind::Ghost:
        return {Palette::clear, Palette::hover, Palette::pressed};
    case QMButtonKind::Danger:
        return {fainter(Palette::danger, 0.1), fainter(Palette::danger, 0.18), fainter(Palette::danger, 0.25)};
    }
    return {Palette::clear, Palette::clear, Palette::clear};
}

} // namespace

QColor QMStyle::buttonFill(Kind kind, bool enabled, bool hovered, bool pressed)
{
    const Fills row = fills(kind);
    if (!enabled)
        return row.rest;
    if (pressed)
        return row.pressed;
    return hovered ? row.hovered : row.rest;
}

QColor QMStyle::buttonForeground(Kind kind, bool enabled, bool hovered)
{
    switch (kind) {
    case QMButtonKind::Primary:
        return Palette::textOnAccent;
    case QMButtonKind::Secondary:
    case QMButtonKind::Subtle:
        return Palette::text1;
    case QMButtonKind::Ghost:
        return enabled && hovered ? Palette::text1 : Palette::text2;
    case QMButtonKind::Danger:
        return Palette::danger;
    }
    return Palette::text1;
}

bool QMStyle::buttonBordered(Kind kind)
{
    return kind == QMButtonKind::Secondary;
}

qreal QMStyle::buttonOpacity(bool enabled)
{
    return enabled ? 1.0 : 0.45;
}

qreal QMStyle::buttonScale(bool pressed)
{
    return pressed ? 0.97 : 1.0;
}

QColor QMStyle::iconButtonFill(bool filled, bool enabled, bool hovered, bool pressed)
{
    if (enabled && pressed)
        return Palette::pressed;
    if (enabled && hovered)
        return Palette::surface3;
    return filled ? Palette::surface2 : Palette::clear;
}

QColor QMStyle::iconButtonForeground(const QColor &tint, bool enabled, bool hovered)
{
    if (!enabled)
        return Palette::text3;
    return hovered ? Palette::text1 : tint;
}

qreal QMStyle::iconButtonScale(bool pressed)
{
    return pressed ? 0.92 : 1.0;
}

QColor QMStyle::rowFill(bool selected, bool hovered, bool pressed)
{
    if (selected)
        return Palette::accentSoft;
    if (pressed)
        return Palette::pressed;
    return hovered ? Palette::hover : Palette::clear;
}

qreal QMStyle::cardScale(bool hovered, bool pressed)
{
    if (pressed)
        return 0.98;
    return hovered ? 1.025 : 1.0;
}

QColor QMStyle::chipFill(bool selected, bool hovered)
{
    if (selected)
        return Palette::accent;
    return hovered ? Palette::surface3 : Palette::surface2;
}

QColor QMStyle::chipForeground(bool selected, bool hovered)
{
    if (selected)
        return Palette::textOnAccent;
    return hovered ? Palette::text1 : Palette::text2;
}

qreal QMStyle::progressFraction(qreal value)
{
    if (std::isnan(value))
        return 0;
    return std::clamp(value, 0.0, 1.0);
}

qreal QMStyle::spinnerDiameter(qreal size)
{
    return size < 16 ? 12 : 16;
}
