import QtQuick
import Quillmere

// The "Live TV" section: channel numbers, the last channel and grouping by language.
Column {
    spacing: 18

    SettingsGroup {
        width: parent.width

        SettingToggleRow {
            title: "Show channel numbers"
            key: "quillmere.showChannelNumbers"
        }
        SettingToggleRow {
            title: "Remember last channel"
            detail: "Live TV reopens on the category you last used"
            key: "quillmere.rememberLastChannel"
        }
        SettingToggleRow {
            title: "Group categories by language"
            detail: "Keeps each language's categories together"
            key: "quillmere.groupCategoriesByLanguage"
            last: true
        }
    }
}
