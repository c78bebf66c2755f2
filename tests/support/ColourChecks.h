#pragma once

#include "QmlHarness.h"

#include "Views/Kit/Palette.h"

#include <QColor>
#include <QString>
#include <QTest>

// `colour` with its opacity scaled by `factor`.
inline QColor withOpacity(QColor colour, qreal factor)
{
    colour.setAlphaF(colour.alphaF() * factor);
    return colour;
}

// What a palette colour looks like drawn on the window's background.
inline QColor onBackground(const QColor &colour)
{
    return blended(colour, Palette::bg0);
}

inline QString describeColours(const QColor &actual, const QColor &expected)
{
    return QStringLiteral("drawn %1, expected %2").arg(actual.name(), expected.name());
}

// Whether a drawn colour is the expected one within `tolerance` in each channel. Evaluates each
// argument once: the drawn colour often comes from driving a part into a state.
#define QVERIFY_COLOUR_WITHIN(actual, expected, tolerance)                                                         \
    do {                                                                                                           \
        const QColor drawn = (actual);                                                                             \
        const QColor wanted = (expected);                                                                          \
        QVERIFY2(sameColour(drawn, wanted, tolerance), qPrintable(describeColours(drawn, wanted)));                \
    } while (false)

#define QVERIFY_COLOUR(actual, expected) QVERIFY_COLOUR_WITHIN(actual, expected, 3)
