#include "VideoSurface.h"

#include "Playback/MediaEngine.h"
#include "Playback/PlayerController.h"
#include "Playback/VLCVideoView.h"

#include <QQuickWindow>
#include <QSGImageNode>
#include <QSGRectangleNode>
#include <QSGTransformNode>
#include <QSGTexture>

#include <algorithm>
#include <memory>

namespace {

// The black area with the picture on it. The node keeps the picture's texture itself, because
// image nodes of the scene-graph back ends differ in whether they free a replaced texture. It is
// a transform node (that never transforms) because the software back end places a child added
// to a plain node later on, as the picture is, at the window's origin instead of the item's.
class VideoNode final : public QSGTransformNode
{
public:
    explicit VideoNode(QQuickWindow *window)
        : m_background(window->createRectangleNode())
        , m_picture(window->createImageNode())
    {
        m_background->setColor(Qt::black);
        appendChildNode(m_background);
        m_picture->setFiltering(QSGTexture::Linear);
    }

    ~VideoNode() override
    {
        if (!m_picture->parent())
            delete m_picture;
    }

    void setBounds(const QRectF &bounds) { m_background->setRect(bounds); }

    [[nodiscard]] bool hasTexture() const { return m_texture != nullptr; }

    void setTexture(std::unique_ptr<QSGTexture> texture)
    {
        m_picture->setTexture(texture.get());
        m_texture = std::move(texture);
    }

    void hidePicture()
    {
        if (m_picture->parent())
            removeChildNode(m_picture);
    }

    void showPicture(const QRectF &target, const QRectF &source)
    {
        m_picture->setRect(target);
        m_picture->setSourceRect(source);
        if (!m_picture->parent())
            appendChildNode(m_picture);
    }

private:
    QSGRectangleNode *m_background;
    QSGImageNode *m_picture;
    std::unique_ptr<QSGTexture> m_texture;
};

struct Placement
{
    QRectF target;
    QRectF source;
};

// Fit scales the picture to lie inside the bounds (bars on two sides); fill scales it to cover
// them and crops what lies outside. Shape and texture size differ for non-square pixels.
Placement place(const QRectF &bounds, QSizeF shape, QSize textureSize, bool fill)
{
    if (shape.isEmpty())
        shape = QSizeF(textureSize);
    const double widthScale = bounds.width() / shape.width();
    const double heightScale = bounds.height() / shape.height();
    const double scale = fill ? std::max(widthScale, heightScale) : std::min(widthScale, heightScale);
    const QSizeF shown = shape * scale;
    const QRectF picture(bounds.center() - QPointF(shown.width(), shown.height()) / 2, shown);
    const QRectF visible = picture.intersected(bounds);
    // The visible part of the picture in texture pixels.
    const double toTextureX = textureSize.width() / shown.width();
    const double toTextureY = textureSize.height() / shown.height();
    const QRectF source((visible.left() - picture.left()) * toTextureX, (visible.top() - picture.top()) * toTextureY,
                        visible.width() * toTextureX, visible.height() * toTextureY);
    return {visible, source};
}

} // namespace

VideoSurface::VideoSurface(QQuickItem *parent)
    : QQuickItem(parent)
{
    setFlag(ItemHasContents);
}

VideoSurface::~VideoSurface()
{
    detach();
}

void VideoSurface::setController(PlayerController *controller)
{
    if (controller == m_controller)
        return;
    detach();
    if (controller)
        attach(controller);
    Q_EMIT controllerChanged();
}

void VideoSurface::attach(PlayerController *controller)
{
    m_controller = controller;
    m_attachedView = controller->videoView();
    const auto repaint = [this] { update(); };
    m_connections = {
        connect(m_attachedView, &VLCVideoView::frameReady, this, repaint),
        connect(m_attachedView, &VLCVideoView::fillScreenChanged, this, repaint),
        connect(m_attachedView, &VLCVideoView::displaySizeChanged, this, repaint),
        // The player view switches the fit mode on the player; the picture follows at once.
        connect(controller->player(), &MediaEngine::videoFitModeChanged, this, &VideoSurface::applyFitMode),
    };
    applyFitMode();
    update();
    if (window())
        notifyReady();
}

void VideoSurface::detach()
{
    for (const QMetaObject::Connection &connection : std::as_const(m_connections))
        disconnect(connection);
    m_connections.clear();
    if (m_controller)
        m_controller->videoSurfaceDidDetach(this);
    m_controller = nullptr;
    m_attachedView = nullptr;
    update();
}

void VideoSurface::applyFitMode()
{
    if (m_controller && m_attachedView)
        m_attachedView->setFillScreen(m_controller->player()->videoFitMode() == MediaEngine::Fill);
}

void VideoSurface::notifyReady()
{
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (window() && m_controller)
                m_controller->videoSurfaceDidBecomeReady(this);
        },
        Qt::QueuedConnection);
}

void VideoSurface::itemChange(ItemChange change, const ItemChangeData &value)
{
    QQuickItem::itemChange(change, value);
    // Leaving a window is often only a move (the interface is being rebuilt); readiness ends
    // only when the surface is dismantled, so that a failure in between still gets its retry.
    if (change == ItemSceneChange && m_controller && value.window)
        notifyReady();
}

QSGNode *VideoSurface::updatePaintNode(QSGNode *oldNode, UpdatePaintNodeData *data)
{
    Q_UNUSED(data)
    auto *node = static_cast<VideoNode *>(oldNode);
    if (!node)
        node = new VideoNode(window());
    const QRectF bounds = boundingRect();
    node->setBounds(bounds);

    const VLCVideoView::Frame frame = m_attachedView ? m_attachedView->latestFrame() : VLCVideoView::Frame{};
    if (frame.image.isNull() || bounds.isEmpty()) {
        node->hidePicture();
        return node;
    }
    if (frame.sequence != m_shownSequence || !node->hasTexture()) {
        node->setTexture(std::unique_ptr<QSGTexture>(window()->createTextureFromImage(frame.image)));
        m_shownSequence = frame.sequence;
    }
    const Placement placement = place(bounds, m_attachedView->displaySize(), frame.image.size(),
                                      m_attachedView->fillScreen());
    node->showPicture(placement.target, placement.source);
    return node;
}
