#include "DetailBackdrop.h"

#include "Support/AssignIfChanged.h"
#include "Views/Kit/ArtworkPlaceholder.h"
#include "Views/Kit/ImageBlur.h"

#include <QLinearGradient>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

// The placeholder's own pixels: a gradient needs no more to blur well.
constexpr int placeholderSide = 64;

} // namespace

DetailBackdrop::DetailBackdrop(QQuickItem *parent)
    : QQuickPaintedItem(parent)
{
    setAntialiasing(true);
}

void DetailBackdrop::setMemory(ArtworkMemory *memory)
{
    if (!m_fetch.setMemory(memory))
        return;
    Q_EMIT memoryChanged();
    restart();
}

void DetailBackdrop::setUrl(const QUrl &url)
{
    if (!assignIfChanged(m_url, url))
        return;
    Q_EMIT urlChanged();
    restart();
}

void DetailBackdrop::setTitle(const QString &title)
{
    if (!assignIfChanged(m_title, title))
        return;
    Q_EMIT titleChanged();
    if (m_image.isNull()) {
        m_blurred = QImage();
        update();
    }
}

void DetailBackdrop::setBlurRadius(qreal radius)
{
    if (!assignIfChanged(m_blurRadius, radius))
        return;
    Q_EMIT blurRadiusChanged();
    m_blurred = QImage();
    update();
}

void DetailBackdrop::componentComplete()
{
    QQuickPaintedItem::componentComplete();
    restart();
}

void DetailBackdrop::geometryChange(const QRectF &newGeometry, const QRectF &oldGeometry)
{
    QQuickPaintedItem::geometryChange(newGeometry, oldGeometry);
    if (newGeometry.size() != oldGeometry.size())
        m_blurred = QImage();
}

void DetailBackdrop::restart()
{
    if (!isComponentComplete()) {
        m_fetch.cancel();
        return;
    }
    m_fetch.request(this, m_url, maxPixel, [this](const QImage &image, bool) { setImage(image); });
}

void DetailBackdrop::setImage(const QImage &image)
{
    const bool wasShown = isShown();
    m_image = image;
    m_blurred = QImage();
    update();
    if (wasShown != isShown())
        Q_EMIT shownChanged();
}

QImage DetailBackdrop::placeholder() const
{
    const auto [from, to] = ArtworkPlaceholder::colours(ArtworkPlaceholder::paletteIndex(m_title));
    QImage image(placeholderSide, placeholderSide, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, placeholderSide, placeholderSide);
    gradient.setColorAt(0, from);
    gradient.setColorAt(1, to);
    painter.fillRect(image.rect(), gradient);
    return image;
}

QImage DetailBackdrop::blurredFill(const QImage &source, QSizeF frame, qreal radius, qreal &margin)
{
    margin = 0;
    if (source.isNull() || frame.isEmpty())
        return QImage();
    // The part of the source that fills the frame, centred.
    QSizeF cut = frame.scaled(QSizeF(source.size()), Qt::KeepAspectRatio);
    const QRect part(QPoint(int((source.width() - cut.width()) / 2), int((source.height() - cut.height()) / 2)),
                     QSize(std::max(1, int(cut.width())), std::max(1, int(cut.height()))));
    const QImage filled = source.copy(part);
    // The radius in source pixels, and room around the picture for the blur to fade into.
    const qreal scale = qreal(filled.width()) / frame.width();
    const int pixels = std::max(1, int(std::lround(radius * scale)));
    QImage padded(filled.width() + 2 * pixels, filled.height() + 2 * pixels, QImage::Format_ARGB32_Premultiplied);
    padded.fill(Qt::transparent);
    QPainter painter(&padded);
    painter.drawImage(pixels, pixels, filled);
    painter.end();
    margin = pixels;
    return ImageBlur::blurred(padded, pixels);
}

void DetailBackdrop::paint(QPainter *painter)
{
    if (width() <= 0 || height() <= 0)
        return;
    if (m_blurred.isNull())
        m_blurred = blurredFill(m_image.isNull() ? placeholder() : m_image, size(), m_blurRadius, m_margin);
    if (m_blurred.isNull())
        return;
    // The margin, in the frame's units.
    const qreal growX = m_margin * width() / (qreal(m_blurred.width()) - 2 * m_margin);
    const qreal growY = m_margin * height() / (qreal(m_blurred.height()) - 2 * m_margin);
    painter->setRenderHint(QPainter::SmoothPixmapTransform);
    painter->drawImage(QRectF(-growX, -growY, width() + 2 * growX, height() + 2 * growY), m_blurred);
}
