#pragma once

#include "Playback/PlaybackWindowController.h"
#include "Playback/MediaEngine.h"
#include "Playback/PlayerController.h"
#include "Playback/VideoSurface.h"

#include <QJSEngine>
#include <QtQml/qqmlregistration.h>

// The playback engine's types as the player view sees them. They live in the core library, which
// knows nothing of QML, so they are registered here.

struct MacVLCVideoSurfaceForeign
{
    Q_GADGET
    QML_FOREIGN(MacVLCVideoSurface)
    QML_NAMED_ELEMENT(MacVLCVideoSurface)
};

struct MacVLCPlayerControllerForeign
{
    Q_GADGET
    QML_FOREIGN(MacVLCPlayerController)
    QML_NAMED_ELEMENT(MacVLCPlayerController)
    QML_UNCREATABLE("The playback window controller makes the player controller.")
};

struct MacVLCMediaEngineForeign
{
    Q_GADGET
    QML_FOREIGN(MacVLCMediaEngine)
    QML_NAMED_ELEMENT(MacVLCMediaEngine)
    QML_UNCREATABLE("The player controller owns the media engine.")
};

struct MacPlaybackWindowControllerForeign
{
    Q_GADGET
    QML_FOREIGN(MacPlaybackWindowController)
    QML_NAMED_ELEMENT(MacPlaybackWindowController)
    QML_SINGLETON

public:
    // The process-wide instance, owned by C++.
    static MacPlaybackWindowController *create(QQmlEngine *, QJSEngine *)
    {
        MacPlaybackWindowController *controller = &MacPlaybackWindowController::shared();
        QJSEngine::setObjectOwnership(controller, QJSEngine::CppOwnership);
        return controller;
    }
};
