#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QVariant>
#include <QtQml/qqmlregistration.h>

#include <optional>

// The measures and wording of poster cards, channel cards, channel logos and shelves:
// `CardRules.posterMaxPixel(width)`. Cards take any width; everything else follows from it.
class CardRules : public QObject
{
    Q_OBJECT
    QML_NAMED_ELEMENT(CardRules)
    QML_SINGLETON

public:
    using QObject::QObject;

    // Posters are three halves as high as wide, decoded at about 2.2 pixels per point of width.
    Q_INVOKABLE static qreal posterHeight(qreal width) { return width * 1.5; }
    Q_INVOKABLE static int posterMaxPixel(qreal width) { return int(width * 2.2); }
    Q_INVOKABLE static qreal posterFallbackFont(qreal width) { return width * 0.16; }
    // The poster's second line: the subtitle given (even an empty one), else the first two
    // genres trimmed and joined with ", ", else none (no line at all).
    [[nodiscard]] static std::optional<QString> posterSubtitle(const std::optional<QString> &given,
                                                               const std::optional<QString> &genre);
    // The same for QML, where undefined or null is "not given" and undefined means no line.
    Q_INVOKABLE static QVariant subtitleLine(const QVariant &given, const QVariant &genre);

    // Channel tiles are half as high as wide.
    Q_INVOKABLE static qreal channelTileHeight(qreal width) { return width * 0.5; }
    // How far a programme has run at `now`: 0 to 1, and 0 for one that does not end after it
    // starts.
    [[nodiscard]] static qreal programmeProgress(const QDateTime &start, const QDateTime &end, const QDateTime &now);
    // The same at the moment of the call, for QML (which hands dates over as they are).
    Q_INVOKABLE static qreal programmeProgressNow(const QDateTime &start, const QDateTime &end);
    // The second line of a channel card: the programme on now, or "Live TV".
    Q_INVOKABLE static QString channelSubtitle(const QVariant &nowTitle);

    // A channel's logo tile, `size` high.
    Q_INVOKABLE static qreal logoWidth(qreal size) { return size * 1.45; }
    Q_INVOKABLE static int logoMaxPixel(qreal size) { return int(size * 2.5); }
    Q_INVOKABLE static qreal logoFallbackFont(qreal size) { return size * 0.32; }
    Q_INVOKABLE static qreal logoPadding(qreal size) { return size * 0.12; }

    // Where a shelf's arrow scrolls to: a step of 0.8 of the visible width but at least 300,
    // back (-1) or on (+1) from `offset`, never before the start nor past the end of content
    // `extent` long.
    Q_INVOKABLE static qreal shelfScrollTarget(qreal offset, qreal viewport, qreal extent, int direction);
};
