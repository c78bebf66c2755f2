#include "ArtworkPainting.h"

#include "ArtworkPlaceholder.h"
#include "Fonts.h"

#include <QCache>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

// Around the initials, and how far they may shrink to fit.
constexpr qreal initialsPadding = 6;
constexpr qreal smallestInitialsScale = 0.5;
constexpr qreal initialsOpacity = 0.55;
// Gradients are few (a palette's worth per size); fitted pictures a few hundred posters' worth.
constexpr int gradientCacheKiB = 8 * 1024;
constexpr int pictureCacheKiB = 48 * 1024;

int costKiB(const QImage &image)
{
    return int(std::max<qsizetype>(1, image.sizeInBytes() / 1024));
}

QRectF bounds(const ArtworkPainting::Frame &frame)
{
    return {QPointF(), QSizeF(frame.pixels) / frame.scale};
}

QPainterPath shape(const ArtworkPainting::Frame &frame)
{
    QPainterPath shape;
    shape.addRoundedRect(bounds(frame), frame.radius, frame.radius);
    return shape;
}

// A transparent picture of the frame's pixels, painted in points.
QImage canvas(const ArtworkPainting::Frame &frame)
{
    QImage canvas(frame.pixels, QImage::Format_ARGB32_Premultiplied);
    canvas.setDevicePixelRatio(frame.scale);
    canvas.fill(Qt::transparent);
    return canvas;
}

// A hairline along the rounded edge, inside it, as a bordered rectangle of the same radius draws.
void drawOutline(QPainter &painter, const ArtworkPainting::Frame &frame)
{
    if (frame.outline.alpha() == 0)
        return;
    painter.setPen(QPen(frame.outline, 1));
    painter.setBrush(Qt::NoBrush);
    const qreal inset = 0.5;
    const qreal radius = std::max<qreal>(0, frame.radius - inset);
    painter.drawRoundedRect(bounds(frame).adjusted(inset, inset, -inset, -inset), radius, radius);
}

// The placeholder's rounded, outlined gradient, painted once per frame and palette.
QImage gradient(const ArtworkPainting::Frame &frame, int palette)
{
    static QCache<QString, QImage> gradients(gradientCacheKiB);
    const QString key = frame.key() + u' ' + QString::number(palette);
    if (const QImage *kept = gradients.object(key))
        return *kept;
    QImage picture = canvas(frame);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area = bounds(frame);
    const auto [from, to] = ArtworkPlaceholder::colours(palette);
    QLinearGradient fill(area.topLeft(), area.bottomRight());
    fill.setColorAt(0, from);
    fill.setColorAt(1, to);
    painter.fillPath(shape(frame), fill);
    drawOutline(painter, frame);
    painter.end();
    gradients.insert(key, new QImage(picture), costKiB(picture));
    return picture;
}

QCache<QString, QImage> &pictures()
{
    static QCache<QString, QImage> pictures(pictureCacheKiB);
    return pictures;
}

QString pictureKey(const QImage &image, const ArtworkPainting::Frame &frame, const QRectF &placed)
{
    return u"%1 %2 %3,%4 %5x%6"_s.arg(frame.key())
        .arg(image.cacheKey())
        .arg(placed.x())
        .arg(placed.y())
        .arg(placed.width())
        .arg(placed.height());
}

} // namespace

namespace ArtworkPainting {

QString Frame::key() const
{
    return u"%1x%2 %3 %4 %5"_s.arg(pixels.width()).arg(pixels.height()).arg(scale).arg(radius).arg(outline.rgba());
}

QImage placeholder(const Frame &frame, int palette, const QString &initials, qreal fontSize)
{
    if (frame.pixels.isEmpty())
        return {};
    QImage picture = gradient(frame, palette);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF room = bounds(frame).adjusted(initialsPadding, initialsPadding, -initialsPadding, -initialsPadding);
    QFont font = Fonts::interface(fontSize, 700);
    const qreal natural = QFontMetricsF(font).horizontalAdvance(initials);
    if (natural > room.width() && natural > 0) {
        const qreal shrink = std::max(smallestInitialsScale, room.width() / natural);
        font = Fonts::interface(fontSize * shrink, 700);
    }
    painter.setFont(font);
    painter.setPen(QColor(255, 255, 255, int(std::lround(255 * initialsOpacity))));
    const QString shown = QFontMetricsF(font).elidedText(initials, Qt::ElideRight, room.width());
    painter.drawText(room, Qt::AlignCenter, shown);
    return picture;
}

QImage picture(const QImage &image, const Frame &frame, const QRectF &placed)
{
    if (frame.pixels.isEmpty())
        return {};
    QImage picture = canvas(frame);
    if (image.isNull() || placed.isEmpty())
        return picture;
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    // Filled through the rounded shape, which smooths the corners as a clip would not.
    QBrush brush(image);
    QTransform transform;
    transform.translate(placed.x(), placed.y());
    transform.scale(placed.width() / image.width(), placed.height() / image.height());
    brush.setTransform(transform);
    QPainterPath area;
    area.addRect(placed);
    painter.fillPath(shape(frame).intersected(area), brush);
    drawOutline(painter, frame);
    return picture;
}

std::optional<QImage> keptPicture(const QImage &image, const Frame &frame, const QRectF &placed)
{
    if (const QImage *kept = pictures().object(pictureKey(image, frame, placed)))
        return *kept;
    return std::nullopt;
}

void keepPicture(const QImage &image, const Frame &frame, const QRectF &placed, const QImage &picture)
{
    pictures().insert(pictureKey(image, frame, placed), new QImage(picture), costKiB(picture));
}

} // namespace ArtworkPainting
