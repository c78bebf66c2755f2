import QtQuick
import Quillmere

// The "Updates" section: automatic refreshes with their intervals, and refreshing the active
// playlist now.
Column {
    id: root

    spacing: 18

    UpdateSettingsModel {
        id: updates

        objectName: "updateSettings"
        app: AppModel
    }

    SettingValue {
        id: autoPlaylists

        key: "autoRefreshPlaylist"
    }

    SettingValue {
        id: autoGuide

        key: "autoRefreshEpg"
    }

    SettingsGroup {
        width: root.width

        SettingToggleRow {
            title: "Update playlists automatically"
            key: "autoRefreshPlaylist"
        }
        SettingPickerRow {
            title: "Playlist update interval"
            key: "catalogueRefreshHours"
            pickerEnabled: autoPlaylists.value
        }
        SettingToggleRow {
            title: "Update TV guide automatically"
            key: "autoRefreshEpg"
        }
        SettingPickerRow {
            title: "Guide update interval"
            key: "guideRefreshHours"
            pickerEnabled: autoGuide.value
            last: true
        }
    }

    SettingsGroup {
        width: root.width
        visible: updates.hasActive
        title: updates.groupTitle

        SettingsRow {
            title: "Refresh playlist"
            detail: "Channels, movies and series"

            QMButton {
                objectName: "refreshPlaylist"
                text: "Refresh"
                kind: QMButtonKind.Secondary
                compact: true
                enabled: !updates.refreshing
                onClicked: updates.refreshPlaylist()
            }
        }
        SettingsRow {
            title: "Refresh TV guide"
            last: true

            QMButton {
                objectName: "refreshGuide"
                text: "Refresh"
                kind: QMButtonKind.Secondary
                compact: true
                enabled: !updates.refreshing
                onClicked: updates.refreshGuide()
            }
        }
    }

    SettingsNote {
        text: "Updates run while Quillmere is open, and catch up after your computer wakes. If an update fails, the last working data is kept."
    }
}
