#pragma once

#include <QString>

#include <optional>

enum class PlayerTrackKind { Audio, Video, Subtitles };

// One track of the current media as the player view lists it.
struct PlayerTrack
{
    QString id;
    // The native name when it has any visible character, else the kind's name.
    QString description;
    std::optional<QString> languageCode;
    PlayerTrackKind kind = PlayerTrackKind::Audio;
    bool isSelected = false;

    friend bool operator==(const PlayerTrack &, const PlayerTrack &) = default;
};
