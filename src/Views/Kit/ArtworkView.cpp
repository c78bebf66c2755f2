#include "ArtworkView.h"

#include "ArtworkPlaceholder.h"
#include "Fonts.h"
#include "Support/AssignIfChanged.h"

#include <QCache>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QQuickPaintedItem>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

constexpr int fadeMs = 150;
// Around the initials, and how far they may shrink to fit.
constexpr qreal initialsPadding = 6;
constexpr qreal smallestInitialsScale = 0.5;
constexpr qreal initialsOpacity = 0.55;
// Placeholders kept painted: a few hundred posters' worth.
constexpr int placeholderCacheKiB = 32 * 1024;

} // namespace

// One painted layer of an artwork view, as large as the view, drawn by one of its painters.
class ArtworkLayer final : public QQuickPaintedItem
{
public:
    using Painter = void (ArtworkView::*)(QPainter &) const;

    ArtworkLayer(ArtworkView *view, Painter painter)
        : QQuickPaintedItem(view)
        , m_view(view)
        , m_painter(painter)
    {
        setAntialiasing(true);
    }

    void paint(QPainter *painter) override
    {
        if (width() <= 0 || height() <= 0)
            return;
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setRenderHint(QPainter::SmoothPixmapTransform);
        (m_view->*m_painter)(*painter);
    }

private:
    ArtworkView *m_view;
    Painter m_painter;
};

ArtworkView::ArtworkView(QQuickItem *parent)
    : QQuickItem(parent)
{
    blend(0);
    m_fade.setDuration(fadeMs);
    m_fade.setEasingCurve(QEasingCurve::OutQuad);
    m_fade.setStartValue(0.0);
    m_fade.setEndValue(1.0);
    connect(&m_fade, &QVariantAnimation::valueChanged, this, [this](const QVariant &value) { blend(value.toReal()); });
}

// Any load still running finds the view gone and drops its picture.
ArtworkView::~ArtworkView() = default;

void ArtworkView::setUrl(const QUrl &url)
{
    if (!assignIfChanged(m_url, url))
        return;
    Q_EMIT urlChanged();
    restart();
}

void ArtworkView::setTitle(const QString &title)
{
    if (!assignIfChanged(m_title, title))
        return;
    Q_EMIT titleChanged();
    refresh(m_placeholder);
}

void ArtworkView::setContentMode(ContentMode mode)
{
    if (!assignIfChanged(m_contentMode, mode))
        return;
    Q_EMIT contentModeChanged();
    refresh(m_picture);
}

// The size of the next load; a picture on show stays.
void ArtworkView::setMaxPixel(int maxPixel)
{
    if (assignIfChanged(m_maxPixel, maxPixel))
        Q_EMIT maxPixelChanged();
}

void ArtworkView::setFallbackFont(qreal size)
{
    if (!assignIfChanged(m_fallbackFont, size))
        return;
    Q_EMIT fallbackFontChanged();
    refresh(m_placeholder);
}

void ArtworkView::setLogoPadding(qreal padding)
{
    if (!assignIfChanged(m_logoPadding, padding))
        return;
    Q_EMIT logoPaddingChanged();
    refresh(m_picture);
}

void ArtworkView::setRadius(qreal radius)
{
    if (!assignIfChanged(m_radius, radius))
        return;
    Q_EMIT radiusChanged();
    refresh(m_placeholder);
    refresh(m_picture);
}

void ArtworkView::componentComplete()
{
    QQuickItem::componentComplete();
    restart();
}

void ArtworkView::geometryChange(const QRectF &newGeometry, const QRectF &oldGeometry)
{
    QQuickItem::geometryChange(newGeometry, oldGeometry);
    for (ArtworkLayer *layer : {m_placeholder, m_picture}) {
        if (layer)
            layer->setSize(newGeometry.size());
    }
}

void ArtworkView::refresh(ArtworkLayer *layer)
{
    if (layer)
        layer->update();
}

void ArtworkView::restart()
{
    if (!isComponentComplete()) {
        m_fetch.cancel();
        return;
    }
    m_fetch.request(this, m_url, m_maxPixel, [this](const QImage &image, bool loaded) { setImage(image, loaded); });
}

void ArtworkView::setImage(const QImage &image, bool fade)
{
    const bool wasShown = isShown();
    m_image = image;
    m_fade.stop();
    refresh(m_picture);
    blend(image.isNull() || fade ? 0 : 1);
    if (!image.isNull() && fade)
        m_fade.start();
    if (wasShown != isShown())
        Q_EMIT shownChanged();
}

void ArtworkView::blend(qreal share)
{
    // A layer exists only while it shows: each keeps a picture of the view's size.
    setLayer(m_picture, share, &ArtworkView::paintPicture);
    setLayer(m_placeholder, 1 - share, &ArtworkView::paintPlaceholder);
}

void ArtworkView::setLayer(ArtworkLayer *&layer, qreal opacity, void (ArtworkView::*painter)(QPainter &) const)
{
    if (opacity <= 0) {
        delete layer;
        layer = nullptr;
        return;
    }
    if (!layer) {
        layer = new ArtworkLayer(this, painter);
        layer->setSize(size());
    }
    layer->setOpacity(opacity);
}

QRectF ArtworkView::placement(QSizeF size, const QRectF &frame, ContentMode mode)
{
    if (size.isEmpty() || frame.isEmpty())
        return frame;
    size.scale(frame.size(), mode == Fill ? Qt::KeepAspectRatioByExpanding : Qt::KeepAspectRatio);
    QRectF placed(QPointF(), size);
    placed.moveCenter(frame.center());
    return placed;
}

QPainterPath ArtworkView::shape() const
{
    QPainterPath shape;
    shape.addRoundedRect(boundingRect(), m_radius, m_radius);
    return shape;
}

void ArtworkView::paintPlaceholder(QPainter &painter) const
{
    // Cards of one size and initials look alike: their placeholder is painted once and kept, since
    // a scrolled grid makes new cards every frame.
    static QCache<QString, QImage> pictures(placeholderCacheKiB);
    const int palette = ArtworkPlaceholder::paletteIndex(m_title);
    const QString initials = ArtworkPlaceholder::initials(m_title);
    const qreal scale = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    const QSize pixels = (size() * scale).toSize();
    const QString key = u"%1x%2 %3 %4 %5 %6 %7"_s.arg(pixels.width())
                            .arg(pixels.height())
                            .arg(scale)
                            .arg(m_radius)
                            .arg(m_fallbackFont)
                            .arg(palette)
                            .arg(initials);
    if (const QImage *picture = pictures.object(key)) {
        painter.drawImage(QPointF(), *picture);
        return;
    }
    QImage picture(pixels, QImage::Format_ARGB32_Premultiplied);
    picture.setDevicePixelRatio(scale);
    picture.fill(Qt::transparent);
    QPainter canvas(&picture);
    canvas.setRenderHint(QPainter::Antialiasing);
    drawPlaceholder(canvas, palette, initials);
    canvas.end();
    painter.drawImage(QPointF(), picture);
    pictures.insert(key, new QImage(picture), int(std::max<qsizetype>(1, picture.sizeInBytes() / 1024)));
}

void ArtworkView::drawPlaceholder(QPainter &painter, int palette, const QString &initials) const
{
    const QRectF bounds = boundingRect();
    const auto [from, to] = ArtworkPlaceholder::colours(palette);
    QLinearGradient gradient(bounds.topLeft(), bounds.bottomRight());
    gradient.setColorAt(0, from);
    gradient.setColorAt(1, to);
    painter.fillPath(shape(), gradient);

    const QRectF room = bounds.adjusted(initialsPadding, initialsPadding, -initialsPadding, -initialsPadding);
    QFont font = Fonts::interface(m_fallbackFont, 700);
    const qreal natural = QFontMetricsF(font).horizontalAdvance(initials);
    if (natural > room.width() && natural > 0) {
        const qreal scale = std::max(smallestInitialsScale, room.width() / natural);
        font = Fonts::interface(m_fallbackFont * scale, 700);
    }
    painter.setFont(font);
    painter.setPen(QColor(255, 255, 255, int(std::lround(255 * initialsOpacity))));
    const QString shown = QFontMetricsF(font).elidedText(initials, Qt::ElideRight, room.width());
    painter.drawText(room, Qt::AlignCenter, shown);
}

void ArtworkView::paintPicture(QPainter &painter) const
{
    const QRectF bounds = boundingRect();
    const QRectF frame = bounds.adjusted(m_logoPadding, m_logoPadding, -m_logoPadding, -m_logoPadding);
    const QRectF placed = placement(m_image.size(), frame, m_contentMode);
    if (m_image.isNull() || placed.isEmpty())
        return;
    // Filled through the rounded shape, which smooths the corners as a clip would not. The
    // painted item keeps what it painted, so the picture is resampled only when it changes.
    QBrush brush(m_image);
    QTransform transform;
    transform.translate(placed.x(), placed.y());
    transform.scale(placed.width() / m_image.width(), placed.height() / m_image.height());
    brush.setTransform(transform);
    QPainterPath area;
    area.addRect(placed);
    painter.fillPath(shape().intersected(area), brush);
}
