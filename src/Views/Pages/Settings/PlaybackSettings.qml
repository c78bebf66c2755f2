import QtQuick
import Quillmere

// The "Playback" section: resuming and episodes, the player's timings, buffer and live format.
Column {
    spacing: 18

    SettingsGroup {
        width: parent.width
        title: "Movies & series"

        SettingToggleRow {
            title: "Resume where I left off"
            key: "quillmere.resumePlayback"
        }
        SettingToggleRow {
            title: "Play next episode automatically"
            detail: "Starts the next episode when one ends"
            key: "quillmere.autoPlayNextEpisode"
        }
        SettingPickerRow {
            title: "Skip step"
            detail: "\u2190 and \u2192 in the player"
            key: "quillmere.seekStepSeconds"
            last: true
        }
    }

    SettingsGroup {
        width: parent.width
        title: "Player"

        SettingPickerRow {
            title: "Hide controls after"
            key: "quillmere.osdTimeoutSeconds"
        }
        SettingPickerRow {
            title: "Network buffer"
            detail: "Raise it if streams stutter; lower it to start faster"
            key: "quillmere.networkCachingMs"
        }
        SettingPickerRow {
            title: "Live stream format"
            detail: "Try MPEG-TS if channels don't start"
            key: "quillmere.liveFormat"
            last: true
        }
    }

    SettingsNote {
        text: "Keyboard: Space play/pause \u00b7 \u2190/\u2192 skip \u00b7 \u2191/\u2193 change channel \u00b7 L channel list \u00b7 F full screen \u00b7 M mute \u00b7 S subtitles \u00b7 A audio \u00b7 Esc back"
    }
}
