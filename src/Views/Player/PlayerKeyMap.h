#pragma once

#include <QString>

#include <optional>

// What one key press asks of the player screen.
enum class PlayerCommand {
    Nothing, // answered as handled, with no effect (Right on a live channel, "l" on a film)
    PlayPause,
    Escape, // leaves full screen, else closes the player
    OpenChannels,
    SeekBack,
    SeekForward,
    ZapPrevious,
    ZapNext,
    VolumeUp,
    VolumeDown,
    ToggleFullScreen,
    ToggleMute,
    HideControls,
    NextEpisode,
    CycleSubtitles,
    CycleAudio,
    TypeDigit,
};

// The player's keyboard map. Keys with a fixed meaning (space, Escape, the arrows, the page keys,
// Return) are matched first, then the text a key types, lower-cased so that Shift makes no
// difference. Modifiers are not examined: a key combined with Ctrl types a control character and
// so travels on to the window's shortcuts.
namespace PlayerKeyMap {

// The command of a key (a Qt::Key) typing `text`, for a live channel or another title; none when
// the player ignores the press and lets it travel on.
[[nodiscard]] std::optional<PlayerCommand> command(int key, const QString &text, bool live);

} // namespace PlayerKeyMap
