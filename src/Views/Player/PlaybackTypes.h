#pragma once

#include "Playback/PlayerController.h"
#include "Playback/VideoSurface.h"

#include <QtQml/qqmlregistration.h>

// The playback engine's types as the views see them. They live in the core library, which knows
// nothing of QML, so they are registered here. The player view reads neither directly: it hands
// its video item to its view model, which gives it the player; the shell only asks whether the
// window controller has a player.

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
