// Changing channels (by step, by typed number and from the channel panel) and stepping through
// the subtitle and audio tracks.
#include "PlayerViewModel.h"

#include "App/AppModel.h"
#include "Playback/PlayerController.h"
#include "Support/Clock.h"
#include "Support/GuardedJob.h"
#include "Views/Player/ChannelZapping.h"
#include "Views/Player/PlayerChannels.h"

#include <QPointer>

#include <algorithm>
#include <chrono>
#include <functional>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

// How long the screen waits after the last typed digit before it changes the channel.
constexpr auto numberZapDelay = 1400ms;

} // namespace

void PlayerViewModel::zap(int offset)
{
    if (m_left)
        return;
    const std::optional<int> index = ChannelZapping::stepped(m_currentIndex, offset, int(m_target.channels.size()));
    if (!index)
        return;
    showChannelsAnimated(false, false);
    playOtherChannel(m_target.channels.at(*index));
}

void PlayerViewModel::typeDigit(const QString &digit)
{
    if (m_left)
        return;
    m_channels->setZapDigits(m_channels->zapDigits() + digit);
    // Each digit starts the wait again, so the channel changes after the last one.
    m_zapTask.cancelAndForget();
    m_zapTask = startGuardedJob(this, std::mem_fn(&PlayerViewModel::runNumberZap));
}

QCoro::Task<> PlayerViewModel::runNumberZap(std::stop_token token)
{
    const QPointer<PlayerViewModel> self(this);
    (void)co_await m_clock->sleep(numberZapDelay, token);
    if (!self || token.stop_requested())
        co_return;
    const std::optional<qint64> number = ChannelZapping::typedNumber(m_channels->zapDigits());
    m_channels->setZapDigits({});
    const std::optional<int> index = number ? ChannelZapping::indexOfNumber(m_target.channels, *number) : std::nullopt;
    if (!index) {
        app()->toast(ChannelZapping::missingChannelNotice(number), ToastKind::Info);
        co_return;
    }
    showChannelsAnimated(false, false);
    playOtherChannel(m_target.channels.at(*index));
}

void PlayerViewModel::playChannel(const MediaItem &channel)
{
    if (m_left)
        return;
    showChannelsAnimated(false, false);
    playOtherChannel(channel);
}

void PlayerViewModel::playOtherChannel(const MediaItem &channel)
{
    // The playing channel again only closes the panel.
    if (channel.providerID != m_target.providerID)
        app()->play(channel, m_target.channels, true);
}

void PlayerViewModel::openChannels()
{
    if (!m_left)
        showChannelsAnimated(true, true);
}

void PlayerViewModel::dismissChannels()
{
    showChannelsAnimated(false, true);
}

void PlayerViewModel::cycleSubtitles()
{
    const QList<PlayerTrack> tracks = m_controller->subtitleTracks();
    if (tracks.isEmpty()) {
        app()->toast(u"No subtitles in this stream"_s, ToastKind::Info);
        return;
    }
    // Off, first, second, ... last, off.
    const auto selected =
        std::find_if(tracks.cbegin(), tracks.cend(), [](const PlayerTrack &track) { return track.isSelected; });
    const auto next = selected == tracks.cend() ? tracks.cbegin() : selected + 1;
    if (next == tracks.cend()) {
        m_controller->selectSubtitle(std::nullopt);
        app()->toast(u"Subtitles: Off"_s, ToastKind::Info);
        return;
    }
    m_controller->selectSubtitle(next->id);
    app()->toast(u"Subtitles: "_s + next->description, ToastKind::Info);
}

void PlayerViewModel::cycleAudio()
{
    const QList<PlayerTrack> tracks = m_controller->audioTracks();
    if (tracks.size() < 2) {
        app()->toast(u"Only one audio track"_s, ToastKind::Info);
        return;
    }
    const auto selected =
        std::find_if(tracks.cbegin(), tracks.cend(), [](const PlayerTrack &track) { return track.isSelected; });
    const qsizetype index = selected == tracks.cend() ? 0 : (selected - tracks.cbegin() + 1) % tracks.size();
    const PlayerTrack &next = tracks.at(index);
    m_controller->selectAudio(next.id);
    app()->toast(u"Audio: "_s + next.description, ToastKind::Info);
}
