#include "ArtworkView.h"

#include "ArtworkPlaceholder.h"
#include "Support/Async.h"
#include "Support/AssignIfChanged.h"

#include <QQuickWindow>
#include <QSGImageNode>
#include <QSGOpacityNode>
#include <QSGTexture>

#include <memory>
#include <utility>

namespace {

constexpr int fadeMs = 150;

// One layer in the scene: a picture, or the part `source` of it (in its pixels, the whole when
// empty), drawn over a rectangle at an opacity. The texture is made again only when the picture
// changes.
class LayerNode final : public QSGOpacityNode
{
public:
    LayerNode(QQuickWindow &window, const QImage &picture)
        : m_image(window.createImageNode())
    {
        setPicture(window, picture);
        appendChildNode(m_image);
    }

    void update(QQuickWindow &window, const QImage &picture, const QRectF &rect, const QRectF &source, qreal opacity,
                QSGTexture::Filtering filtering)
    {
        if (picture.cacheKey() != m_pictureKey)
            setPicture(window, picture);
        m_image->setFiltering(filtering);
        m_image->setRect(rect);
        m_image->setSourceRect(source.isEmpty() ? QRectF(QPointF(), m_texture->textureSize()) : source);
        setOpacity(opacity);
    }

private:
    void setPicture(QQuickWindow &window, const QImage &picture)
    {
        std::unique_ptr<QSGTexture> texture(window.createTextureFromImage(picture));
        m_image->setTexture(texture.get());
        m_texture = std::move(texture);
        m_pictureKey = picture.cacheKey();
    }

    QSGImageNode *m_image;
    std::unique_ptr<QSGTexture> m_texture;
    qint64 m_pictureKey = 0;
};

// The view's node: the placeholder with the picture over it, each there only while it shows. A
// view whose layers come or go gets a new node rather than nodes added below its own: the
// software renderer places a node added there by a position of the view it may no longer have.
class ArtworkNode final : public QSGNode
{
public:
    ArtworkNode(QQuickWindow &window, const QImage &placeholder, const QImage &picture)
    {
        for (const auto &[layer, image] : {std::pair{&m_placeholder, &placeholder}, std::pair{&m_picture, &picture}}) {
            if (!image->isNull()) {
                *layer = new LayerNode(window, *image);
                appendChildNode(*layer);
            }
        }
    }

    [[nodiscard]] bool holds(const QImage &placeholder, const QImage &picture) const
    {
        return (m_placeholder != nullptr) == !placeholder.isNull() && (m_picture != nullptr) == !picture.isNull();
    }

    void update(QQuickWindow &window, const QImage &placeholder, const QImage &picture, const QRectF &rect,
                const ArtworkView::Unfitted &unfitted, qreal share, QSGTexture::Filtering filtering)
    {
        if (m_placeholder)
            m_placeholder->update(window, placeholder, rect, QRectF(), 1 - share, filtering);
        if (m_picture) {
            m_picture->update(window, picture, unfitted.target.isEmpty() ? rect : unfitted.target, unfitted.source,
                              share, filtering);
        }
    }

private:
    LayerNode *m_placeholder = nullptr;
    LayerNode *m_picture = nullptr;
};

} // namespace

ArtworkView::ArtworkView(QQuickItem *parent)
    : QQuickItem(parent)
{
    setFlag(ItemHasContents);
    m_fade.setDuration(fadeMs);
    m_fade.setEasingCurve(QEasingCurve::OutQuad);
    m_fade.setStartValue(0.0);
    m_fade.setEndValue(1.0);
    connect(&m_fade, &QVariantAnimation::valueChanged, this, [this](const QVariant &value) { blend(value.toReal()); });
    connect(this, &QQuickItem::smoothChanged, this, &QQuickItem::update);
}

// Any load still running finds the view gone and drops its picture.
ArtworkView::~ArtworkView() = default;

void ArtworkView::setMemory(ArtworkMemory *memory)
{
    if (!m_fetch.setMemory(memory))
        return;
    Q_EMIT memoryChanged();
    restart();
}

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
    repaintPlaceholder();
}

void ArtworkView::setContentMode(ContentMode mode)
{
    if (!assignIfChanged(m_contentMode, mode))
        return;
    Q_EMIT contentModeChanged();
    repaintPicture();
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
    repaintPlaceholder();
}

void ArtworkView::setLogoPadding(qreal padding)
{
    if (!assignIfChanged(m_logoPadding, padding))
        return;
    Q_EMIT logoPaddingChanged();
    repaintPicture();
}

void ArtworkView::setRadius(qreal radius)
{
    if (!assignIfChanged(m_radius, radius))
        return;
    Q_EMIT radiusChanged();
    repaintLayers();
}

void ArtworkView::setOutline(const QColor &outline)
{
    if (!assignIfChanged(m_outline, outline))
        return;
    Q_EMIT outlineChanged();
    repaintLayers();
}

void ArtworkView::componentComplete()
{
    QQuickItem::componentComplete();
    restart();
}

void ArtworkView::geometryChange(const QRectF &newGeometry, const QRectF &oldGeometry)
{
    QQuickItem::geometryChange(newGeometry, oldGeometry);
    if (newGeometry.size() != oldGeometry.size())
        repaintLayers();
}

void ArtworkView::itemChange(ItemChange change, const ItemChangeData &value)
{
    QQuickItem::itemChange(change, value);
    if (change == ItemDevicePixelRatioHasChanged || change == ItemSceneChange)
        repaintLayers();
}

void ArtworkView::repaintLayers()
{
    repaintPlaceholder();
    repaintPicture();
}

void ArtworkView::repaintPlaceholder()
{
    m_placeholderStale = true;
    polish();
}

void ArtworkView::repaintPicture()
{
    m_pictureStale = true;
    polish();
}

void ArtworkView::restart()
{
    if (!isComponentComplete()) {
        m_fetch.cancel();
        return;
    }
    m_fetch.request(this, m_url, m_maxPixel, [this](const QImage &image, bool loaded) { setImage(image, loaded); });
}

// The placeholder comes back until the new picture is fitted; one fitted before shows at once.
void ArtworkView::setImage(const QImage &image, bool fade)
{
    const bool wasShown = isShown();
    m_image = image;
    m_fadeIn = fade;
    m_fade.stop();
    m_pictureLayer = QImage();
    m_unfitted = {};
    blend(0);
    fitPicture();
    if (wasShown && !isShown())
        Q_EMIT shownChanged();
}

ArtworkPainting::Frame ArtworkView::frame() const
{
    const qreal scale = window() ? window()->effectiveDevicePixelRatio() : 1.0;
    return {(size() * scale).toSize(), scale, m_radius, m_outline};
}

void ArtworkView::fitPicture()
{
    const int request = ++m_fitting;
    const ArtworkPainting::Frame frame = this->frame();
    if (m_image.isNull() || frame.pixels.isEmpty())
        return;
    const QRectF room = boundingRect().adjusted(m_logoPadding, m_logoPadding, -m_logoPadding, -m_logoPadding);
    const QRectF placed = placement(m_image.size(), room, m_contentMode);
    if (const std::optional<QImage> kept = ArtworkPainting::keptPicture(m_image, frame, placed)) {
        showPicture(*kept);
        return;
    }
    // A picture that was in memory never shows the placeholder: until it is fitted it is drawn
    // as it is, only scaled and cut to the view.
    if (!m_fadeIn && (m_pictureLayer.isNull() || !m_unfitted.target.isEmpty()))
        showUnfitted(placed);
    fitElsewhere(this, request, m_image, frame, placed);
}

ArtworkView::Unfitted ArtworkView::unfitted(QSizeF image, const QRectF &placed, const QRectF &frame)
{
    const QRectF target = placed.intersected(frame);
    if (target.isEmpty() || placed.isEmpty())
        return {};
    const qreal scaleX = image.width() / placed.width();
    const qreal scaleY = image.height() / placed.height();
    const QRectF source((target.x() - placed.x()) * scaleX, (target.y() - placed.y()) * scaleY,
                        target.width() * scaleX, target.height() * scaleY);
    return {target, source};
}

void ArtworkView::showUnfitted(const QRectF &placed)
{
    m_unfitted = unfitted(m_image.size(), placed, boundingRect());
    if (m_unfitted.target.isEmpty())
        return;
    const bool first = m_pictureLayer.isNull();
    m_pictureLayer = m_image;
    blend(1);
    if (first)
        Q_EMIT shownChanged();
}

QCoro::Task<void> ArtworkView::fitElsewhere(QPointer<ArtworkView> view, int request, QImage image,
                                            ArtworkPainting::Frame frame, QRectF placed)
{
    const QImage layer = co_await Async::detached(
        [image, frame, placed] { return ArtworkPainting::picture(image, frame, placed); });
    ArtworkPainting::keepPicture(image, frame, placed, layer);
    if (view && view->m_fitting == request)
        view->showPicture(layer);
}

// The first fitting of a picture fades it in (or shows it at once); a later one, after a
// resize, takes the place of the one on show.
void ArtworkView::showPicture(const QImage &layer)
{
    const bool first = m_pictureLayer.isNull();
    m_pictureLayer = layer;
    m_unfitted = {};
    if (!first) {
        update();
        return;
    }
    if (m_fadeIn)
        m_fade.start();
    else
        blend(1);
    Q_EMIT shownChanged();
}

void ArtworkView::blend(qreal share)
{
    m_share = share;
    if (share < 1 && m_placeholderLayer.isNull())
        repaintPlaceholder();
    update();
}

// Paints the placeholder when it shows and has gone stale (it is quick), and lets it go when it
// does not show; has a stale picture fitted again.
void ArtworkView::updatePolish()
{
    if (m_share >= 1) {
        m_placeholderLayer = QImage();
    } else if (m_placeholderStale) {
        m_placeholderLayer = ArtworkPainting::placeholder(frame(), ArtworkPlaceholder::paletteIndex(m_title),
                                                          ArtworkPlaceholder::initials(m_title), m_fallbackFont);
    }
    m_placeholderStale = m_placeholderLayer.isNull() && m_share < 1;
    if (m_pictureStale) {
        m_pictureStale = false;
        fitPicture();
    }
    update();
}

QSGNode *ArtworkView::updatePaintNode(QSGNode *node, UpdatePaintNodeData *)
{
    const QImage placeholder = m_share < 1 ? m_placeholderLayer : QImage();
    const QImage picture = m_share > 0 ? m_pictureLayer : QImage();
    auto *artwork = static_cast<ArtworkNode *>(node);
    if (artwork && !artwork->holds(placeholder, picture)) {
        delete artwork;
        artwork = nullptr;
    }
    if (placeholder.isNull() && picture.isNull())
        return nullptr;
    if (!artwork)
        artwork = new ArtworkNode(*window(), placeholder, picture);
    // Drawn at their own pixels the layers need no filtering; smoothing is for views scaled.
    artwork->update(*window(), placeholder, picture, boundingRect(), m_unfitted, m_share,
                    smooth() || !m_unfitted.target.isEmpty() ? QSGTexture::Linear : QSGTexture::Nearest);
    return artwork;
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
