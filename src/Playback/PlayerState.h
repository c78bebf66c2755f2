#pragma once

#include <QObject>

namespace Playback {
Q_NAMESPACE

// What the player view shows; the engine's raw states are mapped onto these by the controller.
enum class PlayerState { Initialized, Buffering, Playing, Paused, Stopped, Error };
Q_ENUM_NS(PlayerState)

} // namespace Playback

using PlayerState = Playback::PlayerState;
