#pragma once

#include <QString>

#include <optional>

enum class MacVLCTrackKind { Audio, Video, Subtitles };

// One track of the current media as the player view lists it.
struct MacVLCTrack
{
    QString id;
    // The native name when it has any visible character, else the kind's name.
    QString description;
    std::optional<QString> languageCode;
    MacVLCTrackKind kind = MacVLCTrackKind::Audio;
    bool isSelected = false;

    friend bool operator==(const MacVLCTrack &, const MacVLCTrack &) = default;
};
