#include "PlayerTransport.h"

#include "Playback/MediaEngine.h"
#include "Playback/PlayerController.h"
#include "Support/AssignIfChanged.h"
#include "Support/PrefKeys.h"
#include "Support/SettingsChanges.h"
#include "Support/TimeText.h"

#include <algorithm>
#include <array>

using namespace Qt::StringLiterals;

namespace {

// The seek steps that have an icon of their own.
constexpr std::array<int, 5> iconSteps{5, 15, 30, 45, 60};

} // namespace

PlayerTransport::PlayerTransport(QObject *parent)
    : QObject(parent)
{
    readSkipIcon();
    connect(&SettingsChanges::instance(), &SettingsChanges::changed, this, [this](const QString &key) {
        if (key == PrefKeys::seekStepSeconds.key)
            readSkipIcon();
    });
}

int PlayerTransport::seekStep()
{
    return Prefs::read(PrefKeys::seekStepSeconds);
}

void PlayerTransport::readSkipIcon()
{
    const int step = seekStep();
    const bool ownIcon = std::find(iconSteps.cbegin(), iconSteps.cend(), step) != iconSteps.cend();
    if (assignIfChanged(m_skipIcon, ownIcon ? step : 10))
        Q_EMIT skipIconChanged();
}

void PlayerTransport::showTitle(double resumePosition, const QString &nextEpisodeLabel)
{
    m_resumePosition = resumePosition;
    if (assignIfChanged(m_nextEpisodeLabel, nextEpisodeLabel))
        Q_EMIT nextEpisodeChanged();
}

void PlayerTransport::update(const PlayerController *player, std::optional<double> scrubbing)
{
    const double time = player ? player->currentTime() : 0.0;
    const double length = player ? player->totalTime() : 0.0;
    const bool seekable = player && player->player()->isSeekable() && length > 0;
    // Only after resuming, until 20 seconds past the resume point, and gone once used: back at the
    // start the position is below the resume point again, yet there is nothing left to start over.
    const bool startOver = m_resumePosition > 0 && !m_startedOver && player && time < m_resumePosition + 20 && seekable;

    if (assignIfChanged(m_playing, player && player->state() == PlayerState::Playing))
        Q_EMIT playingChanged();
    const bool moved = assignIfChanged(m_position, scrubbing.value_or(time));
    if (moved)
        Q_EMIT positionChanged();
    const bool lengthened = assignIfChanged(m_length, length);
    if (lengthened)
        Q_EMIT lengthChanged();
    if (moved || lengthened)
        Q_EMIT remainingChanged();
    if (assignIfChanged(m_seekable, seekable))
        Q_EMIT seekableChanged();
    if (assignIfChanged(m_startOverVisible, startOver))
        Q_EMIT startOverVisibleChanged();
}

QString PlayerTransport::playPauseSymbol() const
{
    return m_playing ? u"pause.fill"_s : u"play.fill"_s;
}

QString PlayerTransport::elapsedText() const
{
    return TimeText::timecode(m_position);
}

double PlayerTransport::remainingTime() const
{
    return std::max(0.0, m_length - m_position);
}

QString PlayerTransport::remainingText() const
{
    return u"-"_s + TimeText::timecode(remainingTime());
}

QString PlayerTransport::skipBackSymbol() const
{
    return u"gobackward."_s + QString::number(m_skipIcon);
}

QString PlayerTransport::skipForwardSymbol() const
{
    return u"goforward."_s + QString::number(m_skipIcon);
}

QString PlayerTransport::nextEpisodeTip() const
{
    return hasNextEpisode() ? u"Play "_s + m_nextEpisodeLabel : QString();
}
