#include "PlayerStatus.h"

#include "Playback/PlayerController.h"
#include "Support/AssignIfChanged.h"

using namespace Qt::StringLiterals;

namespace {

QString connectingText(const PlayerController *player)
{
    // Nothing under the spinner for the first four seconds.
    if (!player || player->elapsedSeconds() < 4)
        return {};
    return u"Connecting\u2026 %1s"_s.arg(player->elapsedSeconds());
}

QString errorText(const PlayerController *player)
{
    if (player && !player->retryMessage().isEmpty())
        return player->retryMessage();
    if (player && !player->errorMessage().isEmpty())
        return player->errorMessage();
    return u"The provider didn't send any video."_s;
}

} // namespace

void PlayerStatus::update(const PlayerController *player)
{
    const PlayerState state = player ? player->state() : PlayerState::Stopped;
    const bool loading = player && (state == PlayerState::Initialized || state == PlayerState::Buffering);
    if (assignIfChanged(m_loading, loading))
        Q_EMIT loadingChanged();
    if (assignIfChanged(m_failed, player && state == PlayerState::Error))
        Q_EMIT failedChanged();
    // Read only while the layer shows: the seconds count on through playback.
    const bool retrying = loading && !player->retryMessage().isEmpty();
    bool lineChanged = assignIfChanged(m_retrying, retrying);
    lineChanged |= assignIfChanged(m_loadingText, !loading ? QString()
                                                  : retrying ? player->retryMessage()
                                                             : connectingText(player));
    if (lineChanged)
        Q_EMIT loadingTextChanged();
    if (assignIfChanged(m_errorText, ::errorText(player)))
        Q_EMIT errorTextChanged();
}
