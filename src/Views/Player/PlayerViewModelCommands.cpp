// The screen's commands: the keyboard map's actions, the transport and volume buttons, the video
// surface's clicks and the film bar's seek bar.
#include "PlayerViewModel.h"

#include "Playback/MediaEngine.h"
#include "Playback/PlayerController.h"
#include "Views/Player/PlayerChannels.h"
#include "Views/Player/PlayerHeader.h"
#include "Views/Player/PlayerTransport.h"
#include "Views/Player/PlayerVolume.h"

#include <algorithm>

using namespace Qt::StringLiterals;

bool PlayerViewModel::handleKey(int key, const QString &text, bool autoRepeat)
{
    // The channel panel holds the focus and answers its own keys while it is open.
    if (m_left || !m_controller || m_channels->isPanelShown() || autoRepeat)
        return false;
    m_controller->showControls(true);
    const std::optional<PlayerCommand> command = PlayerKeyMap::command(key, text, isLive());
    if (!command)
        return false;
    perform(*command, text);
    return true;
}

void PlayerViewModel::perform(PlayerCommand command, const QString &text)
{
    switch (command) {
    case PlayerCommand::Nothing:
        break;
    case PlayerCommand::PlayPause:
        playPause();
        break;
    case PlayerCommand::Escape:
        if (m_header->isFullScreen())
            leaveFullScreen();
        else
            close();
        break;
    case PlayerCommand::OpenChannels:
        openChannels();
        break;
    case PlayerCommand::SeekBack:
        skip(-1);
        break;
    case PlayerCommand::SeekForward:
        skip(1);
        break;
    case PlayerCommand::ZapPrevious:
        zap(-1);
        break;
    case PlayerCommand::ZapNext:
        zap(1);
        break;
    case PlayerCommand::VolumeUp:
        stepVolume(0.1f);
        break;
    case PlayerCommand::VolumeDown:
        stepVolume(-0.1f);
        break;
    case PlayerCommand::ToggleFullScreen:
        toggleFullScreen();
        break;
    case PlayerCommand::ToggleMute:
        toggleMute();
        break;
    case PlayerCommand::HideControls:
        m_controller->hideControls();
        break;
    case PlayerCommand::NextEpisode:
        playNextEpisode();
        break;
    case PlayerCommand::CycleSubtitles:
        cycleSubtitles();
        break;
    case PlayerCommand::CycleAudio:
        cycleAudio();
        break;
    case PlayerCommand::TypeDigit:
        typeDigit(text);
        break;
    }
}

void PlayerViewModel::playPause()
{
    if (m_left || !m_controller)
        return;
    if (m_controller->state() == PlayerState::Playing)
        m_controller->pause();
    else
        m_controller->start();
    m_controller->showControls(true);
}

void PlayerViewModel::toggleMute()
{
    if (m_left || !m_controller)
        return;
    MediaEngine *engine = m_controller->player();
    if (engine->hasAudio())
        engine->setMuted(!engine->isMuted());
    m_controller->showControls(true);
    updateVolume();
}

void PlayerViewModel::stepVolume(float step)
{
    // In single precision, as the volume slider hands its values over.
    const float current = float(PlayerVolume::levelOf(m_controller->player()));
    const float stepped = step > 0 ? std::min(current + step, 1.5f) : std::max(current + step, 0.0f);
    m_controller->setVolume(stepped);
}

void PlayerViewModel::setVolume(double volume)
{
    if (!m_left && m_controller)
        m_controller->setVolume(float(volume));
}

void PlayerViewModel::skip(int direction)
{
    if (!m_left && m_controller)
        m_controller->seekBy(direction * PlayerTransport::seekStep());
}

void PlayerViewModel::startOver()
{
    if (m_left || !m_controller)
        return;
    m_controller->seekTo(0);
    m_transport->markStartedOver();
    updateTransport();
}

void PlayerViewModel::retry()
{
    // "Try again" never starts a second retry while one is pending; the controller sees to that.
    if (!m_left && m_controller)
        m_controller->retryNow();
}

void PlayerViewModel::videoClicked()
{
    if (m_left || !m_controller)
        return;
    if (m_channels->isPanelShown())
        dismissChannels();
    else if (m_controller->controlsVisible())
        m_controller->hideControls();
    else
        m_controller->showControls(true);
}

void PlayerViewModel::pointerMoved(QPointF position)
{
    if (std::exchange(m_pointer, position) == position)
        return;
    setPointerHidden(false);
    if (!m_left && m_controller)
        m_controller->showControls(!m_channels->isPanelShown());
}

void PlayerViewModel::pointerLeft()
{
    m_pointer.reset();
    setPointerHidden(false);
}

void PlayerViewModel::scrub(double position)
{
    setScrubbing(position);
}

void PlayerViewModel::commitScrub(double position)
{
    if (!m_left && m_controller)
        m_controller->seekTo(position);
    setScrubbing(std::nullopt);
}

void PlayerViewModel::cancelScrub()
{
    setScrubbing(std::nullopt);
}

void PlayerViewModel::handlePlayerCommand(const QString &command)
{
    if (!m_left && command == u"channels"_s && isLive())
        showChannelsAnimated(true, false);
}
