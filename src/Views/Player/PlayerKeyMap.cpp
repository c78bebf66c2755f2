#include "PlayerKeyMap.h"

#include <Qt>

using namespace Qt::StringLiterals;

namespace PlayerKeyMap {

namespace {

std::optional<PlayerCommand> namedKey(int key, bool live)
{
    switch (key) {
    case Qt::Key_Space:
        return PlayerCommand::PlayPause;
    case Qt::Key_Escape:
        return PlayerCommand::Escape;
    case Qt::Key_Left:
        return live ? PlayerCommand::OpenChannels : PlayerCommand::SeekBack;
    case Qt::Key_Right:
        return live ? PlayerCommand::Nothing : PlayerCommand::SeekForward;
    case Qt::Key_Up:
        return live ? PlayerCommand::ZapPrevious : PlayerCommand::VolumeUp;
    case Qt::Key_Down:
        return live ? PlayerCommand::ZapNext : PlayerCommand::VolumeDown;
    case Qt::Key_PageUp:
        return PlayerCommand::ZapPrevious;
    case Qt::Key_PageDown:
        return PlayerCommand::ZapNext;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return live ? PlayerCommand::OpenChannels : PlayerCommand::PlayPause;
    default:
        return std::nullopt;
    }
}

std::optional<PlayerCommand> typedText(const QString &text, bool live)
{
    const QString typed = text.toLower();
    if (typed == "f"_L1)
        return PlayerCommand::ToggleFullScreen;
    if (typed == "m"_L1)
        return PlayerCommand::ToggleMute;
    if (typed == "l"_L1 || typed == "c"_L1)
        return live ? PlayerCommand::OpenChannels : PlayerCommand::Nothing;
    if (typed == "i"_L1)
        return PlayerCommand::HideControls;
    if (typed == "n"_L1)
        return PlayerCommand::NextEpisode;
    if (typed == "s"_L1)
        return PlayerCommand::CycleSubtitles;
    if (typed == "a"_L1)
        return PlayerCommand::CycleAudio;
    // Any numeric character, not only ASCII digits; only a live channel takes them.
    if (live && typed.size() == 1 && typed.front().isNumber())
        return PlayerCommand::TypeDigit;
    return std::nullopt;
}

} // namespace

std::optional<PlayerCommand> command(int key, const QString &text, bool live)
{
    if (const std::optional<PlayerCommand> named = namedKey(key, live))
        return named;
    return typedText(text, live);
}

} // namespace PlayerKeyMap
