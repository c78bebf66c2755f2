#pragma once

#include "Playback/MediaEngine.h"
#include "Playback/PlayerController.h"
#include "Playback/VideoSurface.h"

#include <QtQml/qqmlregistration.h>

// The playback engine's types as the player view sees them. They live in the core library, which
// knows nothing of QML, so they are registered here.

struct VideoSurfaceForeign
{
    Q_GADGET
    QML_FOREIGN(VideoSurface)
    QML_NAMED_ELEMENT(VideoSurface)
};

struct PlayerControllerForeign
{
    Q_GADGET
    QML_FOREIGN(PlayerController)
    QML_NAMED_ELEMENT(PlayerController)
    QML_UNCREATABLE("The playback window controller makes the player controller.")
};

struct MediaEngineForeign
{
    Q_GADGET
    QML_FOREIGN(MediaEngine)
    QML_NAMED_ELEMENT(MediaEngine)
    QML_UNCREATABLE("The player controller owns the media engine.")
};
