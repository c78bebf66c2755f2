#pragma once

#include <QColor>
#include <QImage>
#include <QRectF>
#include <QSize>
#include <QString>

#include <optional>

// The pictures an artwork view shows, painted at the view's size: its placeholder and its
// picture, each cut to the rounded frame and outlined. A grid makes new views with every frame
// of a scroll, so the placeholder's gradient is painted once per look and kept, and a fitted
// picture, which takes longest, is painted by `picture()` on any thread.
namespace ArtworkPainting {

// The frame both pictures are painted for: the view's size in pixels at `scale` pixels to the
// point, its corner radius and the colour of its hairline outline (none when transparent).
struct Frame
{
    QSize pixels;
    qreal scale = 1;
    qreal radius = 0;
    QColor outline = Qt::transparent;

    [[nodiscard]] QString key() const;
};

// The gradient of `palette` with `initials` over it in the interface font at `fontSize`, shrunk
// to fit when they are wide. Main thread only: the gradients are kept between calls.
[[nodiscard]] QImage placeholder(const Frame &frame, int palette, const QString &initials, qreal fontSize);

// `image` drawn over `placed` (in points; it may reach beyond the frame, which cuts it). Safe on
// any thread.
[[nodiscard]] QImage picture(const QImage &image, const Frame &frame, const QRectF &placed);

// Fitted pictures kept for the next view of the same picture, frame and placement; main thread
// only.
[[nodiscard]] std::optional<QImage> keptPicture(const QImage &image, const Frame &frame, const QRectF &placed);
void keepPicture(const QImage &image, const Frame &frame, const QRectF &placed, const QImage &picture);

} // namespace ArtworkPainting
