#include "ArtworkView.h"

#include "ArtworkMemory.h"
#include "ArtworkPlaceholder.h"
#include "Fonts.h"
#include "Support/AssignIfChanged.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QQmlEngine>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

constexpr int fadeMs = 150;
// Around the initials, and how far they may shrink to fit.
constexpr qreal initialsPadding = 6;
constexpr qreal smallestInitialsScale = 0.5;
constexpr qreal initialsOpacity = 0.55;

} // namespace

ArtworkView::ArtworkView(QQuickItem *parent)
    : QQuickPaintedItem(parent)
{
    setAntialiasing(true);
    m_fade.setDuration(fadeMs);
    m_fade.setEasingCurve(QEasingCurve::OutQuad);
    m_fade.setStartValue(0.0);
    m_fade.setEndValue(1.0);
    connect(&m_fade, &QVariantAnimation::valueChanged, this, [this](const QVariant &value) {
        m_pictureOpacity = value.toReal();
        update();
    });
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
    update();
}

void ArtworkView::setContentMode(ContentMode mode)
{
    if (!assignIfChanged(m_contentMode, mode))
        return;
    Q_EMIT contentModeChanged();
    update();
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
    update();
}

void ArtworkView::setLogoPadding(qreal padding)
{
    if (!assignIfChanged(m_logoPadding, padding))
        return;
    Q_EMIT logoPaddingChanged();
    update();
}

void ArtworkView::setRadius(qreal radius)
{
    if (!assignIfChanged(m_radius, radius))
        return;
    Q_EMIT radiusChanged();
    update();
}

void ArtworkView::componentComplete()
{
    QQuickPaintedItem::componentComplete();
    restart();
}

ArtworkMemory *ArtworkView::memory() const
{
    QQmlEngine *engine = qmlEngine(this);
    if (!engine)
        return nullptr;
    static const int typeId = qmlTypeId("Quillmere", 1, 0, "ArtworkMemory");
    return engine->singletonInstance<ArtworkMemory *>(typeId);
}

void ArtworkView::restart()
{
    ++m_generation;
    if (!isComponentComplete())
        return;
    ArtworkMemory *memory = m_url.isEmpty() ? nullptr : this->memory();
    if (!memory) {
        setImage(QImage(), false);
        return;
    }
    // A picture already decoded shows at once, without the placeholder flashing first.
    const QImage cached = memory->cached(ArtworkMemory::key(m_url, m_maxPixel));
    setImage(cached, false);
    if (cached.isNull())
        load(QPointer(this), QPointer(memory), m_generation, m_url, m_maxPixel);
}

QCoro::Task<void> ArtworkView::load(QPointer<ArtworkView> self, QPointer<ArtworkMemory> memory, int generation,
                                    QUrl url, int maxPixel)
{
    const QImage image = co_await memory->load(url, maxPixel);
    if (!self || self->m_generation != generation || image.isNull())
        co_return;
    self->setImage(image, true);
}

void ArtworkView::setImage(const QImage &image, bool fade)
{
    const bool wasShown = isShown();
    m_image = image;
    m_fade.stop();
    m_pictureOpacity = 1;
    if (fade && !image.isNull()) {
        m_pictureOpacity = 0;
        m_fade.start();
    }
    if (wasShown != isShown())
        Q_EMIT shownChanged();
    update();
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

void ArtworkView::paint(QPainter *painter)
{
    const QRectF bounds = boundingRect();
    if (bounds.isEmpty())
        return;
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setRenderHint(QPainter::SmoothPixmapTransform);
    QPainterPath shape;
    shape.addRoundedRect(bounds, m_radius, m_radius);
    const qreal pictureOpacity = m_image.isNull() ? 0 : m_pictureOpacity;
    if (pictureOpacity < 1) {
        painter->setOpacity(1 - pictureOpacity);
        paintPlaceholder(*painter, shape);
    }
    if (pictureOpacity > 0) {
        painter->setOpacity(pictureOpacity);
        paintPicture(*painter, shape);
    }
}

void ArtworkView::paintPlaceholder(QPainter &painter, const QPainterPath &shape) const
{
    const QRectF bounds = boundingRect();
    const auto [from, to] = ArtworkPlaceholder::colours(ArtworkPlaceholder::paletteIndex(m_title));
    QLinearGradient gradient(bounds.topLeft(), bounds.bottomRight());
    gradient.setColorAt(0, from);
    gradient.setColorAt(1, to);
    painter.fillPath(shape, gradient);

    const QString initials = ArtworkPlaceholder::initials(m_title);
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

void ArtworkView::paintPicture(QPainter &painter, const QPainterPath &shape) const
{
    const QRectF bounds = boundingRect();
    const QRectF frame = bounds.adjusted(m_logoPadding, m_logoPadding, -m_logoPadding, -m_logoPadding);
    const QRectF placed = placement(m_image.size(), frame, m_contentMode);
    if (placed.isEmpty())
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
    painter.fillPath(shape.intersected(area), brush);
}
