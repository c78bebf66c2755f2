import QtQuick
import Quillmere

// The "General" section: start page, poster size, clock and motion.
Column {
    spacing: 18

    SettingsGroup {
        width: parent.width

        SettingPickerRow {
            title: "Start page"
            detail: "What Quillmere shows when it opens"
            key: "quillmere.startPage"
        }
        SettingPickerRow {
            title: "Poster size"
            detail: "Size of movie and series posters"
            key: "quillmere.posterSize"
        }
        SettingToggleRow {
            title: "24-hour clock"
            key: "quillmere.use24HourClock"
        }
        SettingToggleRow {
            title: "Reduce motion"
            detail: "Fewer animations when moving around"
            key: "quillmere.reduceMotion"
            last: true
        }
    }
}
