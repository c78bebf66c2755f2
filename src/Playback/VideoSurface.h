#pragma once

#include <QPointer>
#include <QQuickItem>

class PlayerController;
class VLCVideoView;

Q_MOC_INCLUDE("Playback/PlayerController.h")

// Shows the video of a player controller: it adopts the controller's video view, tells the
// controller when it is in a window (playback attempts wait for that), and draws the newest decoded
// picture on black, fitted into the item by the picture's true shape or, in fill mode, cropped to
// fill it.
class VideoSurface : public QQuickItem
{
    Q_OBJECT
    Q_PROPERTY(PlayerController *controller READ controller WRITE setController NOTIFY controllerChanged)

public:
    explicit VideoSurface(QQuickItem *parent = nullptr);
    ~VideoSurface() override;

    [[nodiscard]] PlayerController *controller() const { return m_controller; }
    void setController(PlayerController *controller);

Q_SIGNALS:
    void controllerChanged();

protected:
    QSGNode *updatePaintNode(QSGNode *oldNode, UpdatePaintNodeData *data) override;
    void itemChange(ItemChange change, const ItemChangeData &value) override;

private:
    void attach(PlayerController *controller);
    void detach();
    void applyFitMode();
    // Reports readiness on a later turn, if the surface is then still in a window.
    void notifyReady();

    QPointer<PlayerController> m_controller;
    QPointer<VLCVideoView> m_attachedView;
    QList<QMetaObject::Connection> m_connections;
    quint64 m_shownSequence = 0;
};
