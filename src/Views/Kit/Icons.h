#pragma once

#include <QFont>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <QtQml/qqmlregistration.h>

// The symbols of the interface, named as the design names them ("play.fill", "magnifyingglass"),
// drawn with glyphs of the bundled icon font. `Icon { symbol: "tv" }` draws one.
class Icons : public QObject
{
    Q_OBJECT
    QML_NAMED_ELEMENT(Icons)
    QML_SINGLETON

    Q_PROPERTY(QString family READ family CONSTANT)

public:
    using QObject::QObject;

    // The glyph of the symbol; empty, with a warning, for a name the table lacks.
    Q_INVOKABLE static QString glyph(const QString &symbol);
    // A number to draw inside the glyph (the skip steps the font lacks), or the empty text.
    Q_INVOKABLE static QString label(const QString &symbol);
    // The font of that number inside a glyph whose square is `box` wide: semibold, about a
    // quarter of the square, never below 5 pixels.
    Q_INVOKABLE static QFont labelFont(qreal box);
    // Whether the glyph is drawn mirrored left to right.
    Q_INVOKABLE static bool mirrored(const QString &symbol);
    // The side of the square a symbol of nominal `size` takes: the font's glyphs keep a margin
    // inside their box, so the box is larger than the symbol.
    Q_INVOKABLE static qreal glyphSize(qreal size);
    // Whether the table has the symbol.
    [[nodiscard]] static bool contains(QStringView symbol);
    // Every symbol of the table.
    [[nodiscard]] static QStringList symbols();
    [[nodiscard]] static QString family();
};
